// Column choice for a SELECT over one table.
#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "columns/ColumnSelectDlg.h"
#include "columns/SpreadSheet.h"
#include "common/DialogUnits.h"
#include "tabledef/TableStore.h"

#include <QPushButton>
#include <QtTest>

namespace
{

using testsupport::cellText;
using testsupport::cellValue;
using testsupport::clickBox;
using testsupport::whenModal;

void fillItem()
{
    SetTableName(0, QStringLiteral("ITEM"));
    AddKeyColumn(0, QStringLiteral("ITEM_CD"));
    AddColumn(0, QStringLiteral("ITEM_NAME"), 0);
    AddColumn(0, QStringLiteral("PRICE"), 2);
    AddColumn(0, QStringLiteral("MAKER"), 0);
}

QList<int> selections(int count)
{
    QList<int> out;
    for (int j = 0; j < count; ++j)
        out << g_columnSelected[0][j];
    return out;
}

} // namespace

class TestColumnSelect : public QObject
{
    Q_OBJECT

private slots:
    void init() { testsupport::resetAll(); }

    void layoutFollowsTheTemplate()
    {
        CColumnSelectDlg dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("列名選択ダイアログ"));
        const quillon::DialogUnits du(quillon::dialogFixedFont());
        QCOMPARE(dlg.size(), du.size(247, 283));
        QCOMPARE(dlg.m_buttonOk->text(), QStringLiteral("OK"));
        QCOMPARE(dlg.m_buttonOk->geometry(), du.rect(177, 43, 50, 14));
        QCOMPARE(dlg.m_buttonCancel->text(), QStringLiteral("ｷｬﾝｾﾙ"));
        QCOMPARE(dlg.m_buttonCancel->geometry(), du.rect(177, 64, 50, 14));
        QCOMPARE(dlg.m_buttonSelectAll->text(), QStringLiteral("全て選択"));
        QCOMPARE(dlg.m_buttonSelectAll->geometry(), du.rect(39, 19, 50, 14));
        QCOMPARE(dlg.m_gridColumns->geometry(), du.rect(15, 43, 151, 211));
        QCOMPARE(dlg.m_gridColumns->accessibleName(), QStringLiteral("列一覧"));
        QCOMPARE(dlg.findChild<CSpreadSheet*>(QStringLiteral("1014")), dlg.m_gridColumns);
        QCOMPARE(dlg.findChild<QPushButton*>(QStringLiteral("1013")), dlg.m_buttonSelectAll);
        QCOMPARE(dlg.findChild<QPushButton*>(QStringLiteral("1")), dlg.m_buttonOk);
        QCOMPARE(dlg.findChild<QPushButton*>(QStringLiteral("2")), dlg.m_buttonCancel);
        QVERIFY(dlg.m_buttonOk->isDefault());
        QVERIFY(!(dlg.windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void openingFillsTheGrid()
    {
        fillItem();
        g_columnSelected[0][0] = 1;
        g_columnSelected[0][5] = 7; // beyond the listed columns: never touched
        CColumnSelectDlg dlg;
        QVERIFY(dlg.OnInitDialog());
        CSpreadSheet* grid = dlg.m_gridColumns;
        QCOMPARE(grid->GetRowCount(), 3);
        QCOMPARE(grid->GetColCount(), 2);
        QCOMPARE(cellText(grid, 0, 2), QStringLiteral("ITEM"));
        QCOMPARE(cellText(grid, 1, 2), QStringLiteral("ITEM_NAME"));
        QCOMPARE(cellText(grid, 2, 2), QStringLiteral("PRICE"));
        QCOMPARE(cellText(grid, 3, 2), QStringLiteral("MAKER"));
        for (int r = 1; r <= 3; ++r)
            QCOMPARE(cellValue(grid, r, 1), QStringLiteral("0"));
        QCOMPARE(selections(3), (QList<int>{0, 0, 0}));
        QCOMPARE(g_columnSelected[0][5], 7);
        QVERIFY(grid->updatesEnabled());
    }

    void reopeningForgetsTheLastTable()
    {
        fillItem();
        CColumnSelectDlg dlg;
        QVERIFY(dlg.OnInitDialog());
        dlg.OnSelectAll();
        ResetTableStore();
        SetTableName(0, QStringLiteral("SHOP"));
        AddColumn(0, QStringLiteral("SHOP_NAME"), 0);
        QVERIFY(dlg.OnInitDialog());
        QCOMPARE(dlg.m_gridColumns->GetRowCount(), 1);
        QCOMPARE(cellText(dlg.m_gridColumns, 0, 2), QStringLiteral("SHOP"));
        QCOMPARE(cellText(dlg.m_gridColumns, 1, 2), QStringLiteral("SHOP_NAME"));
        QCOMPARE(cellValue(dlg.m_gridColumns, 1, 1), QStringLiteral("0"));
    }

    void okStoresTheTicks_data()
    {
        QTest::addColumn<QList<int>>("ticked"); // rows clicked
        QTest::addColumn<int>("selectAllPresses");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("none") << QList<int>{} << 0 << QList<int>{0, 0, 0};
        QTest::newRow("first and last") << QList<int>{1, 3} << 0 << QList<int>{1, 0, 1};
        QTest::newRow("select all") << QList<int>{} << 1 << QList<int>{1, 1, 1};
        QTest::newRow("select all twice") << QList<int>{} << 2 << QList<int>{1, 1, 1};
        QTest::newRow("select all keeps ticks") << QList<int>{2} << 1 << QList<int>{1, 1, 1};
    }

    void okStoresTheTicks()
    {
        QFETCH(QList<int>, ticked);
        QFETCH(int, selectAllPresses);
        QFETCH(QList<int>, expected);
        fillItem();
        int result = 0;
        CColumnSelectDlg dlg;
        whenModal([&](QWidget* w) {
            QCOMPARE(w, &dlg);
            for (int r : ticked)
                clickBox(dlg.m_gridColumns, r, 1);
            for (int i = 0; i < selectAllPresses; ++i)
                QTest::mouseClick(dlg.m_buttonSelectAll, Qt::LeftButton);
            QTest::mouseClick(dlg.m_buttonOk, Qt::LeftButton);
        });
        result = dlg.DoModal();
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(selections(3), expected);
    }

    void enterPressesOk()
    {
        fillItem();
        CColumnSelectDlg dlg;
        whenModal([&](QWidget*) {
            QTest::mouseClick(dlg.m_buttonSelectAll, Qt::LeftButton);
            dlg.m_gridColumns->setFocus();
            QTest::keyClick(dlg.m_gridColumns, Qt::Key_Return);
        });
        QCOMPARE(dlg.DoModal(), int(QDialog::Accepted));
        QCOMPARE(selections(3), (QList<int>{1, 1, 1}));
    }

    void cancelKeepsNothing_data()
    {
        QTest::addColumn<int>("how"); // 0 button, 1 Esc, 2 close box
        QTest::newRow("button") << 0;
        QTest::newRow("escape") << 1;
        QTest::newRow("close") << 2;
    }

    void cancelKeepsNothing()
    {
        QFETCH(int, how);
        fillItem();
        g_columnSelected[0][1] = 1;
        CColumnSelectDlg dlg;
        whenModal([&](QWidget*) {
            clickBox(dlg.m_gridColumns, 1, 1);
            QTest::mouseClick(dlg.m_buttonSelectAll, Qt::LeftButton);
            if (how == 0)
                QTest::mouseClick(dlg.m_buttonCancel, Qt::LeftButton);
            else if (how == 1)
                QTest::keyClick(&dlg, Qt::Key_Escape);
            else
                dlg.close();
        });
        QCOMPARE(dlg.DoModal(), int(QDialog::Rejected));
        QCOMPARE(selections(3), (QList<int>{0, 0, 0}));
    }

    void tableWithoutColumns()
    {
        SetTableName(0, QStringLiteral("EMPTY"));
        AddKeyColumn(0, QStringLiteral("ID"));
        g_columnSelected[0][0] = 5;
        CColumnSelectDlg dlg;
        whenModal([&](QWidget*) {
            QCOMPARE(dlg.m_gridColumns->GetRowCount(), 0);
            QCOMPARE(cellText(dlg.m_gridColumns, 0, 2), QStringLiteral("EMPTY"));
            QTest::mouseClick(dlg.m_buttonSelectAll, Qt::LeftButton);
            QTest::mouseClick(dlg.m_buttonOk, Qt::LeftButton);
        });
        QCOMPARE(dlg.DoModal(), int(QDialog::Accepted));
        QCOMPARE(g_columnSelected[0][0], 5);
    }

    void fullTable()
    {
        SetTableName(0, QStringLiteral("WIDE"));
        for (int j = 0; j < kMaxColumns; ++j)
            QVERIFY(AddColumn(0, QStringLiteral("C%1").arg(j), 0));
        CColumnSelectDlg dlg;
        whenModal([&](QWidget*) {
            QCOMPARE(dlg.m_gridColumns->GetRowCount(), kMaxColumns);
            clickBox(dlg.m_gridColumns, kMaxColumns, 1);
            QTest::mouseClick(dlg.m_buttonOk, Qt::LeftButton);
        });
        QCOMPARE(dlg.DoModal(), int(QDialog::Accepted));
        for (int j = 0; j < kMaxColumns - 1; ++j)
            QCOMPARE(g_columnSelected[0][j], 0);
        QCOMPARE(g_columnSelected[0][kMaxColumns - 1], 1);
    }

    void gridThatCannotBeMadeEndsWithMinusOne()
    {
        fillItem();
        g_columnSelected[0][0] = 1;
        CSpreadSheet::FailNextCreate();
        CColumnSelectDlg dlg;
        QCOMPARE(dlg.m_gridColumns, nullptr);
        QCOMPARE(dlg.DoModal(), -1);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(g_columnSelected[0][0], 1);
    }
};

QTEST_MAIN(TestColumnSelect)
#include "tst_columnselect.moc"
