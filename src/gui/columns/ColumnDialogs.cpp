#include "ColumnDialogs.h"

#include "SpreadSheet.h"
#include "common/DialogUnits.h"
#include "tabledef/TableStore.h"

#include <QDialog>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace quillon
{

int listedColumns(int slot)
{
    return qBound(0, g_columnCount[slot], kMaxColumns);
}

QPushButton* makeButton(QWidget* parent, const DialogUnits& du, const QString& text, int id, int x,
                        int y, int width, int height)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::number(id));
    du.place(button, x, y, width, height);
    return button;
}

void fillColumnNames(CSpreadSheet& grid, int slot)
{
    grid.SetCurrentRow(0);
    grid.SetCurrentCol(nameCol(slot));
    grid.SetCellText(g_tableName[slot]);
    const int count = listedColumns(slot);
    for (int j = 0; j < count; ++j) {
        grid.SetCurrentRow(j + 1);
        grid.SetCurrentCol(nameCol(slot));
        grid.SetCellText(g_columnName[slot][j]);
        g_columnSelected[slot][j] = 0;
    }
}

void tickAllColumns(CSpreadSheet& grid, int slot)
{
    const int count = listedColumns(slot);
    for (int r = 1; r <= count; ++r) {
        grid.SetCurrentRow(r);
        grid.SetCurrentCol(checkCol(slot));
        grid.SetCellValue(QStringLiteral("1"));
    }
}

void storeTicks(CSpreadSheet& grid, int slot)
{
    const int count = listedColumns(slot);
    for (int j = 0; j < count; ++j) {
        grid.SetCurrentRow(j + 1);
        grid.SetCurrentCol(checkCol(slot));
        g_columnSelected[slot][j] = grid.GetCellValue().startsWith(QLatin1Char('1')) ? 1 : 0;
    }
}

int execCentred(QDialog* dialog)
{
    const QWidget* parent = dialog->parentWidget();
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        dialog->move(screen->availableGeometry().center() - dialog->rect().center());
    return dialog->exec();
}

} // namespace quillon
