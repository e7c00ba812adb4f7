// Column choice for a SELECT over several tables: identifiers and ticks.
#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "columns/JoinSelectDlg.h"
#include "columns/SpreadSheet.h"
#include "common/DialogUnits.h"
#include "common/MessageBox.h"
#include "tabledef/TableStore.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace
{

using testsupport::cellText;
using testsupport::cellValue;
using testsupport::clickBox;
using testsupport::whenModal;

// Types into whatever has the keyboard focus, as the user would.
void typeText(const QString& text)
{
    for (const QChar c : text) {
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target);
        QTest::sendKeyEvent(QTest::KeyAction::Click, target, Qt::Key_unknown, c, Qt::NoModifier);
    }
}

void pressEnter()
{
    QWidget* target = QApplication::focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, Qt::Key_Return);
}

// Starts typing into a cell of the table grid.
void goToCell(CSpreadSheet* grid, int row, int col)
{
    grid->setFocus();
    grid->setCurrentCell(row - 1, col - 1);
}

void fillTable(int t, const QString& name, const QStringList& columns)
{
    SetTableName(t, name);
    for (const QString& c : columns)
        AddColumn(t, c, 0);
}

// The tables of the example: ORDERS (3 columns) and CUSTOMER (2 columns).
void fillOrdersCustomer()
{
    fillTable(0, QStringLiteral("ORDERS"),
              {QStringLiteral("ORDER_DATE"), QStringLiteral("AMOUNT"), QStringLiteral("NOTE")});
    fillTable(1, QStringLiteral("CUSTOMER"), {QStringLiteral("NAME"), QStringLiteral("CITY")});
}

void fillFive()
{
    for (int t = 0; t < 5; ++t) {
        QStringList columns;
        for (int j = 0; j <= t; ++j)
            columns << QStringLiteral("COL%1_%2").arg(t).arg(j);
        fillTable(t, QStringLiteral("TABLE%1").arg(t), columns);
    }
}

QList<int> selections(int t)
{
    QList<int> out;
    for (int j = 0; j < g_columnCount[t]; ++j)
        out << g_columnSelected[t][j];
    return out;
}

const int kButtonIds[5] = {1024, 1014, 1021, 1022, 1023};

} // namespace

class TestJoinSelect : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        testsupport::resetAll();
        quillon::MessageBox::takeShownTexts();
    }

    void layoutFollowsTheTemplate()
    {
        CJoinSelectDlg dlg(2);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("連結セレクト列名選択ダイアログ"));
        const quillon::DialogUnits du(quillon::dialogFont());
        QCOMPARE(dlg.size(), du.size(451, 332));
        QCOMPARE(dlg.m_buttonOk->text(), QStringLiteral("OK"));
        QCOMPARE(dlg.m_buttonOk->geometry(), du.rect(144, 19, 50, 14));
        QCOMPARE(dlg.m_buttonCancel->text(), QStringLiteral("ｷｬﾝｾﾙ"));
        QCOMPARE(dlg.m_buttonCancel->geometry(), du.rect(144, 36, 50, 14));
        QCOMPARE(dlg.m_gridColumns->geometry(), du.rect(7, 108, 432, 211));
        QCOMPARE(dlg.m_gridTables->geometry(), du.rect(7, 13, 114, 61));
        QCOMPARE(dlg.m_gridColumns->accessibleName(), QStringLiteral("列一覧"));
        QCOMPARE(dlg.m_gridTables->accessibleName(), QStringLiteral("テーブルと識別子"));
        QCOMPARE(dlg.findChild<CSpreadSheet*>(QStringLiteral("1020")), dlg.m_gridColumns);
        QCOMPARE(dlg.findChild<CSpreadSheet*>(QStringLiteral("1015")), dlg.m_gridTables);
        const QRect rects[5] = {du.rect(39, 89, 43, 14), du.rect(119, 88, 43, 14),
                                du.rect(202, 87, 43, 14), du.rect(285, 88, 43, 14),
                                du.rect(369, 88, 43, 14)};
        for (int t = 0; t < 5; ++t) {
            QPushButton* b = dlg.m_buttonSelectAll[t];
            QCOMPARE(b->text(), QStringLiteral("全て選択"));
            QCOMPARE(b->geometry(), rects[t]);
            QCOMPARE(b->objectName(), QString::number(kButtonIds[t]));
            QCOMPARE(dlg.findChild<QPushButton*>(QString::number(kButtonIds[t])), b);
        }
        QCOMPARE(cellText(dlg.m_gridTables, 0, 1), QStringLiteral("テーブル名"));
        QCOMPARE(cellText(dlg.m_gridTables, 0, 2), QStringLiteral("識別子"));
        QVERIFY(dlg.m_buttonOk->isDefault());
    }

    void openingFillsBothGrids_data()
    {
        QTest::addColumn<int>("tables");
        QTest::newRow("two") << 2;
        QTest::newRow("five") << 5;
    }

    void openingFillsBothGrids()
    {
        QFETCH(int, tables);
        fillFive();
        for (int t = 0; t < 6; ++t) {
            g_tableIdentifier[t] = QStringLiteral("OLD");
            g_columnSelected[t][0] = 1;
        }
        CJoinSelectDlg dlg(tables);
        QVERIFY(dlg.OnInitDialog());
        CSpreadSheet* names = dlg.m_gridTables;
        CSpreadSheet* columns = dlg.m_gridColumns;
        QCOMPARE(names->GetRowCount(), tables);
        QCOMPARE(columns->GetColCount(), 2 * tables);
        QCOMPARE(columns->GetRowCount(), tables); // table t has t+1 columns
        for (int t = 0; t < tables; ++t) {
            QCOMPARE(cellText(names, t + 1, 1), QStringLiteral("TABLE%1").arg(t));
            QCOMPARE(cellText(names, t + 1, 2), QString());
            QCOMPARE(g_tableIdentifier[t], QString());
            QCOMPARE(cellText(columns, 0, 2 * t + 2), QStringLiteral("TABLE%1").arg(t));
            for (int r = 1; r <= tables; ++r) {
                QCOMPARE(cellText(columns, r, 2 * t + 2),
                         r <= t + 1 ? QStringLiteral("COL%1_%2").arg(t).arg(r - 1) : QString());
                QCOMPARE(cellValue(columns, r, 2 * t + 1), QStringLiteral("0"));
            }
            QCOMPARE(g_columnSelected[t][0], 0);
            QVERIFY(!dlg.m_buttonSelectAll[t]->isHidden());
        }
        for (int t = tables; t < 5; ++t)
            QVERIFY(dlg.m_buttonSelectAll[t]->isHidden());
        // Slots beyond n are left alone.
        for (int t = tables; t < 6; ++t) {
            QCOMPARE(g_tableIdentifier[t], QStringLiteral("OLD"));
            QCOMPARE(g_columnSelected[t][0], 1);
        }
        QVERIFY(names->updatesEnabled());
        QVERIFY(columns->updatesEnabled());
    }

    void firstIdentifierIsReadyForTyping()
    {
        fillOrdersCustomer();
        CJoinSelectDlg dlg(2);
        whenModal([&](QWidget*) {
            QVERIFY(QTest::qWaitForWindowActive(&dlg));
            QCOMPARE(QApplication::focusWidget(), dlg.m_gridTables);
            QCOMPARE(dlg.m_gridTables->currentRow(), 0);
            QCOMPARE(dlg.m_gridTables->currentColumn(), 1);
            typeText(QStringLiteral("T1"));
            QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
            QCOMPARE(cellText(dlg.m_gridTables, 1, 2), QStringLiteral("T1"));
            dlg.reject();
        });
        QCOMPARE(dlg.DoModal(), int(QDialog::Rejected));
    }

    // The example: T1 and T2 typed, ORDER_DATE, NOTE and CITY ticked.
    void okStoresIdentifiersAndTicks()
    {
        fillOrdersCustomer();
        CJoinSelectDlg dlg(2);
        whenModal([&](QWidget*) {
            QCOMPARE(dlg.m_gridColumns->GetRowCount(), 3);
            QCOMPARE(cellText(dlg.m_gridColumns, 3, 4), QString());
            QVERIFY(QTest::qWaitForWindowActive(&dlg));
            typeText(QStringLiteral("T1"));
            pressEnter(); // keeps T1 and moves down to the second identifier
            QCOMPARE(dlg.m_gridTables->currentRow(), 1);
            QCOMPARE(dlg.m_gridTables->currentColumn(), 1);
            typeText(QStringLiteral("T2"));
            clickBox(dlg.m_gridColumns, 1, 1);
            clickBox(dlg.m_gridColumns, 3, 1);
            clickBox(dlg.m_gridColumns, 2, 3);
            clickBox(dlg.m_gridColumns, 3, 3); // below CUSTOMER's last column: ignored
            QTest::mouseClick(dlg.m_buttonOk, Qt::LeftButton);
        });
        QCOMPARE(dlg.DoModal(), int(QDialog::Accepted));
        QCOMPARE(g_tableIdentifier[0], QStringLiteral("T1"));
        QCOMPARE(g_tableIdentifier[1], QStringLiteral("T2"));
        QCOMPARE(selections(0), (QList<int>{1, 0, 1}));
        QCOMPARE(selections(1), (QList<int>{0, 1}));
        QCOMPARE(g_columnSelected[1][2], 0);
        QVERIFY(quillon::MessageBox::takeShownTexts().isEmpty());
    }

    void identifiersAreKeptAsTyped()
    {
        fillOrdersCustomer();
        CJoinSelectDlg dlg(2);
        whenModal([&](QWidget*) {
            dlg.m_gridTables->SetCurrentRow(1);
            dlg.m_gridTables->SetCurrentCol(2);
            dlg.m_gridTables->SetCellText(QStringLiteral(" a "));
            dlg.m_gridTables->SetCurrentRow(2);
            dlg.m_gridTables->SetCellText(QStringLiteral(" a "));
            QTest::mouseClick(dlg.m_buttonOk, Qt::LeftButton);
        });
        QCOMPARE(dlg.DoModal(), int(QDialog::Accepted));
        QCOMPARE(g_tableIdentifier[0], QStringLiteral(" a "));
        QCOMPARE(g_tableIdentifier[1], QStringLiteral(" a "));
    }

    void missingIdentifierKeepsTheDialogOpen_data()
    {
        QTest::addColumn<QString>("second");
        QTest::newRow("empty") << QString();
        QTest::newRow("blank") << QStringLiteral(" ");
        QTest::newRow("blanks") << QStringLiteral("   ");
        QTest::newRow("ideographic blank") << QStringLiteral("\u3000");
        QTest::newRow("tab") << QStringLiteral("\t");
    }

    void missingIdentifierKeepsTheDialogOpen()
    {
        QFETCH(QString, second);
        fillOrdersCustomer();
        CJoinSelectDlg dlg(2);
        bool stayedOpen = false;
        whenModal([&](QWidget*) {
            QVERIFY(QTest::qWaitForWindowActive(&dlg));
            typeText(QStringLiteral("A"));
            dlg.m_gridTables->SetCurrentRow(2);
            dlg.m_gridTables->SetCurrentCol(2);
            dlg.m_gridTables->SetCellText(second);
            clickBox(dlg.m_gridColumns, 2, 1);
            quillon::MessageBox::setNextAnswer(QMessageBox::Ok);
            QTest::mouseClick(dlg.m_buttonOk, Qt::LeftButton);
            QCOMPARE(quillon::MessageBox::takeShownTexts(),
                     QStringList{QStringLiteral("識別子が入力されていません!")});
            stayedOpen = dlg.isVisible();
            // What was typed and ticked is still there; nothing was read from the ticks.
            QCOMPARE(cellText(dlg.m_gridTables, 1, 2), QStringLiteral("A"));
            QCOMPARE(cellText(dlg.m_gridTables, 2, 2), second);
            QCOMPARE(cellValue(dlg.m_gridColumns, 2, 1), QStringLiteral("1"));
            QCOMPARE(g_tableIdentifier[0], QStringLiteral("A"));
            QCOMPARE(g_tableIdentifier[1], QString());
            QCOMPARE(selections(0), (QList<int>{0, 0, 0}));
            // Giving the identifier and pressing OK again succeeds.
            goToCell(dlg.m_gridTables, 2, 2);
            typeText(QStringLiteral("B"));
            QTest::mouseClick(dlg.m_buttonOk, Qt::LeftButton);
        });
        QCOMPARE(dlg.DoModal(), int(QDialog::Accepted));
        QVERIFY(stayedOpen);
        QCOMPARE(g_tableIdentifier[0], QStringLiteral("A"));
        QCOMPARE(g_tableIdentifier[1], QStringLiteral("B"));
        QCOMPARE(selections(0), (QList<int>{0, 1, 0}));
        QCOMPARE(selections(1), (QList<int>{0, 0}));
    }

    void selectAllTicksOneTable_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("presses");
        for (int t = 0; t < 5; ++t) {
            QTest::addRow("slot %d once", t) << t << 1;
            QTest::addRow("slot %d twice", t) << t << 2;
        }
    }

    void selectAllTicksOneTable()
    {
        QFETCH(int, slot);
        QFETCH(int, presses);
        fillFive();
        CJoinSelectDlg dlg(5);
        whenModal([&](QWidget*) {
            for (int t = 0; t < 5; ++t) {
                dlg.m_gridTables->SetCurrentRow(t + 1);
                dlg.m_gridTables->SetCurrentCol(2);
                dlg.m_gridTables->SetCellText(QStringLiteral("I%1").arg(t));
            }
            for (int i = 0; i < presses; ++i)
                QTest::mouseClick(dlg.m_buttonSelectAll[slot], Qt::LeftButton);
            // Rows below the table's last column stay unticked.
            for (int r = slot + 2; r <= 5; ++r)
                QCOMPARE(cellValue(dlg.m_gridColumns, r, 2 * slot + 1), QStringLiteral("0"));
            QTest::mouseClick(dlg.m_buttonOk, Qt::LeftButton);
        });
        QCOMPARE(dlg.DoModal(), int(QDialog::Accepted));
        for (int t = 0; t < 5; ++t) {
            QCOMPARE(g_tableIdentifier[t], QStringLiteral("I%1").arg(t));
            for (int j = 0; j <= t; ++j)
                QCOMPARE(g_columnSelected[t][j], t == slot ? 1 : 0);
        }
    }

    void cancelStoresNothing_data()
    {
        QTest::addColumn<int>("how"); // 0 button, 1 Esc, 2 close box
        QTest::newRow("button") << 0;
        QTest::newRow("escape") << 1;
        QTest::newRow("close") << 2;
    }

    void cancelStoresNothing()
    {
        QFETCH(int, how);
        fillOrdersCustomer();
        g_tableIdentifier[0] = QStringLiteral("OLD");
        g_columnSelected[1][1] = 1;
        CJoinSelectDlg dlg(2);
        whenModal([&](QWidget*) {
            QVERIFY(QTest::qWaitForWindowActive(&dlg));
            typeText(QStringLiteral("T1"));
            QTest::mouseClick(dlg.m_buttonSelectAll[0], Qt::LeftButton);
            QTest::mouseClick(dlg.m_buttonSelectAll[1], Qt::LeftButton);
            if (how == 0) {
                QTest::mouseClick(dlg.m_buttonCancel, Qt::LeftButton);
            } else if (how == 1) {
                dlg.m_gridColumns->setFocus();
                QTest::keyClick(dlg.m_gridColumns, Qt::Key_Escape);
            } else {
                dlg.close();
            }
        });
        QCOMPARE(dlg.DoModal(), int(QDialog::Rejected));
        QCOMPARE(g_tableIdentifier[0], QString());
        QCOMPARE(g_tableIdentifier[1], QString());
        QCOMPARE(selections(0), (QList<int>{0, 0, 0}));
        QCOMPARE(selections(1), (QList<int>{0, 0}));
    }

    void tableWithoutColumns()
    {
        fillTable(0, QStringLiteral("EMPTY"), {});
        fillTable(1, QStringLiteral("CUSTOMER"), {QStringLiteral("NAME")});
        g_columnSelected[0][0] = 9;
        CJoinSelectDlg dlg(2);
        whenModal([&](QWidget*) {
            QCOMPARE(dlg.m_gridColumns->GetRowCount(), 1);
            QCOMPARE(cellText(dlg.m_gridColumns, 0, 2), QStringLiteral("EMPTY"));
            QCOMPARE(cellText(dlg.m_gridColumns, 1, 2), QString());
            QTest::mouseClick(dlg.m_buttonSelectAll[0], Qt::LeftButton);
            QCOMPARE(cellValue(dlg.m_gridColumns, 1, 1), QStringLiteral("0"));
            for (int t = 0; t < 2; ++t) {
                dlg.m_gridTables->SetCurrentRow(t + 1);
                dlg.m_gridTables->SetCurrentCol(2);
                dlg.m_gridTables->SetCellText(QStringLiteral("X"));
            }
            QTest::mouseClick(dlg.m_buttonOk, Qt::LeftButton);
        });
        QCOMPARE(dlg.DoModal(), int(QDialog::Accepted));
        QCOMPARE(g_columnSelected[0][0], 9);
        QCOMPARE(selections(1), (QList<int>{0}));
    }

    void noTableHasColumns()
    {
        fillTable(0, QStringLiteral("A"), {});
        fillTable(1, QStringLiteral("B"), {});
        CJoinSelectDlg dlg(2);
        QVERIFY(dlg.OnInitDialog());
        QCOMPARE(dlg.m_gridColumns->GetRowCount(), 0);
        QCOMPARE(dlg.m_gridColumns->GetColCount(), 4);
    }

    void gridThatCannotBeMadeEndsWithMinusOne_data()
    {
        QTest::addColumn<int>("gridsBefore"); // grids made before the one that fails
        QTest::newRow("column grid") << 0;
        QTest::newRow("table grid") << 1;
    }

    void gridThatCannotBeMadeEndsWithMinusOne()
    {
        QFETCH(int, gridsBefore);
        fillOrdersCustomer();
        g_tableIdentifier[0] = QStringLiteral("OLD");
        g_columnSelected[0][0] = 1;
        CSpreadSheet::FailNextCreate(gridsBefore);
        CJoinSelectDlg dlg(2);
        QCOMPARE(!dlg.m_gridColumns, gridsBefore == 0);
        QCOMPARE(!dlg.m_gridTables, gridsBefore == 1);
        QCOMPARE(dlg.DoModal(), -1);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(g_tableIdentifier[0], QStringLiteral("OLD"));
        QCOMPARE(g_columnSelected[0][0], 1);
    }
};

QTEST_MAIN(TestJoinSelect)
#include "tst_joinselect.moc"
