#pragma once

#include <QString>

// The table definition store: one slot per table of the command in progress.
// Fixed capacities; nothing is ever written past them.

constexpr int kTableSlots = 6;
constexpr int kMaxColumns = 242;
constexpr int kMaxKeyColumns = 10;

extern QString g_tableName[kTableSlots];
extern QString g_tableIdentifier[kTableSlots];
extern int g_columnCount[kTableSlots];
extern QString g_columnName[kTableSlots][kMaxColumns];
extern int g_columnTypeRow[kTableSlots][kMaxColumns];
extern int g_columnSelected[kTableSlots][kMaxColumns];
extern int g_keyColumnCount[kTableSlots];
extern QString g_keyColumnName[kTableSlots][kMaxKeyColumns];

// Every slot empty: no name, identifier, columns or keys; selections 0, type rows -1.
void ResetTableStore();
// Empties the column and key lists of slot t (name, identifier, selections stay).
void BeginTableSlot(int t);
void SetTableName(int t, const QString& name);
// Append to slot t; false (and nothing stored) when the slot is full or t is out of range.
bool AddKeyColumn(int t, const QString& name);
bool AddColumn(int t, const QString& name, int typeRow);
