// The four statement buttons of the main window, end to end: list items selected, buttons
// pressed, columns chosen in the real dialogs, the output editor compared with the
// expected text.
#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "app/EditorDlg.h"
#include "app/OutputEdit.h"
#include "columns/ColumnSelectDlg.h"
#include "columns/JoinSelectDlg.h"
#include "columns/SpreadSheet.h"
#include "settings/Settings.h"
#include "tabledef/TableStore.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace
{

using testsupport::clickBox;

constexpr int kSelectButton = 1002;
constexpr int kInsertButton = 1003;
constexpr int kUpdateButton = 1004;
constexpr int kDeleteButton = 1005;

const QString kNoTable = QStringLiteral("テーブルが選択されていません!");
const QString kReadFailed = QStringLiteral("ファイルの読み込みに失敗しました!");
const QString kTooMany = QStringLiteral("テーブルは4つまで選択してください!");

QByteArray table(const QString& name, const QStringList& keys, const QStringList& others)
{
    QStringList all = keys;
    all += others;
    QByteArray text = "CREATE TABLE " + name.toLatin1() + " (\n";
    for (const QString& c : all)
        text += " " + c.toLatin1() +
                (c.startsWith(QLatin1String("PRICE")) || c.startsWith(QLatin1String("QTY"))
                     ? " NUMBER(7),\n"
                     : " VARCHAR2(8),\n");
    if (!keys.isEmpty())
        text += " CONSTRAINT PK_" + name.toLatin1() + " PRIMARY KEY (" +
                keys.join(QStringLiteral(", ")).toLatin1() + ")\n";
    else
        text.chop(2), text += "\n";
    text += ");\n";
    return text;
}

// Definition folders by name: file name and contents.
QList<QPair<QString, QByteArray>> definitionSet(const QString& set)
{
    if (set == QLatin1String("item"))
        return {{QStringLiteral("ITEM.sql"),
                 "CREATE TABLE ITEM (\n ITEM_CD VARCHAR2(8),\n ITEM_NAME VARCHAR2(40),\n"
                 " PRICE NUMBER(7),\n CONSTRAINT PK_ITEM PRIMARY KEY (ITEM_CD)\n);\n"}};
    if (set == QLatin1String("join"))
        return {{QStringLiteral("ITEM.sql"),
                 "CREATE TABLE ITEM (\n ITEM_CD VARCHAR2(8),\n SHOP_CD VARCHAR2(4),\n"
                 " ITEM_NAME VARCHAR2(40),\n PRICE NUMBER(7),\n"
                 " CONSTRAINT PK_ITEM PRIMARY KEY (ITEM_CD, SHOP_CD)\n);\n"},
                {QStringLiteral("STOCK.sql"),
                 "CREATE TABLE STOCK (\n ITEM_CD VARCHAR2(8),\n WH_CD VARCHAR2(4),\n"
                 " SHOP_CD VARCHAR2(4),\n QTY NUMBER(7),\n"
                 " CONSTRAINT PK_STOCK PRIMARY KEY (ITEM_CD, WH_CD)\n);\n"}};
    if (set == QLatin1String("three"))
        return {{QStringLiteral("T_A.sql"), table(QStringLiteral("T_A"), {"K"}, {"X"})},
                {QStringLiteral("T_B.sql"), table(QStringLiteral("T_B"), {"K"}, {"Y"})},
                {QStringLiteral("T_C.sql"), table(QStringLiteral("T_C"), {"K"}, {"Z"})}};
    if (set == QLatin1String("four") || set == QLatin1String("five"))
        return {{QStringLiteral("T_W.sql"), table(QStringLiteral("T_W"), {"K"}, {"W1"})},
                {QStringLiteral("T_X.sql"), table(QStringLiteral("T_X"), {"K"}, {"X1", "X2"})},
                {QStringLiteral("T_Y.sql"), table(QStringLiteral("T_Y"), {"K"}, {"Y1"})},
                {QStringLiteral("T_Z.sql"), table(QStringLiteral("T_Z"), {"K"}, {"Z1"})},
                {QStringLiteral("T_ZZ.sql"), table(QStringLiteral("T_ZZ"), {"K"}, {"Z2"})}};
    return {};
}

// The settings of the object-code example.
void useObjectCodeSettings()
{
    g_bAddVbVariable = 1;
    g_bAddLf = 1;
    g_bAddObjectVariables = 1;
    g_bAddColumnComment = 1;
    g_strSqlVariable = QStringLiteral("sql");
    g_strSessionVariable = QStringLiteral("ses");
    g_strDatabaseVariable = QStringLiteral("db");
    g_strDynasetVariable = QStringLiteral("dyn");
    g_strTypeName[0] = QStringLiteral("VARCHAR2");
    g_strReadFunction[0] = QStringLiteral("NullToStr");
    g_strWriteFunction[0] = QStringLiteral("SqlStr");
    g_strDummyControl[0] = QStringLiteral("strWork");
    g_strTypeName[1] = QStringLiteral("NUMBER");
    g_strDummyControl[1] = QStringLiteral("lngWork");
    g_nTypeProcCount = 2;
}

QString golden(const QString& name)
{
    return QString::fromUtf8(
        testsupport::readFile(testsupport::dataPath(QStringLiteral("statements/") + name)));
}

// Answers every modal window that comes up while a command runs: message boxes are
// recorded and closed with OK; a column dialog is handed to `onDialog` (Cancel when
// none is given).
class ModalWatcher : public QObject
{
public:
    std::function<void(QDialog*)> onDialog;
    QStringList messages;
    int dialogs = 0;

    ModalWatcher()
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &ModalWatcher::poll);
        m_timer.start();
    }

private:
    void poll()
    {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible() || m_seen.contains(w))
            return;
        m_seen.append(w);
        QPointer<QWidget> guarded(w);
        // Acted on from a timer of its own, so that this one keeps watching.
        QTimer::singleShot(0, this, [this, guarded] {
            if (!guarded)
                return;
            if (auto* box = qobject_cast<QMessageBox*>(guarded.data())) {
                messages << box->text();
                box->button(QMessageBox::Ok)->click();
                return;
            }
            auto* dialog = qobject_cast<QDialog*>(guarded.data());
            QVERIFY(dialog);
            ++dialogs;
            QTimer::singleShot(10000, dialog, [dialog] { dialog->done(-2); });
            if (onDialog)
                onDialog(dialog);
            else
                dialog->reject();
        });
    }

    QTimer m_timer;
    QList<QPointer<QWidget>> m_seen;
};

// Where the keyboard goes: the focus widget of the active modal window.
QWidget* keyboardTarget()
{
    QWidget* window = QApplication::activeModalWidget();
    if (window && !window->isActiveWindow()) {
        // A closed message box does not hand the activation back by itself here.
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window);
    }
    if (QWidget* w = QApplication::focusWidget())
        return w;
    return window ? window->focusWidget() : nullptr;
}

void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = keyboardTarget();
    QVERIFY(target);
    QTest::keyClick(target, key, modifiers);
}

void typeText(const QString& text)
{
    for (const QChar c : text) {
        QWidget* target = keyboardTarget();
        QVERIFY(target);
        QTest::sendKeyEvent(QTest::KeyAction::Click, target, Qt::Key_unknown, c, Qt::NoModifier);
    }
}

// Ticks the box beside a column name; names are "slot:COLUMN".
void tickColumn(CSpreadSheet* grid, const QString& tick)
{
    const int slot = tick.section(QLatin1Char(':'), 0, 0).toInt();
    const QString name = tick.section(QLatin1Char(':'), 1);
    for (int r = 1; r <= grid->GetRowCount(); ++r) {
        grid->SetCurrentRow(r);
        grid->SetCurrentCol(2 * slot + 2);
        if (grid->GetCellText() == name) {
            clickBox(grid, r, 2 * slot + 1);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no column ") + tick));
}

// What the user does in a column dialog.
struct Choice {
    QStringList identifiers; // typed one after the other, Enter between them
    QStringList ticks;       // "slot:COLUMN"
    QList<int> selectAll;    // slots whose select-all button is pressed
    bool ok = true;
};

void choose(QDialog* dialog, const Choice& choice)
{
    if (auto* one = qobject_cast<CColumnSelectDlg*>(dialog)) {
        for (const QString& tick : choice.ticks)
            tickColumn(one->m_gridColumns, tick);
        for (int slot : choice.selectAll) {
            QCOMPARE(slot, 0);
            QTest::mouseClick(one->m_buttonSelectAll, Qt::LeftButton);
        }
        QTest::mouseClick(choice.ok ? one->m_buttonOk : one->m_buttonCancel, Qt::LeftButton);
        return;
    }
    auto* join = qobject_cast<CJoinSelectDlg*>(dialog);
    QVERIFY(join);
    QVERIFY(QTest::qWaitForWindowActive(join));
    QCOMPARE(QApplication::focusWidget(), join->m_gridTables);
    for (const QString& identifier : choice.identifiers) {
        typeText(identifier);
        pressKey(Qt::Key_Return);
    }
    for (const QString& tick : choice.ticks)
        tickColumn(join->m_gridColumns, tick);
    for (int slot : choice.selectAll)
        QTest::mouseClick(join->m_buttonSelectAll[slot], Qt::LeftButton);
    QTest::mouseClick(choice.ok ? join->m_buttonOk : join->m_buttonCancel, Qt::LeftButton);
}

} // namespace

Q_DECLARE_METATYPE(Choice)

class TestStatementCommands : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CEditorDlg> m_dlg;

    void openMain(const QString& set, const QString& subfolder = QString())
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QString folder = m_dir->path();
        if (!subfolder.isEmpty()) {
            QVERIFY(QDir(folder).mkpath(subfolder));
            folder += QLatin1Char('/') + subfolder;
        }
        for (const auto& file : definitionSet(set))
            QVERIFY(testsupport::writeFile(folder + QLatin1Char('/') + file.first, file.second));
        m_dlg = std::make_unique<CEditorDlg>();
        m_dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
        m_dlg->OpenFolder(folder);
    }

    QString folder() const { return m_dlg->m_strFolder; }

    // Clicks list items in the given order, as the user would.
    void clickItems(const QStringList& names)
    {
        QListWidget* list = m_dlg->m_listTables;
        for (const QString& name : names) {
            const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            list->scrollToItem(found.first());
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(found.first()).center());
            QVERIFY(found.first()->isSelected());
        }
    }

    void press(int id)
    {
        auto* button = m_dlg->findChild<QPushButton*>(QString::number(id));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    QString editorText() const { return m_dlg->m_editOutput->toPlainText(); }

    void compareOutput(const QString& expected)
    {
        QVERIFY(!expected.isEmpty());
        QCOMPARE(editorText(), expected);
        QCOMPARE(m_dlg->m_strOutput, testsupport::toCrLf(expected));
    }

    // Gives the output editor a text of its own, to see that it is left alone.
    void presetOutput()
    {
        m_dlg->m_strOutput = QStringLiteral("earlier text\r\n");
        m_dlg->UpdateData(false);
    }

private slots:
    void init()
    {
        testsupport::resetAll();
        CSpreadSheet::FailNextCreate(-1);
    }

    void cleanup()
    {
        m_dlg.reset();
        m_dir.reset();
    }

    void statements_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("objectCode");
        QTest::addColumn<Choice>("choice");
        QTest::addColumn<QString>("expected");

        const QStringList item{QStringLiteral("ITEM.sql")};
        Choice both;
        both.ticks = QStringList{QStringLiteral("0:ITEM_NAME"), QStringLiteral("0:PRICE")};
        Choice price;
        price.ticks = QStringList{QStringLiteral("0:PRICE")};
        Choice allByButton;
        allByButton.selectAll = {0, 0};
        QTest::newRow("select") << "item" << item << kSelectButton << false << both
                                << "item_select.txt";
        QTest::newRow("select one column")
            << "item" << item << kSelectButton << false << price << "item_select_price.txt";
        QTest::newRow("select no column")
            << "item" << item << kSelectButton << false << Choice() << "item_select_none.txt";
        QTest::newRow("select all button")
            << "item" << item << kSelectButton << false << allByButton << "item_select.txt";
        QTest::newRow("insert") << "item" << item << kInsertButton << false << Choice()
                                << "item_insert.txt";
        QTest::newRow("update") << "item" << item << kUpdateButton << false << Choice()
                                << "item_update.txt";
        QTest::newRow("delete") << "item" << item << kDeleteButton << false << Choice()
                                << "item_delete.txt";
        QTest::newRow("select, object code")
            << "item" << item << kSelectButton << true << both << "item_select_vb.txt";
        QTest::newRow("insert, object code")
            << "item" << item << kInsertButton << true << Choice() << "item_insert_vb.txt";
        QTest::newRow("update, object code")
            << "item" << item << kUpdateButton << true << Choice() << "item_update_vb.txt";

        Choice join;
        join.identifiers = QStringList{QStringLiteral("A"), QStringLiteral("B")};
        join.ticks = QStringList{QStringLiteral("0:ITEM_NAME"), QStringLiteral("1:QTY")};
        const QStringList itemStock{QStringLiteral("ITEM.sql"), QStringLiteral("STOCK.sql")};
        const QStringList stockItem{QStringLiteral("STOCK.sql"), QStringLiteral("ITEM.sql")};
        QTest::newRow("joined select")
            << "join" << itemStock << kSelectButton << false << join << "join_item_stock.txt";
        QTest::newRow("joined select, clicked bottom up")
            << "join" << stockItem << kSelectButton << false << join << "join_item_stock.txt";
        QTest::newRow("insert takes the topmost table")
            << "item" << item << kInsertButton << false << Choice() << "item_insert.txt";

        Choice three;
        three.identifiers =
            QStringList{QStringLiteral("T1"), QStringLiteral("T2"), QStringLiteral("T3")};
        three.selectAll = {1};
        QTest::newRow("three tables")
            << "three"
            << QStringList{QStringLiteral("T_C.sql"), QStringLiteral("T_A.sql"),
                           QStringLiteral("T_B.sql")}
            << kSelectButton << false << three << "join_three.txt";

        Choice four;
        four.identifiers = QStringList{QStringLiteral("W"), QStringLiteral("X"),
                                       QStringLiteral("Y"), QStringLiteral("Z")};
        four.ticks = QStringList{QStringLiteral("0:W1"), QStringLiteral("3:Z1")};
        four.selectAll = {1};
        QTest::newRow("four tables")
            << "four"
            << QStringList{QStringLiteral("T_W.sql"), QStringLiteral("T_X.sql"),
                           QStringLiteral("T_Y.sql"), QStringLiteral("T_Z.sql")}
            << kSelectButton << false << four << "join_four.txt";
    }

    void statements()
    {
        QFETCH(QString, set);
        QFETCH(QStringList, clicks);
        QFETCH(int, button);
        QFETCH(bool, objectCode);
        QFETCH(Choice, choice);
        QFETCH(QString, expected);

        openMain(set);
        if (objectCode)
            useObjectCodeSettings();
        if (QTest::currentDataTag() == QLatin1String("insert takes the topmost table")) {
            // A second file below ITEM.sql is selected too; only the topmost is read.
            QVERIFY(testsupport::writeFile(folder() + QStringLiteral("ZONE.sql"),
                                           table(QStringLiteral("ZONE"), {"Z"}, {"ZN"})));
            m_dlg->OpenFolder(folder());
            clicks = QStringList{QStringLiteral("ZONE.sql"), QStringLiteral("ITEM.sql")};
        }
        clickItems(clicks);
        ModalWatcher watcher;
        watcher.onDialog = [&](QDialog* d) { choose(d, choice); };
        press(button);
        QCOMPARE(watcher.messages, QStringList());
        QCOMPARE(watcher.dialogs, button == kSelectButton ? 1 : 0);
        compareOutput(golden(expected));
        // The main window gets its focus back once the dialog has gone.
        QCOMPARE(m_dlg->focusWidget(), static_cast<QWidget*>(m_dlg->m_editOutput));
        m_dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(m_dlg->m_editOutput));
    }

    void cancelLeavesTheOutput_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QStringList>("clicks");
        QTest::newRow("one table") << "item" << QStringList{QStringLiteral("ITEM.sql")};
        QTest::newRow("two tables")
            << "join" << QStringList{QStringLiteral("ITEM.sql"), QStringLiteral("STOCK.sql")};
    }

    void cancelLeavesTheOutput()
    {
        QFETCH(QString, set);
        QFETCH(QStringList, clicks);
        openMain(set);
        presetOutput();
        clickItems(clicks);
        ModalWatcher watcher;
        Choice cancel;
        cancel.identifiers =
            QStringList{QStringLiteral("A"), QStringLiteral("B")}.mid(0, clicks.size() > 1 ? 2 : 0);
        cancel.selectAll = {0};
        cancel.ok = false;
        watcher.onDialog = [&](QDialog* d) { choose(d, cancel); };
        press(kSelectButton);
        QCOMPARE(watcher.dialogs, 1);
        QCOMPARE(editorText(), QStringLiteral("earlier text\n"));
        QCOMPARE(m_dlg->m_strOutput, QStringLiteral("earlier text\r\n"));
        // The tables just read stay in the store, their choices cleared.
        QCOMPARE(g_tableName[0], QStringLiteral("ITEM"));
        QCOMPARE(g_columnSelected[0][0], 0);
        QCOMPARE(g_tableIdentifier[0], QString());
    }

    void missingIdentifierKeepsTheDialogOpen()
    {
        openMain(QStringLiteral("join"));
        clickItems({QStringLiteral("ITEM.sql"), QStringLiteral("STOCK.sql")});
        ModalWatcher watcher;
        bool stayedOpen = false;
        watcher.onDialog = [&](QDialog* d) {
            auto* join = qobject_cast<CJoinSelectDlg*>(d);
            QVERIFY(join);
            QVERIFY(QTest::qWaitForWindowActive(join));
            typeText(QStringLiteral("A"));
            pressKey(Qt::Key_Return);
            typeText(QStringLiteral("  "));
            tickColumn(join->m_gridColumns, QStringLiteral("0:ITEM_NAME"));
            tickColumn(join->m_gridColumns, QStringLiteral("1:QTY"));
            QTest::mouseClick(join->m_buttonOk, Qt::LeftButton); // the message is answered
            QTRY_COMPARE(watcher.messages.size(), 1);
            stayedOpen = join->isVisible();
            join->m_gridTables->SetCurrentRow(1);
            join->m_gridTables->SetCurrentCol(2);
            QCOMPARE(join->m_gridTables->GetCellText(), QStringLiteral("A"));
            join->m_gridTables->SetCurrentRow(2);
            QCOMPARE(join->m_gridTables->GetCellText(), QStringLiteral("  "));
            // The blanks are replaced by a real identifier.
            join->m_gridTables->setFocus();
            join->m_gridTables->setCurrentCell(1, 1);
            QTest::keyClick(join->m_gridTables, Qt::Key_F2);
            pressKey(Qt::Key_A, Qt::ControlModifier);
            typeText(QStringLiteral("B"));
            QTest::mouseClick(join->m_buttonOk, Qt::LeftButton);
        };
        press(kSelectButton);
        QVERIFY(stayedOpen);
        QCOMPARE(watcher.messages, QStringList{QStringLiteral("識別子が入力されていません!")});
        compareOutput(golden(QStringLiteral("join_item_stock.txt")));
    }

    void nothingSelected_data()
    {
        QTest::addColumn<int>("button");
        QTest::newRow("select") << kSelectButton;
        QTest::newRow("insert") << kInsertButton;
        QTest::newRow("update") << kUpdateButton;
        QTest::newRow("delete") << kDeleteButton;
    }

    void nothingSelected()
    {
        QFETCH(int, button);
        openMain(QStringLiteral("item"));
        presetOutput();
        ModalWatcher watcher;
        press(button);
        QCOMPARE(watcher.messages, QStringList{kNoTable});
        QCOMPARE(watcher.dialogs, 0);
        QCOMPARE(editorText(), QStringLiteral("earlier text\n"));
        QCOMPARE(g_tableName[0], QString());
    }

    void fiveTablesAreRefused_data() { nothingSelected_data(); }

    void fiveTablesAreRefused()
    {
        QFETCH(int, button);
        openMain(QStringLiteral("five"));
        presetOutput();
        clickItems({QStringLiteral("T_W.sql"), QStringLiteral("T_X.sql"), QStringLiteral("T_Y.sql"),
                    QStringLiteral("T_Z.sql"), QStringLiteral("T_ZZ.sql")});
        ModalWatcher watcher;
        press(button);
        QCOMPARE(watcher.messages, QStringList{kTooMany});
        QCOMPARE(watcher.dialogs, 0);
        QCOMPARE(editorText(), QStringLiteral("earlier text\n"));
        for (int t = 0; t < kTableSlots; ++t)
            QCOMPARE(g_tableName[t], QString()); // nothing was read
    }

    void missingFileStopsAJoinedSelect_data()
    {
        QTest::addColumn<QStringList>("removed");
        QTest::newRow("second") << QStringList{QStringLiteral("STOCK.sql")};
        QTest::newRow("first") << QStringList{QStringLiteral("ITEM.sql")};
        QTest::newRow("both") << QStringList{QStringLiteral("ITEM.sql"),
                                             QStringLiteral("STOCK.sql")};
    }

    void missingFileStopsAJoinedSelect()
    {
        QFETCH(QStringList, removed);
        openMain(QStringLiteral("join"));
        presetOutput();
        clickItems({QStringLiteral("ITEM.sql"), QStringLiteral("STOCK.sql")});
        for (const QString& name : removed)
            QVERIFY(QFile::remove(folder() + name));
        ModalWatcher watcher;
        press(kSelectButton);
        QCOMPARE(watcher.messages, QStringList(removed.size(), kReadFailed));
        QCOMPARE(watcher.dialogs, 0);
        QCOMPARE(editorText(), QStringLiteral("earlier text\n"));
    }

    void missingFileStopsASingleTableCommand_data() { nothingSelected_data(); }

    void missingFileStopsASingleTableCommand()
    {
        QFETCH(int, button);
        openMain(QStringLiteral("item"));
        // An earlier table in slot 0 must not be used instead.
        SetTableName(0, QStringLiteral("STALE"));
        AddKeyColumn(0, QStringLiteral("OLD_CD"));
        presetOutput();
        clickItems({QStringLiteral("ITEM.sql")});
        QVERIFY(QFile::remove(folder() + QStringLiteral("ITEM.sql")));
        ModalWatcher watcher;
        press(button);
        QCOMPARE(watcher.messages, QStringList{kReadFailed});
        QCOMPARE(watcher.dialogs, 0);
        QCOMPARE(editorText(), QStringLiteral("earlier text\n"));
    }

    void gridThatCannotBeMadeActsAsCancel_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<int>("gridsBefore");
        QTest::newRow("one table") << "item" << QStringList{QStringLiteral("ITEM.sql")} << 0;
        QTest::newRow("two tables, column grid")
            << "join" << QStringList{QStringLiteral("ITEM.sql"), QStringLiteral("STOCK.sql")} << 0;
        QTest::newRow("two tables, table grid")
            << "join" << QStringList{QStringLiteral("ITEM.sql"), QStringLiteral("STOCK.sql")} << 1;
    }

    void gridThatCannotBeMadeActsAsCancel()
    {
        QFETCH(QString, set);
        QFETCH(QStringList, clicks);
        QFETCH(int, gridsBefore);
        openMain(set);
        presetOutput();
        clickItems(clicks);
        CSpreadSheet::FailNextCreate(gridsBefore);
        ModalWatcher watcher;
        press(kSelectButton);
        QCOMPARE(watcher.messages, QStringList());
        QCOMPARE(watcher.dialogs, 0);
        QCOMPARE(editorText(), QStringLiteral("earlier text\n"));
    }

    void tableBeyondCapacityIsToldAndUsed_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("keys");
        QTest::newRow("insert, columns") << kInsertButton << kMaxColumns + 3 << 1;
        QTest::newRow("insert, keys") << kInsertButton << 2 << kMaxKeyColumns + 1;
        QTest::newRow("select, columns") << kSelectButton << kMaxColumns + 1 << 1;
    }

    void tableBeyondCapacityIsToldAndUsed()
    {
        QFETCH(int, button);
        QFETCH(int, columns);
        QFETCH(int, keys);
        openMain(QString());
        QStringList keyNames;
        QStringList columnNames;
        for (int k = 0; k < keys; ++k)
            keyNames << QStringLiteral("K%1").arg(k);
        for (int j = 0; j < columns; ++j)
            columnNames << QStringLiteral("C%1").arg(j);
        QVERIFY(testsupport::writeFile(folder() + QStringLiteral("BIG.sql"),
                                       table(QStringLiteral("BIG"), keyNames, columnNames)));
        m_dlg->OpenFolder(folder());
        clickItems({QStringLiteral("BIG.sql")});
        ModalWatcher watcher;
        Choice first;
        first.ticks = QStringList{QStringLiteral("0:C0")};
        watcher.onDialog = [&](QDialog* d) { choose(d, first); };
        press(button);
        QCOMPARE(watcher.messages.size(), 1);
        QVERIFY2(watcher.messages.first().startsWith(QStringLiteral("BIG.sql: ")),
                 qPrintable(watcher.messages.first()));
        QVERIFY(watcher.messages.first().contains(QStringLiteral("無視しました")));
        QCOMPARE(watcher.dialogs, button == kSelectButton ? 1 : 0);
        QCOMPARE(g_columnCount[0], qMin(columns, kMaxColumns));
        QCOMPARE(g_keyColumnCount[0], qMin(keys, kMaxKeyColumns));
        const QString out = editorText();
        if (button == kInsertButton) {
            QVERIFY(out.startsWith(QStringLiteral("INSERT INTO BIG (\n K0\n")));
            QCOMPARE(out.count(QLatin1Char('\n')),
                     3 + qMin(keys, kMaxKeyColumns) + qMin(columns, kMaxColumns));
        } else {
            QVERIFY(out.startsWith(QStringLiteral("SELECT\n C0\n FROM BIG\n")));
        }
    }

    void longNamesAreNotCut()
    {
        // Item and folder names far beyond 127 bytes, Japanese included.
        const QString sub = QStringLiteral("定義ファイル_") + QString(120, QLatin1Char('f'));
        openMain(QString(), sub);
        const QString name =
            QStringLiteral("品目マスタ_") + QString(120, QLatin1Char('x')) + QStringLiteral(".sql");
        QVERIFY(name.toUtf8().size() > 127);
        QVERIFY(testsupport::writeFile(folder() + name,
                                       definitionSet(QStringLiteral("item")).first().second));
        m_dlg->OpenFolder(folder());
        QVERIFY(folder().toUtf8().size() > 127);
        clickItems({name});
        ModalWatcher watcher;
        press(kDeleteButton);
        QCOMPARE(watcher.messages, QStringList());
        QCOMPARE(m_dlg->m_strSelectedFile[0], name);
        QCOMPARE(m_dlg->m_strFilePath, folder() + name);
        compareOutput(golden(QStringLiteral("item_delete.txt")));
    }

    void selectedNamesInListOrder()
    {
        openMain(QStringLiteral("four"));
        clickItems(
            {QStringLiteral("T_Z.sql"), QStringLiteral("T_X.sql"), QStringLiteral("T_W.sql")});
        QCOMPARE(m_dlg->GetSelectedTables(), 3);
        QCOMPARE(m_dlg->m_strSelectedFile[0], QStringLiteral("T_W.sql"));
        QCOMPARE(m_dlg->m_strSelectedFile[1], QStringLiteral("T_X.sql"));
        QCOMPARE(m_dlg->m_strSelectedFile[2], QStringLiteral("T_Z.sql"));
        QCOMPARE(m_dlg->m_strSelectedFile[3], QString());
        // Five: counted, nothing collected.
        clickItems({QStringLiteral("T_Y.sql"), QStringLiteral("T_ZZ.sql")});
        m_dlg->m_strSelectedFile[0] = QStringLiteral("kept");
        QCOMPARE(m_dlg->GetSelectedTables(), 5);
        QCOMPARE(m_dlg->m_strSelectedFile[0], QStringLiteral("kept"));
        QCOMPARE(m_dlg->m_strSelectedFile[4], QString());
        QCOMPARE(m_dlg->m_strSelectedFile[5], QString());
    }
};

QTEST_MAIN(TestStatementCommands)
#include "tst_statementcommands.moc"
