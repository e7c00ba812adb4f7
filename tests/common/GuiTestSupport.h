#pragma once

// Helpers for the GUI tests only: header-only, so that quillon_testsupport itself needs
// no Qt Widgets.

#include "columns/SpreadSheet.h"

#include <QApplication>
#include <QDialog>
#include <QStyle>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace testsupport
{

// The first child of type T with this accessible name; nullptr when there is none.
template <typename T> T* byName(QWidget& parent, const QString& accessibleName)
{
    const QList<T*> all = parent.findChildren<T*>();
    for (T* w : all) {
        if (w->accessibleName() == accessibleName)
            return w;
    }
    return nullptr;
}

// One cell of a grid, reached through its current row and column as the dialogs do.
inline QString cellText(CSpreadSheet* grid, int row, int col)
{
    grid->SetCurrentRow(row);
    grid->SetCurrentCol(col);
    return grid->GetCellText();
}

inline QString cellValue(CSpreadSheet* grid, int row, int col)
{
    grid->SetCurrentRow(row);
    grid->SetCurrentCol(col);
    return grid->GetCellValue();
}

inline void setCell(CSpreadSheet* grid, int row, int col, const QString& text)
{
    grid->SetCurrentRow(row);
    grid->SetCurrentCol(col);
    grid->SetCellText(text);
}

// Clicks the check box of a cell as the user would.
inline void clickBox(CSpreadSheet* grid, int row, int col)
{
    QTableWidgetItem* item = grid->item(row - 1, col - 1);
    QVERIFY(item);
    grid->scrollToItem(item);
    QStyleOptionViewItem option;
    option.initFrom(grid->viewport());
    option.rect = grid->visualItemRect(item);
    option.features = QStyleOptionViewItem::HasCheckIndicator;
    const QRect box =
        grid->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, grid);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, box.center());
}

// Runs `act` on the modal dialog once it is up. A dialog still open 10 s later is ended
// with -2, so that a failed check does not leave it hanging.
inline void whenModal(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        QTimer::singleShot(10000, dialog, [dialog] {
            if (auto* d = qobject_cast<QDialog*>(dialog))
                d->done(-2);
        });
        act(dialog);
    });
    timer->start();
}

} // namespace testsupport
