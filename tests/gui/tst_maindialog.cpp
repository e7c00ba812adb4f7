// The main window as it opens: controls and their places, menu bar, toolbar, the start-up
// state, the ways it closes, the About box and the command line.
#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "app/AboutDlg.h"
#include "app/CommandIds.h"
#include "app/EditorApp.h"
#include "app/EditorDlg.h"
#include "app/EditorToolBar.h"
#include "app/OutputEdit.h"
#include "common/DialogUnits.h"
#include "settings/Settings.h"
#include "tabledef/TableStore.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <functional>

namespace
{

using testsupport::byName;

// Runs `check` on the next modal dialog once it is open, then closes it with Escape.
void whenModalOpens(std::function<void(QDialog*)> check)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, check] {
        auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dlg && ++*tries < 500)
            return;
        timer->stop();
        timer->deleteLater();
        check(dlg);
        if (dlg)
            QTest::keyClick(dlg, Qt::Key_Escape);
    });
    timer->start();
}

struct Item {
    int id; // 0: separator
    const char* label;
};

} // namespace

class TestMainDialog : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        testsupport::resetAll();
        QGuiApplication::clipboard()->clear();
    }

    void captionIconAndFixedSize()
    {
        CEditorDlg dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Tarn-Quillon"));
        QVERIFY(!dlg.windowIcon().isNull());
        QVERIFY(!dlg.m_hIcon.isNull());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.minimumSize(), dlg.maximumSize());

        // The template's 307 x 350 units are the area below the menu bar.
        const quillon::DialogUnits du(quillon::dialogFont());
        QWidget* client = dlg.m_listTables->parentWidget();
        QCOMPARE(client->size(), du.size(307, 350));
        QCOMPARE(client->y(), dlg.m_menuBar->height());
        QCOMPARE(dlg.width(), client->width());
        QCOMPARE(dlg.height(), dlg.m_menuBar->height() + client->height());
    }

    void controlsAtTheirPlaces()
    {
        CEditorDlg dlg;
        const quillon::DialogUnits du(quillon::dialogFont());
        struct Place {
            const char* name;
            int x, y, w, h;
        };
        const Place places[] = {
            {"SELECT", 238, 31, 50, 14},       {"INSERT", 238, 49, 50, 14},
            {"定義フォルダ", 16, 30, 174, 12}, {"テーブル一覧", 14, 47, 176, 99},
            {"UPDATE", 238, 66, 50, 14},       {"DELETE", 238, 83, 50, 14},
            {"選択クリア", 13, 152, 49, 11},   {"出力", 7, 167, 275, 166},
        };
        for (const Place& p : places) {
            QWidget* w = byName<QWidget>(dlg, QString::fromUtf8(p.name));
            QVERIFY2(w, p.name);
            QCOMPARE(w->geometry(), du.rect(p.x, p.y, p.w, p.h));
        }
        // The toolbar spans the top of the client area and ends above every control.
        QWidget* client = dlg.m_listTables->parentWidget();
        QCOMPARE(dlg.m_toolBar->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(dlg.m_toolBar->width(), client->width());
        QVERIFY(dlg.m_toolBar->geometry().bottom() < dlg.m_editFolder->y());
        QVERIFY(dlg.m_toolBar->geometry().bottom() < du.y(31));
    }

    void controlKinds()
    {
        CEditorDlg dlg;
        auto* select = byName<QPushButton>(dlg, QStringLiteral("SELECT"));
        QVERIFY(select && select->isDefault());
        for (const char* name : {"INSERT", "UPDATE", "DELETE"}) {
            auto* b = byName<QPushButton>(dlg, QString::fromLatin1(name));
            QVERIFY(b);
            QVERIFY(!b->isDefault());
            QCOMPARE(b->focusPolicy(), Qt::ClickFocus); // no tab stop
        }
        auto* clear = byName<QPushButton>(dlg, QStringLiteral("選択クリア"));
        QVERIFY(clear && (clear->focusPolicy() & Qt::TabFocus));

        QVERIFY(dlg.m_editFolder->isReadOnly());
        QCOMPARE(dlg.m_editFolder->maxLength(), 96);
        QCOMPARE(dlg.m_listTables->selectionMode(), QAbstractItemView::MultiSelection);
        QVERIFY(dlg.m_listTables->isSortingEnabled());
        QVERIFY(!dlg.m_editOutput->isReadOnly());
        QCOMPARE(dlg.m_editOutput->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(dlg.m_editOutput->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

        // A click toggles one item.
        dlg.m_listTables->addItems({QStringLiteral("A.sql"), QStringLiteral("B.sql")});
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QListWidget* list = dlg.m_listTables;
        const QPoint a = list->visualItemRect(list->item(0)).center();
        const QPoint b = list->visualItemRect(list->item(1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, a);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, b);
        QCOMPARE(list->selectedItems().size(), 2);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, a);
        QVERIFY(!list->item(0)->isSelected());
        QVERIFY(list->item(1)->isSelected());
    }

    void startUpState_data()
    {
        QTest::addColumn<bool>("clipboardText");
        QTest::newRow("clipboard with text") << true;
        QTest::newRow("empty clipboard") << false;
    }

    void startUpState()
    {
        QFETCH(bool, clipboardText);
        if (clipboardText)
            QGuiApplication::clipboard()->setText(QStringLiteral("text"));
        SetTableName(0, QStringLiteral("LEFT_OVER"));
        AddColumn(0, QStringLiteral("COL"), 2);
        g_tableIdentifier[1] = QStringLiteral("t1");

        CEditorDlg dlg;
        QCOMPARE(dlg.m_bUndoEnabled, 0);
        QVERIFY(!dlg.MenuAction(ID_EDIT_UNDO)->isEnabled());
        QVERIFY(!dlg.MenuAction(ID_EDIT_CUT)->isEnabled());
        QVERIFY(!dlg.MenuAction(ID_EDIT_COPY)->isEnabled());
        QVERIFY(!dlg.MenuAction(ID_EDIT_SELECT_ALL)->isEnabled());
        QCOMPARE(dlg.MenuAction(ID_EDIT_PASTE)->isEnabled(), clipboardText);
        for (int id :
             {ID_FILE_OPEN, ID_APP_EXIT, ID_OPTIONS, ID_ABOUT, ID_HELP_INDEX, ID_HOME_PAGE})
            QVERIFY(dlg.MenuAction(id)->isEnabled());
        // The toolbar's buttons are never grayed.
        for (QAction* a : dlg.m_toolBar->actions())
            QVERIFY(a->isEnabled());

        QVERIFY(dlg.m_strFolder.isEmpty());
        QVERIFY(dlg.m_strOutput.isEmpty());
        QVERIFY(dlg.m_editFolder->text().isEmpty());
        QVERIFY(dlg.m_editOutput->toPlainText().isEmpty());
        QCOMPARE(dlg.m_listTables->count(), 0);
        QCOMPARE(dlg.m_strTypeKind[0], QStringLiteral("VARCHAR2"));
        QCOMPARE(dlg.m_strTypeKind[1], QStringLiteral("CHAR"));
        QCOMPARE(dlg.m_strTypeKind[2], QStringLiteral("NUMBER"));
        QCOMPARE(dlg.m_strTypeKind[3], QStringLiteral("DATE"));
        QVERIFY(dlg.m_strTypeKind[4].isEmpty());

        // The table store was reset.
        for (int t = 0; t < kTableSlots; ++t) {
            QVERIFY(g_tableName[t].isEmpty());
            QVERIFY(g_tableIdentifier[t].isEmpty());
            QCOMPARE(g_columnCount[t], 0);
            QCOMPARE(g_keyColumnCount[t], 0);
        }
        QCOMPARE(g_columnTypeRow[0][0], -1);
    }

    void paste_enabledByClipboardStaysSo()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("text"));
        CEditorDlg dlg;
        QGuiApplication::clipboard()->clear();
        QVERIFY(dlg.MenuAction(ID_EDIT_PASTE)->isEnabled());
    }

    void settingsLoadedOnceAtStart()
    {
        QTemporaryDir dir;
        const QString profile = dir.filePath(QStringLiteral("Quillon.INI"));
        QVERIFY(testsupport::writeFile(profile,
                                       "[PCHK]\r\nChk1=1\r\nChk5=4\r\n[PARAM]\r\nParam1=strSql\r\n"
                                       "[PDATA]\r\nDAT01=VARCHAR2\r\nDAT401=txtWork\r\n"));
        SetProfilePath(profile);

        CEditorDlg dlg;
        QCOMPARE(g_bAddVbVariable, 1);
        QCOMPARE(g_strColumnsPerLine, QStringLiteral("4"));
        QCOMPARE(g_strSqlVariable, QStringLiteral("strSql"));
        QCOMPARE(g_strTypeName[0], QStringLiteral("VARCHAR2"));
        QCOMPARE(g_strDummyControl[0], QStringLiteral("txtWork"));
        QCOMPARE(g_nTypeProcCount, 1);

        // Nothing reads the profile again while the window is open.
        QVERIFY(testsupport::writeFile(profile, "[PARAM]\r\nParam1=changed\r\n"));
        QTemporaryDir folder;
        dlg.OpenFolder(folder.path());
        dlg.OnClearSelection();
        dlg.OnEditSelectAll();
        dlg.UpdateData(false);
        QCOMPARE(g_strSqlVariable, QStringLiteral("strSql"));
        QCOMPARE(g_bAddVbVariable, 1);
    }

    void menuLabelsAndIds()
    {
        CEditorDlg dlg;
        struct Popup {
            const char* title;
            std::initializer_list<Item> items;
        };
        const Popup expected[] = {
            {"ファイル(&F)",
             {{57601, "開く(&O)\tCtrl+O"}, {0, nullptr}, {57665, "アプリケーションの終了(&X)"}}},
            {"編集(&E)",
             {{57643, "元に戻す(&U)\tCtrl+U"},
              {0, nullptr},
              {57635, "切り取り(&T))\tCtrl+T"},
              {57634, "ｺﾋﾟｰ(&C)\tCtrl+C"},
              {57637, "貼り付け(&P)\tCtrl+P"},
              {0, nullptr},
              {57642, "すべて選択(&A)\tCtrl+A"}}},
            {"ツール(&T)", {{32773, "オプション(&O)\tCtrl+O"}}},
            {"ヘルプ(&H(",
             {{32780, "バージョン情報(&A)\tCtrl+A"},
              {57666, "目次次(&C)\tCtrl+C"},
              {0, nullptr},
              {32786, "ホームページ(&W)\tCtrl+W"}}},
        };
        const QList<QAction*> popups = dlg.m_menuBar->actions();
        QCOMPARE(popups.size(), int(std::size(expected)));
        for (int m = 0; m < popups.size(); ++m) {
            QCOMPARE(popups[m]->text(), QString::fromUtf8(expected[m].title));
            QVERIFY(popups[m]->menu());
            const QList<QAction*> items = popups[m]->menu()->actions();
            QCOMPARE(items.size(), int(expected[m].items.size()));
            int i = 0;
            for (const Item& e : expected[m].items) {
                QAction* a = items[i++];
                if (e.id == 0) {
                    QVERIFY(a->isSeparator());
                    continue;
                }
                QCOMPARE(a->text(), QString::fromUtf8(e.label));
                QCOMPARE(a->data().toInt(), e.id);
                // The key names are only text: no key is bound.
                QVERIFY(a->shortcut().isEmpty());
                QCOMPARE(dlg.MenuAction(e.id), a);
            }
        }
    }

    void toolbarOrderTipsAndPictures()
    {
        CEditorDlg dlg;
        const QList<QAction*> actions = dlg.m_toolBar->actions();
        const Item expected[] = {
            {57601, "開く"},   {57665, "終了"},     {0, nullptr}, {57635, "切り取り"},
            {57634, "コピー"}, {57637, "貼り付け"}, {0, nullptr}, {32780, "バージョン情報"},
        };
        QCOMPARE(actions.size(), int(std::size(expected)));
        QCOMPARE(dlg.m_toolBar->m_nButtonCount, 6);
        for (int i = 0; i < actions.size(); ++i) {
            QAction* a = actions[i];
            if (expected[i].id == 0) {
                QVERIFY(a->isSeparator());
                continue;
            }
            const QString tip = QString::fromUtf8(expected[i].label);
            QCOMPARE(a->data().toInt(), expected[i].id);
            QCOMPARE(a->toolTip(), tip);
            QVERIFY(a->shortcut().isEmpty());
            QWidget* button = dlg.m_toolBar->widgetForAction(a);
            QVERIFY(button);
            QCOMPARE(button->accessibleName(), tip);
            const QPixmap picture = a->icon().pixmap(QSize(16, 15));
            QVERIFY(!picture.isNull());
            QCOMPARE(picture.size(), QSize(16, 15));
        }
        QCOMPARE(dlg.m_toolBar->iconSize(), QSize(16, 15));
    }

    void escapeEndsTheDialog()
    {
        CEditorDlg dlg;
        QTimer::singleShot(0, &dlg, [] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        QCOMPARE(dlg.exec(), int(QDialog::Rejected));
        QVERIFY(!dlg.isVisible());
    }

    void escapeInTheOutputEditorEndsTheDialog()
    {
        CEditorDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTest::keyClick(dlg.m_editOutput, Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
    }

    void exitCommandsAndCloseBoxEndTheDialog()
    {
        {
            CEditorDlg dlg;
            dlg.show();
            dlg.MenuAction(ID_APP_EXIT)->trigger();
            QVERIFY(!dlg.isVisible());
        }
        {
            CEditorDlg dlg;
            dlg.show();
            dlg.m_toolBar->CommandAction(ID_APP_EXIT)->trigger();
            QVERIFY(!dlg.isVisible());
        }
        {
            CEditorDlg dlg;
            dlg.show();
            QVERIFY(dlg.close());
            QVERIFY(!dlg.isVisible());
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
        }
    }

    void enterInTheOutputEditorBreaksTheLine()
    {
        CEditorDlg dlg;
        auto* select = byName<QPushButton>(dlg, QStringLiteral("SELECT"));
        QSignalSpy clicked(select, &QPushButton::clicked);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.m_editOutput->setFocus();
        QTest::keyClicks(dlg.m_editOutput, QStringLiteral("ab"));
        QTest::keyClick(dlg.m_editOutput, Qt::Key_Return);
        QTest::keyClicks(dlg.m_editOutput, QStringLiteral("c"));
        QCOMPARE(dlg.m_editOutput->toPlainText(), QStringLiteral("ab\nc"));
        QCOMPARE(clicked.count(), 0);
        QVERIFY(dlg.isVisible());
        // What the user types is not read back.
        QVERIFY(dlg.m_strOutput.isEmpty());
    }

    void updateDataShowsTheMembers()
    {
        CEditorDlg dlg;
        dlg.m_strFolder = QStringLiteral("/data/defs/");
        dlg.m_strOutput = QStringLiteral("SELECT\r\n  A\r\nFROM T\r\n");
        dlg.UpdateData(false);
        QCOMPARE(dlg.m_editFolder->text(), QStringLiteral("/data/defs/"));
        QCOMPARE(dlg.m_editOutput->toPlainText(), QStringLiteral("SELECT\n  A\nFROM T\n"));
    }

    void aboutBox()
    {
        CEditorDlg dlg;
        bool seen = false;
        whenModalOpens([&seen](QDialog* about) {
            QVERIFY(qobject_cast<CAboutDlg*>(about));
            QCOMPARE(about->windowTitle(), QStringLiteral("Quillonのﾊﾞｰｼﾞｮﾝ情報"));
            QVERIFY(byName<QLabel>(*about, QStringLiteral("Quillon Version 1.02")));
            auto* ok = byName<QPushButton>(*about, QStringLiteral("OK"));
            QVERIFY(ok && ok->isDefault());
            const quillon::DialogUnits du(quillon::dialogFont());
            QCOMPARE(about->size(), du.size(235, 55));
            QCOMPARE(ok->geometry(), du.rect(178, 7, 50, 14));
            int labels = 0;
            for (QLabel* label : about->findChildren<QLabel*>())
                labels += label->pixmap().isNull() ? 1 : 0;
            QCOMPARE(labels, 2);
            seen = true;
        });
        dlg.MenuAction(ID_ABOUT)->trigger();
        QVERIFY(seen);

        // The toolbar's About button opens it too; OK closes it.
        seen = false;
        QTimer::singleShot(0, [&seen] {
            auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
            QVERIFY(about);
            seen = true;
            byName<QPushButton>(*about, QStringLiteral("OK"))->click();
        });
        dlg.m_toolBar->CommandAction(ID_ABOUT)->trigger();
        QVERIFY(seen);
    }

    void commandLineFolder()
    {
        QTemporaryDir dir;
        QVERIFY(testsupport::writeFile(dir.filePath(QStringLiteral("B.sql")),
                                       "CREATE TABLE B (X CHAR(1));\n"));
        QVERIFY(testsupport::writeFile(dir.filePath(QStringLiteral("A.sql")),
                                       "CREATE TABLE A (X CHAR(1));\n"));
        QVERIFY(testsupport::writeFile(dir.filePath(QStringLiteral("note.txt")), "x\n"));
        {
            CEditorDlg dlg;
            QVERIFY(CEditorApp::ApplyArguments(dlg, {QStringLiteral("quillon"), dir.path()}));
            QCOMPARE(dlg.m_strFolder, dir.path() + QLatin1Char('/'));
            QCOMPARE(dlg.m_editFolder->text(), QDir::toNativeSeparators(dlg.m_strFolder));
            QCOMPARE(dlg.m_listTables->count(), 2);
            QCOMPARE(dlg.m_listTables->item(0)->text(), QStringLiteral("A.sql"));
            QCOMPARE(dlg.m_listTables->item(1)->text(), QStringLiteral("B.sql"));
        }
        {
            // A file stands for its folder.
            CEditorDlg dlg;
            QVERIFY(CEditorApp::ApplyArguments(
                dlg, {QStringLiteral("quillon"), dir.filePath(QStringLiteral("note.txt"))}));
            QCOMPARE(dlg.m_strFolder, dir.path() + QLatin1Char('/'));
            QCOMPARE(dlg.m_listTables->count(), 2);
        }
        {
            CEditorDlg dlg;
            QVERIFY(CEditorApp::ApplyArguments(dlg, {QStringLiteral("quillon")}));
            QVERIFY(dlg.m_strFolder.isEmpty());
            QVERIFY(!CEditorApp::ApplyArguments(
                dlg, {QStringLiteral("quillon"), dir.filePath(QStringLiteral("missing"))}));
            QVERIFY(!CEditorApp::ApplyArguments(
                dlg, {QStringLiteral("quillon"), dir.path(), dir.path()}));
            QVERIFY(dlg.m_strFolder.isEmpty());
            QCOMPARE(dlg.m_listTables->count(), 0);
        }
    }

    void tabStops()
    {
        CEditorDlg dlg;
        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QCOMPARE(QApplication::focusWidget()->accessibleName(), QStringLiteral("SELECT"));
        QStringList visited;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(QApplication::focusWidget()->accessibleName());
        }
        QCOMPARE(visited, QStringList({QStringLiteral("テーブル一覧"), QStringLiteral("選択クリア"),
                                       QStringLiteral("出力"), QStringLiteral("SELECT")}));
    }

    void accessibleNames()
    {
        CEditorDlg dlg;
        for (const char* name :
             {"SELECT", "INSERT", "UPDATE", "DELETE", "選択クリア", "定義フォルダ", "テーブル一覧",
              "出力", "開く", "終了", "切り取り", "コピー", "貼り付け", "バージョン情報"})
            QVERIFY2(byName<QWidget>(dlg, QString::fromUtf8(name)), name);
    }
};

QTEST_MAIN(TestMainDialog)
#include "tst_maindialog.moc"
