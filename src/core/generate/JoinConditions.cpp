// Join and value conditions of a SELECT over several tables, derived from equal names.
#include "EditorCore.h"

#include <QStringList>

namespace
{
QString columnRef(int t, const QString& column)
{
    return g_tableIdentifier[t] + QLatin1Char('.') + column;
}
} // namespace

void CEditorCore::AddJoinConditions(int tableCount)
{
    const int n = qBound(0, tableCount, kTableSlots);
    bool matched[kTableSlots][kMaxKeyColumns] = {};
    QStringList pending; // value conditions of keys joined key to key, in join order
    bool first = true;
    auto opener = [&first]() {
        const QString s = first ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ");
        first = false;
        return s;
    };
    auto keyCount = [](int t) { return qBound(0, g_keyColumnCount[t], kMaxKeyColumns); };
    auto columnCount = [](int t) { return qBound(0, g_columnCount[t], kMaxColumns); };

    // Key to key, position by position.
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            if (j == i)
                continue;
            for (int k = 0; k < keyCount(i) && k < keyCount(j); ++k) {
                if (matched[i][k] || g_keyColumnName[i][k] != g_keyColumnName[j][k])
                    continue;
                AddSqlLine(kNextLine, opener() + columnRef(i, g_keyColumnName[i][k]) +
                                          QStringLiteral(" = ") +
                                          columnRef(j, g_keyColumnName[j][k]));
                matched[i][k] = true;
                matched[j][k] = true;
                pending.append(columnRef(j, g_keyColumnName[j][k]));
            }
        }
    }

    // Keys still free to equal non-key columns of the other tables.
    for (int i = 0; i < n; ++i) {
        for (int k = 0; k < keyCount(i); ++k) {
            if (matched[i][k])
                continue;
            for (int j = 0; j < n; ++j) {
                if (j == i)
                    continue;
                for (int m = 0; m < columnCount(j); ++m) {
                    if (g_columnName[j][m] != g_keyColumnName[i][k])
                        continue;
                    AddSqlLine(kNextLine, opener() + columnRef(i, g_keyColumnName[i][k]) +
                                              QStringLiteral(" = ") +
                                              columnRef(j, g_columnName[j][m]));
                    matched[i][k] = true;
                }
            }
        }
    }

    for (const QString& ref : pending)
        AddSqlLine(kNextLine, QStringLiteral(" AND ") + ref + QStringLiteral(" = "));

    for (int i = 0; i < n; ++i) {
        for (int k = 0; k < keyCount(i); ++k) {
            if (!matched[i][k])
                AddSqlLine(kNextLine,
                           opener() + columnRef(i, g_keyColumnName[i][k]) + QStringLiteral(" = "));
        }
    }
}
