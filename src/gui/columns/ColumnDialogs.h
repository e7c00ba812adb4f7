#pragma once

#include <QString>

class CSpreadSheet;
class QDialog;
class QPushButton;
class QWidget;

namespace quillon
{

class DialogUnits;

// What the two column dialogs share. In their column grid table slot t has its check
// boxes in column 2t+1 and its names in column 2t+2; row 0 holds the table name, row j+1
// column j of the slot.

constexpr int checkCol(int slot)
{
    return 2 * slot + 1;
}

constexpr int nameCol(int slot)
{
    return 2 * slot + 2;
}

// The columns of table slot `slot` that the dialogs list.
int listedColumns(int slot);
// A push button named by its template id and placed at its template rectangle.
QPushButton* makeButton(QWidget* parent, const DialogUnits& du, const QString& text, int id, int x,
                        int y, int width, int height);
// Writes the table name and the column names of `slot` and clears the slot's selections.
void fillColumnNames(CSpreadSheet& grid, int slot);
// Ticks every listed column of `slot`.
void tickAllColumns(CSpreadSheet& grid, int slot);
// Stores the ticks of `slot` as its selections.
void storeTicks(CSpreadSheet& grid, int slot);
// Centres the dialog on its parent's screen (the primary one without a parent) and runs it.
int execCentred(QDialog* dialog);

} // namespace quillon
