// Reads one definition file into a slot of the table store.
#include "EditorCore.h"
#include "LineScanner.h"
#include "settings/Settings.h"
#include "text/Encoding.h"
#include "text/TextUtil.h"

#include <QFile>
#include <QFileInfo>

namespace
{

// Larger files are no table definitions; refusing them keeps memory bounded.
constexpr qint64 kMaxDefinitionFileSize = 256 * 1024 * 1024;

bool isKeyColumn(const QString& column, const QStringList& keys)
{
    for (const QString& key : keys) {
        if (quillon::sameIdentifier(column, key))
            return true;
    }
    return false;
}

} // namespace

int CEditorCore::ReadDefinitionFile(int t)
{
    m_readReport = ReadReport();
    if (t < 0 || t >= kTableSlots) {
        m_readReport.error = QStringLiteral("table slot out of range");
        return -1;
    }
    const QFileInfo info(m_strFilePath);
    if (info.isDir()) {
        m_readReport.error = QStringLiteral("フォルダです: ") + m_strFilePath;
        return -1;
    }
    QFile file(m_strFilePath);
    if (!file.open(QIODevice::ReadOnly)) {
        m_readReport.error = file.errorString();
        return -1;
    }
    if (file.size() > kMaxDefinitionFileSize) {
        m_readReport.error = QStringLiteral("ファイルが大きすぎます: ") + m_strFilePath;
        return -1;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_readReport.error = file.errorString();
        return -1;
    }
    file.close();
    const QString text = quillon::decodeText(bytes);
    bytes = QByteArray();

    quillon::DefinitionScanner scanner(
        {m_strTypeKind[0], m_strTypeKind[1], m_strTypeKind[2], m_strTypeKind[3]});
    qsizetype start = 0;
    while (start < text.size() && !scanner.done()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        qsizetype len = end - start;
        if (len > 0 && text[start + len - 1] == u'\r')
            --len;
        scanner.feedLine(QStringView(text).mid(start, len));
        start = end + 1;
    }
    scanner.finish();

    const quillon::TableDefinition& def = scanner.result();
    BeginTableSlot(t);
    if (def.hasHeader)
        SetTableName(t, def.tableName);
    for (const QString& key : def.keys) {
        if (!AddKeyColumn(t, key))
            ++m_readReport.droppedKeys;
    }
    for (const quillon::ColumnDef& column : def.columns) {
        if (isKeyColumn(column.name, def.keys))
            continue;
        if (AddColumn(t, column.name, FindTypeRow(column.kind)))
            m_readReport.columnKinds.append(column.kind);
        else
            ++m_readReport.droppedColumns;
    }
    return 0;
}
