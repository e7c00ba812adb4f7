#pragma once

#include <QString>

// The user's settings, held for the whole run and persisted in the INI profile.

constexpr int kTypeProcRows = 10;

extern int g_bAddVbVariable;          // PCHK/Chk1: wrap statement lines as VB (on when == 1)
extern QString g_strSqlVariable;      // PARAM/Param1
extern int g_bAddLf;                  // PCHK/Chk2
extern int g_bAddColumnComment;       // PCHK/Chk3
extern int g_bAddObjectVariables;     // PCHK/Chk4
extern QString g_strColumnsPerLine;   // PCHK/Chk5, held as text
extern QString g_strSessionVariable;  // PARAM/Param2
extern QString g_strDatabaseVariable; // PARAM/Param3
extern QString g_strDynasetVariable;  // PARAM/Param4

// Type-procedure table, rows 0..9 (element 10 unused), section PDATA.
extern QString g_strTypeName[kTypeProcRows + 1];      // DAT01..DAT10
extern QString g_strReadFunction[kTypeProcRows + 1];  // DAT201..DAT210
extern QString g_strWriteFunction[kTypeProcRows + 1]; // DAT301..DAT310
extern QString g_strDummyControl[kTypeProcRows + 1];  // DAT401..DAT410
extern int g_nTypeProcCount; // rows with a type name (counted at load and after each save)

// Every setting at its default (flags 0, texts empty, columns per line "0", table empty).
void ResetSettings();

// The profile in use: $XDG_CONFIG_HOME/Quillon/Quillon.INI (else ~/.config/Quillon/)
// unless set. An empty path means "no profile": loads give defaults, saves fail.
// The profile format is described in IniProfile.h.
QString DefaultProfilePath();
void SetProfilePath(const QString& path);
QString ProfilePath();

// Reads every setting and the whole type-procedure table from the profile. A missing or
// unreadable profile, section or key gives the default of that value.
void LoadSettings();

// Every save reads the profile again first, so keys, sections and comments written by
// others are kept, then replaces the file in one step: a failed save leaves it as it was.
// On failure *error holds a message for the user; the in-memory values stay in force
// either way, and g_nTypeProcCount is recounted.

// Writes the nine scalar settings.
bool SaveSettings(QString* error = nullptr);

// Assigns column k (1..4) of row r (0..9) and writes its key; an empty text removes the
// key (clearing the type cell, k == 1, clears the whole row in memory and profile).
bool SaveTypeProcCell(int r, int k, const QString& text, QString* error = nullptr);

// Makes the whole type-procedure table cells[r][k-1] (columns k = 1..4) in one save: a row
// whose type cell is empty is cleared whole, and every empty cell removes its key.
bool SaveTypeProcTable(const QString cells[kTypeProcRows][4], QString* error = nullptr);

// The first row r (0..9) whose type name equals kind exactly; -1 when none.
int FindTypeRow(const QString& kind);
