// The four statement buttons: read the selected tables, let the user choose columns,
// build the statement and show it.
#include "EditorDlg.h"

#include "columns/ColumnSelectDlg.h"
#include "columns/JoinSelectDlg.h"
#include "common/MessageBox.h"

#include <QDialog>
#include <QListWidget>

namespace
{

// A SELECT joins at most this many tables; the store and the dialogs have room for them.
constexpr int kMaxSelectTables = 4;

} // namespace

int CEditorDlg::GetSelectedTables()
{
    const int count = m_listTables->count();
    int selected = 0;
    for (int i = 0; i < count; ++i) {
        if (m_listTables->item(i)->isSelected())
            ++selected;
    }
    if (selected == 0 || selected > kMaxSelectTables)
        return selected;
    int next = 0;
    for (int i = 0; i < count && next < selected; ++i) {
        const QListWidgetItem* item = m_listTables->item(i);
        if (item->isSelected())
            m_strSelectedFile[next++] = item->text();
    }
    return selected;
}

// Reads m_strSelectedFile[t] into slot t. A table cut to the store's capacity is told
// to the user and still counts as read.
static bool readSelectedTable(CEditorDlg* dlg, int t)
{
    dlg->m_strFilePath = dlg->m_strFolder + dlg->m_strSelectedFile[t];
    if (dlg->ReadDefinitionFile(t) != 0) {
        quillon::MessageBox::warning(dlg, QStringLiteral("ファイルの読み込みに失敗しました!"));
        return false;
    }
    const ReadReport& report = dlg->m_readReport;
    if (report.droppedColumns > 0 || report.droppedKeys > 0) {
        quillon::MessageBox::warning(dlg,
                                     QStringLiteral("%1: 列は%2個、キー列は%3個までしか扱えません。"
                                                    "残りは無視しました!")
                                         .arg(dlg->m_strSelectedFile[t])
                                         .arg(kMaxColumns)
                                         .arg(kMaxKeyColumns));
    }
    return true;
}

// GetSelectedTables, or 0 once the user has been told that none or too many are selected.
static int usableSelection(CEditorDlg* dlg)
{
    const int n = dlg->GetSelectedTables();
    if (n == 0) {
        quillon::MessageBox::warning(dlg, QStringLiteral("テーブルが選択されていません!"));
        return 0;
    }
    if (n > kMaxSelectTables) {
        quillon::MessageBox::warning(dlg, QStringLiteral("テーブルは4つまで選択してください!"));
        return 0;
    }
    return n;
}

void CEditorDlg::OnSelectButton()
{
    const int n = usableSelection(this);
    if (n == 0)
        return;
    // Every file is tried, so that each one that cannot be read is named once.
    bool allRead = true;
    for (int i = 0; i < n; ++i) {
        if (!readSelectedTable(this, i))
            allRead = false;
    }
    if (!allRead)
        return;

    const int result =
        n == 1 ? CColumnSelectDlg(this).DoModal() : CJoinSelectDlg(n, this).DoModal();
    if (result != QDialog::Accepted)
        return;
    BuildStatement(kSelect, n);
    UpdateData(false);
}

void CEditorDlg::OnInsertButton()
{
    RunSingleTableCommand(kInsert);
}

void CEditorDlg::OnUpdateButton()
{
    RunSingleTableCommand(kUpdate);
}

void CEditorDlg::OnDeleteButton()
{
    RunSingleTableCommand(kDelete);
}

void CEditorDlg::RunSingleTableCommand(int kind)
{
    if (usableSelection(this) == 0 || !readSelectedTable(this, 0))
        return;
    BuildStatement(kind, 1);
    UpdateData(false);
}
