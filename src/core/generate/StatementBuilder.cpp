// Turns the store, the column choices and the settings into one statement's text.
#include "EditorCore.h"
#include "settings/Settings.h"
#include "text/TextUtil.h"

namespace
{

bool vbOn()
{
    return g_bAddVbVariable == 1;
}

bool objectsOn()
{
    return vbOn() && g_bAddObjectVariables != 0;
}

bool validRow(int r)
{
    return r >= 0 && r < kTypeProcRows;
}

QString separator(bool firstEntry)
{
    return firstEntry ? QStringLiteral(" ") : QStringLiteral(",");
}

// The value a column takes in INSERT and UPDATE: write function around the dummy control.
// A column whose type has no row stands for itself.
QString valueExpression(int row, const QString& columnName)
{
    if (!validRow(row))
        return columnName;
    if (g_strWriteFunction[row].isEmpty())
        return g_strDummyControl[row];
    return g_strWriteFunction[row] + QLatin1Char('(') + g_strDummyControl[row] + QLatin1Char(')');
}

// The read-back assignment of one fetched field.
QString readBackLine(int row, const QString& columnName, int field)
{
    const QString fieldValue = g_strDynasetVariable + QStringLiteral(".Fields(") +
                               QString::number(field) + QStringLiteral(").Value");
    if (!validRow(row))
        return QStringLiteral("    ") + columnName + QStringLiteral(" = ") + fieldValue;
    const QString target = QStringLiteral("    ") + g_strDummyControl[row] + QStringLiteral(" = ");
    if (g_strReadFunction[row].isEmpty())
        return target + fieldValue;
    return target + g_strReadFunction[row] + QLatin1Char('(') + fieldValue + QLatin1Char(')');
}

int slotKeyCount(int t)
{
    return qBound(0, g_keyColumnCount[t], kMaxKeyColumns);
}

int slotColumnCount(int t)
{
    return qBound(0, g_columnCount[t], kMaxColumns);
}

} // namespace

void CEditorCore::BuildStatement(int kind, int tableCount)
{
    if (kind < kSelect || kind > kDelete) {
        FocusOutput();
        return;
    }
    const int tables = kind == kSelect ? qBound(1, tableCount, kTableSlots) : 1;
    const bool joined = kind == kSelect && tables >= 2;
    const QString& sql = g_strSqlVariable;

    // Transaction start.
    const bool transaction = kind != kSelect && objectsOn() && !g_strSessionVariable.isEmpty();
    if (transaction) {
        AddRawLine(kFirstLine, QStringLiteral("'トランザクションの開始"));
        AddRawLine(kNextLine, g_strSessionVariable + QStringLiteral(".BeginTrans"));
    }

    // Head line.
    QString head;
    switch (kind) {
    case kSelect:
        head = QStringLiteral("SELECT");
        break;
    case kInsert:
        head = QStringLiteral("INSERT INTO ") + g_tableName[0] + QStringLiteral(" (");
        break;
    case kUpdate:
        head = QStringLiteral("UPDATE ") + g_tableName[0] + QStringLiteral(" SET");
        break;
    default:
        head = QStringLiteral("DELETE ") + g_tableName[0];
        break;
    }
    if (transaction)
        AppendSqlLine(kFirstLine, head);
    else
        AddSqlLine(kFirstLine, head);

    // Column part.
    if (kind == kSelect) {
        const int fold = quillon::atoiText(g_strColumnsPerLine);
        QString buffer;
        int count = 0;
        bool firstEntry = true;
        for (int t = 0; t < tables; ++t) {
            for (int j = 0; j < slotColumnCount(t); ++j) {
                if (g_columnSelected[t][j] != 1)
                    continue;
                QString entry = separator(firstEntry);
                firstEntry = false;
                if (joined)
                    entry += g_tableIdentifier[t] + QLatin1Char('.');
                entry += g_columnName[t][j];
                if (fold == 0) {
                    AddSqlLine(kNextLine, entry);
                    continue;
                }
                buffer += entry;
                if (++count == fold) {
                    AddSqlLine(kNextLine, buffer);
                    buffer.clear();
                    count = 0;
                }
            }
        }
        if (!buffer.isEmpty())
            AddSqlLine(kNextLine, buffer);
    } else if (kind == kInsert) {
        const int keys = slotKeyCount(0);
        bool firstEntry = true;
        for (int k = 0; k < keys; ++k) {
            AddSqlLine(kNextLine, separator(firstEntry) + g_keyColumnName[0][k]);
            firstEntry = false;
        }
        for (int j = 0; j < slotColumnCount(0); ++j) {
            AddSqlLine(kNextLine, separator(firstEntry) + g_columnName[0][j]);
            firstEntry = false;
        }
        AddSqlLine(kNextLine, QStringLiteral(") VALUES ("));
        if (objectsOn()) {
            // Without key columns the first generated value opens the list.
            bool firstValue = keys == 0;
            for (int j = 0; j < slotColumnCount(0); ++j) {
                if (g_bAddColumnComment != 0)
                    AddRawLine(kNextLine, QStringLiteral("    '") + g_columnName[0][j]);
                const QString sep =
                    firstValue ? QStringLiteral(" & ") : QStringLiteral(" & \",\" & ");
                firstValue = false;
                AddRawLine(kNextLine,
                           sql + QStringLiteral(" = ") + sql + sep +
                               valueExpression(g_columnTypeRow[0][j], g_columnName[0][j]));
            }
        }
        AddSqlLine(kNextLine, QStringLiteral(")"));
    } else if (kind == kUpdate) {
        for (int j = 0; j < slotColumnCount(0); ++j) {
            const QString entry = separator(j == 0) + g_columnName[0][j] + QStringLiteral(" = ");
            if (objectsOn()) {
                AddRawLine(kNextLine,
                           sql + QStringLiteral(" = ") + sql + QStringLiteral(" & ") +
                               quillon::vbStringLiteral(entry) + QStringLiteral(" & ") +
                               valueExpression(g_columnTypeRow[0][j], g_columnName[0][j]));
            } else {
                AddSqlLine(kNextLine, entry);
            }
        }
    }

    // FROM line.
    if (kind == kSelect) {
        QString from = QStringLiteral(" FROM");
        for (int t = 0; t < tables; ++t) {
            from += separator(t == 0) + g_tableName[t];
            if (joined)
                from += QLatin1Char(' ') + g_tableIdentifier[t];
        }
        AddSqlLine(kNextLine, from);
    }

    // Conditions.
    if (joined) {
        AddJoinConditions(tables);
    } else if (kind != kInsert) {
        for (int k = 0; k < slotKeyCount(0); ++k) {
            AddSqlLine(kNextLine, (k == 0 ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) +
                                      g_keyColumnName[0][k] + QStringLiteral(" = "));
        }
    }

    // Execution or read-back block.
    if (objectsOn()) {
        if (kind == kSelect) {
            AddRawLine(kNextLine, QStringLiteral("'SQL発行(ダイナセットの取得)"));
            AddRawLine(kNextLine, QStringLiteral("Set ") + g_strDynasetVariable +
                                      QStringLiteral(" = ") + g_strDatabaseVariable +
                                      QStringLiteral(".CreateDynaset(") + sql +
                                      QStringLiteral(", 0&)"));
            AddRawLine(kNextLine, QStringLiteral("If Not ") + g_strDynasetVariable +
                                      QStringLiteral(".EOF Then"));
            int field = 0;
            for (int t = 0; t < tables; ++t) {
                for (int j = 0; j < slotColumnCount(t); ++j) {
                    if (g_columnSelected[t][j] != 1)
                        continue;
                    if (g_bAddColumnComment != 0)
                        AddRawLine(kNextLine, QStringLiteral("    '") + g_columnName[t][j]);
                    AddRawLine(kNextLine,
                               readBackLine(g_columnTypeRow[t][j], g_columnName[t][j], field++));
                }
            }
            AddRawLine(kNextLine, QStringLiteral("End If"));
        } else {
            AddRawLine(kNextLine, QStringLiteral("'SQL発行(SQLの実行)"));
            AddRawLine(kNextLine, QStringLiteral("ret = ") + g_strDatabaseVariable +
                                      QStringLiteral(".ExecuteSQL(") + sql + QLatin1Char(')'));
            if (!g_strSessionVariable.isEmpty()) {
                AddRawLine(kNextLine, QStringLiteral("'コミット"));
                AddRawLine(kNextLine, g_strSessionVariable + QStringLiteral(".CommitTrans"));
            }
        }
    }

    FocusOutput();
}
