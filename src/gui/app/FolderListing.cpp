// File > Open: the definition folder of a chosen file and its *.sql files in the list.
#include "EditorDlg.h"

#include "DefinitionFolder.h"
#include "common/FileDialog.h"

#include <QDir>
#include <QListWidget>

#include <algorithm>

namespace
{

const char kOpenFileFilter[] =
    "Sql Files(*.sql)|*.sql|Text Files(*.txt)|*.txt|All Files(*.*)|*.*||";

} // namespace

void CEditorDlg::OnFileOpen()
{
    const QString filter = quillon::ConvertFileFilter(QString::fromLatin1(kOpenFileFilter));
    const QString path =
        quillon::FileDialog::getOpenFileName(this, QStringLiteral("開く"), m_strFolder, filter);
    // A cancelled dialog leaves the folder and the list as they were.
    if (path.isEmpty())
        return;
    m_strFilePath = path;
    OpenFolder(quillon::FolderOfFile(path));
}

void CEditorDlg::OpenFolder(const QString& folder)
{
    if (folder.isEmpty()) {
        m_strFolder.clear();
    } else {
        m_strFolder = QDir(folder).absolutePath();
        if (!m_strFolder.endsWith(QLatin1Char('/')))
            m_strFolder += QLatin1Char('/');
    }

    QStringList names =
        m_strFolder.isEmpty() ? QStringList() : quillon::ListDefinitionFiles(m_strFolder);
    // Put in the list's own order, then added in one go.
    std::sort(names.begin(), names.end());
    m_listTables->clear();
    m_listTables->setSortingEnabled(false);
    m_listTables->addItems(names);
    m_listTables->setSortingEnabled(true);

    UpdateData(false);
}
