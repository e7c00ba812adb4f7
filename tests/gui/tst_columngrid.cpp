// The grid operations the column dialogs rely on.
#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "columns/SpreadSheet.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

#include <memory>

using testsupport::cellText;
using testsupport::cellValue;
using testsupport::setCell;

class TestColumnGrid : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CSpreadSheet> makeGrid(int rows, int cols)
    {
        std::unique_ptr<CSpreadSheet> grid(CSpreadSheet::Create(nullptr));
        grid->SetColumnKind(1, CSpreadSheet::CheckBoxCell);
        grid->SetColumnKind(2, CSpreadSheet::LabelCell);
        grid->SetColCount(cols);
        grid->SetRowCount(rows);
        return grid;
    }

private slots:
    void init() { testsupport::resetAll(); }

    void countsAreKept()
    {
        auto grid = makeGrid(3, 4);
        QCOMPARE(grid->GetRowCount(), 3);
        QCOMPARE(grid->GetColCount(), 4);
        grid->SetRowCount(0);
        QCOMPARE(grid->GetRowCount(), 0);
        grid->SetRowCount(-5);
        QCOMPARE(grid->GetRowCount(), 0);
    }

    void headerIsRowZero()
    {
        auto grid = makeGrid(2, 3);
        QCOMPARE(cellText(grid.get(), 0, 2), QString());
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), QString()); // not numbered
        setCell(grid.get(), 0, 2, QStringLiteral("ITEM"));
        QCOMPARE(cellText(grid.get(), 0, 2), QStringLiteral("ITEM"));
        QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("ITEM"));
        QCOMPARE(cellText(grid.get(), 1, 2), QString());
    }

    void textCellsRoundTrip()
    {
        auto grid = makeGrid(2, 3);
        setCell(grid.get(), 2, 3, QStringLiteral("識別子"));
        QCOMPARE(cellText(grid.get(), 2, 3), QStringLiteral("識別子"));
        QCOMPARE(grid->item(1, 2)->text(), QStringLiteral("識別子"));
        QCOMPARE(cellValue(grid.get(), 2, 3), QStringLiteral("識別子"));
        QCOMPARE(cellText(grid.get(), 1, 3), QString());
    }

    void outOfRangeCellsAreIgnored()
    {
        auto grid = makeGrid(2, 3);
        setCell(grid.get(), 3, 1, QStringLiteral("x"));
        setCell(grid.get(), 1, 4, QStringLiteral("x"));
        QCOMPARE(cellText(grid.get(), 3, 1), QString());
        QCOMPARE(cellText(grid.get(), 1, 4), QString());
        QCOMPARE(grid->GetRowCount(), 2);
    }

    void checkBoxValues_data()
    {
        QTest::addColumn<QString>("put");
        QTest::addColumn<QString>("read");
        QTest::newRow("one") << "1"
                             << "1";
        QTest::newRow("one and more") << "1x"
                                      << "1";
        QTest::newRow("zero") << "0"
                              << "0";
        QTest::newRow("empty") << ""
                               << "0";
        QTest::newRow("other") << "yes"
                               << "0";
    }

    void checkBoxValues()
    {
        QFETCH(QString, put);
        QFETCH(QString, read);
        auto grid = makeGrid(2, 2);
        QCOMPARE(cellValue(grid.get(), 1, 1), QStringLiteral("0"));
        grid->SetCurrentRow(1);
        grid->SetCurrentCol(1);
        grid->SetCellValue(put);
        QCOMPARE(grid->GetCellValue(), read);
        QCOMPARE(grid->item(0, 0)->checkState(),
                 read == QLatin1String("1") ? Qt::Checked : Qt::Unchecked);
        QCOMPARE(cellValue(grid.get(), 2, 1), QStringLiteral("0"));
    }

    void everyRowOfACheckBoxColumnHasItsBox()
    {
        auto grid = makeGrid(3, 2);
        grid->SetRowCount(5);
        for (int r = 0; r < 5; ++r) {
            QVERIFY(grid->item(r, 0));
            QVERIFY(grid->item(r, 0)->flags() & Qt::ItemIsUserCheckable);
            QCOMPARE(grid->item(r, 0)->checkState(), Qt::Unchecked);
        }
    }

    void nameCellsAreReadOnly()
    {
        auto grid = makeGrid(1, 3);
        setCell(grid.get(), 1, 2, QStringLiteral("PRICE"));
        setCell(grid.get(), 1, 3, QStringLiteral("T1"));
        QVERIFY(!(grid->item(0, 1)->flags() & Qt::ItemIsEditable));
        QVERIFY(grid->item(0, 2)->flags() & Qt::ItemIsEditable);
    }

    void emptyRow()
    {
        auto grid = makeGrid(2, 3);
        for (int r = 1; r <= 2; ++r) {
            setCell(grid.get(), r, 2, QStringLiteral("N%1").arg(r));
            setCell(grid.get(), r, 3, QStringLiteral("T%1").arg(r));
            grid->SetCurrentCol(1);
            grid->SetCellValue(QStringLiteral("1"));
        }
        setCell(grid.get(), 0, 2, QStringLiteral("HEAD"));
        setCell(grid.get(), 1, -1, QString());
        QCOMPARE(cellText(grid.get(), 1, 2), QString());
        QCOMPARE(cellText(grid.get(), 1, 3), QString());
        QCOMPARE(cellValue(grid.get(), 1, 1), QStringLiteral("0"));
        QCOMPARE(cellText(grid.get(), 2, 2), QStringLiteral("N2"));
        QCOMPARE(cellValue(grid.get(), 2, 1), QStringLiteral("1"));
        QCOMPARE(cellText(grid.get(), 0, 2), QStringLiteral("HEAD"));
    }

    void emptyWholeGrid()
    {
        auto grid = makeGrid(3, 3);
        for (int r = 1; r <= 3; ++r) {
            setCell(grid.get(), r, 2, QStringLiteral("N"));
            setCell(grid.get(), r, 3, QStringLiteral("T"));
            grid->SetCurrentCol(1);
            grid->SetCellValue(QStringLiteral("1"));
        }
        setCell(grid.get(), -1, -1, QString());
        for (int r = 1; r <= 3; ++r) {
            QCOMPARE(cellText(grid.get(), r, 2), QString());
            QCOMPARE(cellText(grid.get(), r, 3), QString());
            QCOMPARE(cellValue(grid.get(), r, 1), QStringLiteral("0"));
        }
        QCOMPARE(grid->GetRowCount(), 3);
    }

    void currentCellStaysSelected()
    {
        auto grid = makeGrid(2, 3);
        grid->SetCurrentRow(2);
        grid->SetCurrentCol(3);
        grid->SetCellText(QStringLiteral("A"));
        QCOMPARE(grid->GetCellText(), QStringLiteral("A"));
        grid->SetCellText(QStringLiteral("B"));
        QCOMPARE(grid->GetCellText(), QStringLiteral("B"));
        QCOMPARE(grid->GetCurrentRow(), 2);
        QCOMPARE(grid->GetCurrentCol(), 3);
    }

    void redrawCanBeSuspended()
    {
        auto grid = makeGrid(2, 2);
        grid->SetRedraw(false);
        QVERIFY(!grid->updatesEnabled());
        setCell(grid.get(), 1, 2, QStringLiteral("X"));
        grid->SetRedraw(true);
        QVERIFY(grid->updatesEnabled());
        QCOMPARE(cellText(grid.get(), 1, 2), QStringLiteral("X"));
    }

    void activateCellTakesTyping()
    {
        auto grid = makeGrid(2, 3);
        grid->show();
        QVERIFY(QTest::qWaitForWindowActive(grid.get()));
        grid->SetCurrentRow(2);
        grid->SetCurrentCol(3);
        grid->ActivateCell(0);
        QCOMPARE(grid->currentRow(), 1);
        QCOMPARE(grid->currentColumn(), 2);
        QVERIFY(grid->hasFocus());
        QTest::keyClick(grid.get(), Qt::Key_T);
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(qobject_cast<QLineEdit*>(editor));
        QTest::keyClick(editor, Qt::Key_1);
        // A get sees what is being typed.
        grid->SetCurrentRow(2);
        grid->SetCurrentCol(3);
        QCOMPARE(grid->GetCellText(), QStringLiteral("t1"));
    }

    void spaceTicksTheCurrentBox()
    {
        auto grid = makeGrid(2, 2);
        grid->show();
        QVERIFY(QTest::qWaitForWindowActive(grid.get()));
        grid->SetCurrentRow(2);
        grid->SetCurrentCol(1);
        grid->ActivateCell(0);
        QTest::keyClick(grid.get(), Qt::Key_Space);
        QCOMPARE(cellValue(grid.get(), 2, 1), QStringLiteral("1"));
        QCOMPARE(cellValue(grid.get(), 1, 1), QStringLiteral("0"));
    }

    void createCanBeMadeToFail()
    {
        CSpreadSheet::FailNextCreate();
        QCOMPARE(CSpreadSheet::Create(nullptr), nullptr);
        std::unique_ptr<CSpreadSheet> grid(CSpreadSheet::Create(nullptr));
        QVERIFY(grid);
    }
};

QTEST_MAIN(TestColumnGrid)
#include "tst_columngrid.moc"
