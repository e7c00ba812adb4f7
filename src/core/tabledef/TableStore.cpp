#include "TableStore.h"

QString g_tableName[kTableSlots];
QString g_tableIdentifier[kTableSlots];
int g_columnCount[kTableSlots];
QString g_columnName[kTableSlots][kMaxColumns];
int g_columnTypeRow[kTableSlots][kMaxColumns];
int g_columnSelected[kTableSlots][kMaxColumns];
int g_keyColumnCount[kTableSlots];
QString g_keyColumnName[kTableSlots][kMaxKeyColumns];

namespace
{
bool validSlot(int t)
{
    return t >= 0 && t < kTableSlots;
}
} // namespace

void ResetTableStore()
{
    for (int t = 0; t < kTableSlots; ++t) {
        g_tableName[t].clear();
        g_tableIdentifier[t].clear();
        g_keyColumnCount[t] = 0;
        g_columnCount[t] = 0;
        for (int j = 0; j < kMaxColumns; ++j) {
            g_columnSelected[t][j] = 0;
            g_columnTypeRow[t][j] = -1;
        }
    }
}

void BeginTableSlot(int t)
{
    if (!validSlot(t))
        return;
    g_keyColumnCount[t] = 0;
    g_columnCount[t] = 0;
}

void SetTableName(int t, const QString& name)
{
    if (validSlot(t))
        g_tableName[t] = name;
}

bool AddKeyColumn(int t, const QString& name)
{
    if (!validSlot(t) || g_keyColumnCount[t] >= kMaxKeyColumns)
        return false;
    g_keyColumnName[t][g_keyColumnCount[t]++] = name;
    return true;
}

bool AddColumn(int t, const QString& name, int typeRow)
{
    if (!validSlot(t) || g_columnCount[t] >= kMaxColumns)
        return false;
    const int j = g_columnCount[t]++;
    g_columnName[t][j] = name;
    g_columnTypeRow[t][j] = typeRow;
    return true;
}
