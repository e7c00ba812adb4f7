// The options dialog: opening, the checks of OK and their order, Cancel, the grid.
#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "columns/SpreadSheet.h"
#include "common/MessageBox.h"
#include "options/OptionDlg.h"
#include "settings/Settings.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace
{

using testsupport::byName;
using testsupport::cellText;
using testsupport::setCell;

const QString kSqlMessage = QStringLiteral("ＳＱＬ文編集変数が入力されていません！");
const QString kSessionMessage = QStringLiteral("Sesstionオブジェクト変数が入力されていません！");
const QString kDatabaseMessage = QStringLiteral("Databaseオブジェクト変数が入力されていません！");
const QString kDynasetMessage = QStringLiteral("Dynasetオブジェクト変数が入力されていません！");

const QString kVbCheck = QStringLiteral("ＶＢ用変数を付加する");
const QString kLfCheck = QStringLiteral("ＬＦを付加する");
const QString kObjectCheck = QStringLiteral("オブジェクト変数を付加する");
const QString kCommentCheck = QStringLiteral("列名のコメントを付加する");
const QString kSqlEdit = QStringLiteral("ＳＱＬ文編集変数");
const QString kSessionEdit = QStringLiteral("Sesstion変数");
const QString kDatabaseEdit = QStringLiteral("Database変数");
const QString kDynasetEdit = QStringLiteral("Dynaset変数");
const QString kColumnsEdit = QStringLiteral("１行の列数");
const QString kGrid = QStringLiteral("オラクルのデータ型に対応するプロシジャーの登録");

QLineEdit* edit(QWidget& dlg, const QString& name)
{
    return byName<QLineEdit>(dlg, name);
}

QCheckBox* check(QWidget& dlg, const QString& name)
{
    return byName<QCheckBox>(dlg, name);
}

CSpreadSheet* grid(QWidget& dlg)
{
    return byName<CSpreadSheet>(dlg, kGrid);
}

// Clicks OK; a message box that comes up is answered and its text recorded.
void clickOk(QWidget& dlg)
{
    quillon::MessageBox::setNextAnswer(QMessageBox::Ok);
    QPushButton* ok = byName<QPushButton>(dlg, QStringLiteral("OK"));
    QVERIFY(ok);
    QTest::mouseClick(ok, Qt::LeftButton);
}

// A recognisable state of every setting.
void setKnownSettings()
{
    g_bAddVbVariable = 1;
    g_strSqlVariable = QStringLiteral("strSQL");
    g_bAddLf = 0;
    g_bAddColumnComment = 1;
    g_bAddObjectVariables = 0;
    g_strColumnsPerLine = QStringLiteral("4");
    g_strSessionVariable = QStringLiteral("OraSession");
    g_strDatabaseVariable = QStringLiteral("OraDatabase");
    g_strDynasetVariable = QStringLiteral("OraDynaset");
    g_strTypeName[0] = QStringLiteral("VARCHAR2");
    g_strReadFunction[0] = QStringLiteral("NullToStr");
    g_strWriteFunction[0] = QStringLiteral("SqlStr");
    g_strDummyControl[0] = QStringLiteral("strWork");
    g_nTypeProcCount = 1;
}

struct SettingsSnapshot {
    int vb, lf, comment, objects, count;
    QString sql, columns, session, database, dynaset;
    QStringList cells;
    static SettingsSnapshot take()
    {
        SettingsSnapshot s{g_bAddVbVariable,
                           g_bAddLf,
                           g_bAddColumnComment,
                           g_bAddObjectVariables,
                           g_nTypeProcCount,
                           g_strSqlVariable,
                           g_strColumnsPerLine,
                           g_strSessionVariable,
                           g_strDatabaseVariable,
                           g_strDynasetVariable,
                           {}};
        for (int r = 0; r <= kTypeProcRows; ++r)
            s.cells << g_strTypeName[r] << g_strReadFunction[r] << g_strWriteFunction[r]
                    << g_strDummyControl[r];
        return s;
    }
    bool operator==(const SettingsSnapshot& o) const
    {
        return vb == o.vb && lf == o.lf && comment == o.comment && objects == o.objects &&
               count == o.count && sql == o.sql && columns == o.columns && session == o.session &&
               database == o.database && dynaset == o.dynaset && cells == o.cells;
    }
};

} // namespace

class TestOptionDlg : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void captionLayoutAndNames();
    void tabOrder();
    void openingShowsSettings();
    void gridShowsStoredRowsInPosition_data();
    void gridShowsStoredRowsInPosition();
    void checks_data();
    void checks();
    void objectNamesAskedOneAfterAnother();
    void failedOkKeepsEntriesAndChangesNothing();
    void okTakesOverEveryField();
    void emptyTypeCellSkipsRow();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void gridThatCannotBeMadeEndsAtOnce();
    void cellBeingEditedIsTaken_data();
    void cellBeingEditedIsTaken();
    void reopeningShowsCurrentSettings();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestOptionDlg::init()
{
    testsupport::resetAll();
    quillon::MessageBox::takeShownTexts();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    SetProfilePath(m_dir->filePath(QStringLiteral("Quillon.INI")));
}

void TestOptionDlg::cleanup()
{
    quillon::MessageBox::setNextAnswer(QMessageBox::NoButton);
    m_dir.reset();
}

void TestOptionDlg::captionLayoutAndNames()
{
    COptionDlg dlg;
    dlg.show();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("オプション設定ダイアログ"));
    for (const QString& name : {kVbCheck, kLfCheck, kObjectCheck, kCommentCheck})
        QVERIFY2(check(dlg, name), qPrintable(name));
    for (const QString& name : {kSqlEdit, kSessionEdit, kDatabaseEdit, kDynasetEdit, kColumnsEdit})
        QVERIFY2(edit(dlg, name), qPrintable(name));
    QVERIFY(byName<QPushButton>(dlg, QStringLiteral("OK")));
    QVERIFY(byName<QPushButton>(dlg, QStringLiteral("ｷｬﾝｾﾙ")));
    QVERIFY(byName<QPushButton>(dlg, QStringLiteral("OK"))->isDefault());
    QCOMPARE(edit(dlg, kColumnsEdit)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    QList<QLabel*> labels = dlg.findChildren<QLabel*>();
    QStringList labelTexts;
    for (QLabel* l : labels)
        labelTexts << l->text();
    for (const QString& text :
         {kColumnsEdit, kSessionEdit, kDatabaseEdit, kDynasetEdit, kSqlEdit, kGrid})
        QVERIFY2(labelTexts.contains(text), qPrintable(text));

    CSpreadSheet* g = grid(dlg);
    QVERIFY(g);
    QCOMPARE(g->GetColCount(), 4);
    QCOMPARE(g->GetRowCount(), 10);
    const QStringList headers = {QStringLiteral("データ型"), QStringLiteral("読込用関数"),
                                 QStringLiteral("書込用関数"),
                                 QStringLiteral("ダミイコントロール")};
    for (int k = 1; k <= 4; ++k)
        QCOMPARE(cellText(g, 0, k), headers[k - 1]);

    // Every control lies inside the dialog.
    const QRect client = dlg.rect();
    for (QWidget* w : dlg.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        QVERIFY2(client.contains(w->geometry()), qPrintable(w->objectName()));
}

void TestOptionDlg::tabOrder()
{
    COptionDlg dlg;
    dlg.show();
    const QStringList expected = {QStringLiteral("OK"),
                                  QStringLiteral("ｷｬﾝｾﾙ"),
                                  kLfCheck,
                                  kColumnsEdit,
                                  kObjectCheck,
                                  kSessionEdit,
                                  kDatabaseEdit,
                                  kDynasetEdit,
                                  kVbCheck,
                                  kSqlEdit,
                                  kGrid,
                                  kCommentCheck};
    QWidget* w = byName<QPushButton>(dlg, QStringLiteral("OK"));
    QStringList seen;
    for (int i = 0; i < expected.size(); ++i) {
        seen << w->accessibleName();
        do {
            w = w->nextInFocusChain();
        } while (w != &dlg &&
                 (w->accessibleName().isEmpty() || !(w->focusPolicy() & Qt::TabFocus)));
    }
    QCOMPARE(seen, expected);
}

void TestOptionDlg::openingShowsSettings()
{
    setKnownSettings();
    g_bAddLf = 1;
    g_bAddObjectVariables = 1;
    COptionDlg dlg;
    dlg.show();
    QCOMPARE(check(dlg, kVbCheck)->isChecked(), true);
    QCOMPARE(check(dlg, kLfCheck)->isChecked(), true);
    QCOMPARE(check(dlg, kCommentCheck)->isChecked(), true);
    QCOMPARE(check(dlg, kObjectCheck)->isChecked(), true);
    QCOMPARE(edit(dlg, kSqlEdit)->text(), QStringLiteral("strSQL"));
    QCOMPARE(edit(dlg, kSessionEdit)->text(), QStringLiteral("OraSession"));
    QCOMPARE(edit(dlg, kDatabaseEdit)->text(), QStringLiteral("OraDatabase"));
    QCOMPARE(edit(dlg, kDynasetEdit)->text(), QStringLiteral("OraDynaset"));
    QCOMPARE(edit(dlg, kColumnsEdit)->text(), QStringLiteral("4"));
    QCOMPARE(dlg.m_strSqlVariable, QStringLiteral("strSQL"));
    QCOMPARE(dlg.m_bAddObjectVariables, 1);

    // Only the flag values 0 and 1 tick or clear; any non-zero ticks.
    dlg.hide();
    g_bAddVbVariable = 0;
    g_bAddLf = 2;
    dlg.show();
    QCOMPARE(check(dlg, kVbCheck)->isChecked(), false);
    QCOMPARE(check(dlg, kLfCheck)->isChecked(), true);
}

void TestOptionDlg::gridShowsStoredRowsInPosition_data()
{
    QTest::addColumn<QStringList>("types");   // ten type names
    QTest::addColumn<QStringList>("dummies"); // ten dummy controls
    QTest::addColumn<int>("count");
    QStringList three = {"VARCHAR2", "NUMBER", "DATE", "", "", "", "", "", "", ""};
    QStringList dummies3 = {"strWork", "lngWork", "datWork", "", "", "", "", "", "", ""};
    QTest::newRow("three loaded rows") << three << dummies3 << 3;
    QStringList gaps = {"", "CHAR", "", "", "DATE", "", "", "", "", "NUMBER"};
    QStringList dummiesGaps = {"", "chrWork", "", "", "datWork", "", "", "", "", "lngWork"};
    QTest::newRow("rows with gaps, last row filled") << gaps << dummiesGaps << 3;
    QStringList none(10);
    QTest::newRow("empty table") << none << none << 0;
    QStringList nameless = {"VARCHAR2", "", "", "", "", "", "", "", "", ""};
    QStringList namelessDummies = {"strWork", "orphan", "", "", "", "", "", "", "", ""};
    QTest::newRow("row without a type name shows its cells") << nameless << namelessDummies << 1;
}

void TestOptionDlg::gridShowsStoredRowsInPosition()
{
    QFETCH(QStringList, types);
    QFETCH(QStringList, dummies);
    QFETCH(int, count);
    for (int r = 0; r < 10; ++r) {
        g_strTypeName[r] = types[r];
        g_strDummyControl[r] = dummies[r];
        g_strReadFunction[r] = types[r].isEmpty() ? QString() : QStringLiteral("Rd%1").arg(r);
    }
    g_nTypeProcCount = count;
    COptionDlg dlg;
    dlg.show();
    CSpreadSheet* g = grid(dlg);
    QVERIFY(g);
    QCOMPARE(g->GetRowCount(), 10);
    for (int n = 1; n <= 10; ++n) {
        QCOMPARE(cellText(g, n, 1), types[n - 1]);
        QCOMPARE(cellText(g, n, 2), g_strReadFunction[n - 1]);
        QCOMPARE(cellText(g, n, 3), QString());
        QCOMPARE(cellText(g, n, 4), dummies[n - 1]);
    }
}

void TestOptionDlg::checks_data()
{
    QTest::addColumn<bool>("vb");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("objects");
    QTest::addColumn<QString>("session");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("dynaset");
    QTest::addColumn<QString>("message"); // empty: accepted

    QTest::newRow("VB off, SQL variable empty: accepted") << false << "" << false << ""
                                                          << ""
                                                          << ""
                                                          << "";
    QTest::newRow("VB on, SQL variable empty") << true << "" << false << ""
                                               << ""
                                               << "" << kSqlMessage;
    QTest::newRow("VB on, SQL variable given") << true << "sql" << false << ""
                                               << ""
                                               << ""
                                               << "";
    QTest::newRow("objects on, all three empty: Session first") << true << "sql" << true << ""
                                                                << ""
                                                                << "" << kSessionMessage;
    QTest::newRow("objects on, Session given") << true << "sql" << true << "ses"
                                               << ""
                                               << "" << kDatabaseMessage;
    QTest::newRow("objects on, Session and Database given") << true << "sql" << true << "ses"
                                                            << "db"
                                                            << "" << kDynasetMessage;
    QTest::newRow("objects on, only Dynaset empty, Database empty too")
        << true << "sql" << true << "ses"
        << ""
        << "dyn" << kDatabaseMessage;
    QTest::newRow("objects on while VB off still need the names") << false << "" << true << ""
                                                                  << ""
                                                                  << "" << kSessionMessage;
    QTest::newRow("objects on while VB off, all given: accepted") << false << "" << true << "ses"
                                                                  << "db"
                                                                  << "dyn"
                                                                  << "";
    QTest::newRow("VB and objects on, everything empty: only the SQL message")
        << true << "" << true << ""
        << ""
        << "" << kSqlMessage;
    QTest::newRow("objects off, names empty: accepted") << true << "sql" << false << ""
                                                        << ""
                                                        << ""
                                                        << "";
}

void TestOptionDlg::checks()
{
    QFETCH(bool, vb);
    QFETCH(QString, sql);
    QFETCH(bool, objects);
    QFETCH(QString, session);
    QFETCH(QString, database);
    QFETCH(QString, dynaset);
    QFETCH(QString, message);

    COptionDlg dlg;
    dlg.show();
    check(dlg, kVbCheck)->setChecked(vb);
    edit(dlg, kSqlEdit)->setText(sql);
    check(dlg, kObjectCheck)->setChecked(objects);
    edit(dlg, kSessionEdit)->setText(session);
    edit(dlg, kDatabaseEdit)->setText(database);
    edit(dlg, kDynasetEdit)->setText(dynaset);

    const SettingsSnapshot before = SettingsSnapshot::take();
    clickOk(dlg);
    const QStringList shown = quillon::MessageBox::takeShownTexts();
    if (message.isEmpty()) {
        QCOMPARE(shown, QStringList());
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(g_bAddVbVariable, vb ? 1 : 0);
        QCOMPARE(g_strSqlVariable, sql);
        QCOMPARE(g_bAddObjectVariables, objects ? 1 : 0);
        QCOMPARE(g_strSessionVariable, session);
        QCOMPARE(g_strDatabaseVariable, database);
        QCOMPARE(g_strDynasetVariable, dynaset);
    } else {
        QCOMPARE(shown, QStringList{message});
        QVERIFY(dlg.isVisible());
        QVERIFY(SettingsSnapshot::take() == before);
        QVERIFY(!QFile::exists(ProfilePath()));
    }
}

void TestOptionDlg::objectNamesAskedOneAfterAnother()
{
    COptionDlg dlg;
    dlg.show();
    check(dlg, kObjectCheck)->setChecked(true);

    const QStringList expected = {kSessionMessage, kDatabaseMessage, kDynasetMessage};
    const QStringList fields = {kSessionEdit, kDatabaseEdit, kDynasetEdit};
    for (int i = 0; i < 3; ++i) {
        clickOk(dlg);
        QCOMPARE(quillon::MessageBox::takeShownTexts(), QStringList{expected[i]});
        QVERIFY(dlg.isVisible());
        edit(dlg, fields[i])->setText(QStringLiteral("v%1").arg(i));
    }
    clickOk(dlg);
    QCOMPARE(quillon::MessageBox::takeShownTexts(), QStringList());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(g_strSessionVariable, QStringLiteral("v0"));
    QCOMPARE(g_strDatabaseVariable, QStringLiteral("v1"));
    QCOMPARE(g_strDynasetVariable, QStringLiteral("v2"));
}

void TestOptionDlg::failedOkKeepsEntriesAndChangesNothing()
{
    setKnownSettings();
    COptionDlg dlg;
    dlg.show();
    // Change everything, leaving the Dynaset name empty with object code on.
    check(dlg, kVbCheck)->setChecked(true);
    edit(dlg, kSqlEdit)->setText(QStringLiteral("newSql"));
    check(dlg, kLfCheck)->setChecked(true);
    check(dlg, kCommentCheck)->setChecked(false);
    check(dlg, kObjectCheck)->setChecked(true);
    edit(dlg, kSessionEdit)->setText(QStringLiteral("s2"));
    edit(dlg, kDatabaseEdit)->setText(QStringLiteral("d2"));
    edit(dlg, kDynasetEdit)->clear();
    edit(dlg, kColumnsEdit)->setText(QStringLiteral("7"));
    CSpreadSheet* g = grid(dlg);
    setCell(g, 1, 2, QStringLiteral("ChangedRead"));
    setCell(g, 2, 1, QStringLiteral("DATE"));

    const SettingsSnapshot before = SettingsSnapshot::take();
    clickOk(dlg);
    QCOMPARE(quillon::MessageBox::takeShownTexts(), QStringList{kDynasetMessage});

    QVERIFY(dlg.isVisible());
    QVERIFY(SettingsSnapshot::take() == before);
    QVERIFY(!QFile::exists(ProfilePath()));
    // The user's entries are still there.
    QCOMPARE(edit(dlg, kSqlEdit)->text(), QStringLiteral("newSql"));
    QVERIFY(check(dlg, kLfCheck)->isChecked());
    QVERIFY(!check(dlg, kCommentCheck)->isChecked());
    QCOMPARE(edit(dlg, kSessionEdit)->text(), QStringLiteral("s2"));
    QCOMPARE(edit(dlg, kDatabaseEdit)->text(), QStringLiteral("d2"));
    QCOMPARE(edit(dlg, kColumnsEdit)->text(), QStringLiteral("7"));
    QCOMPARE(cellText(g, 1, 2), QStringLiteral("ChangedRead"));
    QCOMPARE(cellText(g, 2, 1), QStringLiteral("DATE"));
    QCOMPARE(QApplication::focusWidget() == edit(dlg, kDynasetEdit) || !dlg.isActiveWindow(), true);

    // Cancelling now still leaves every setting as it was.
    dlg.reject();
    QVERIFY(SettingsSnapshot::take() == before);
}

void TestOptionDlg::okTakesOverEveryField()
{
    COptionDlg dlg;
    dlg.show();
    check(dlg, kVbCheck)->setChecked(true);
    edit(dlg, kSqlEdit)->setText(QStringLiteral("sql"));
    check(dlg, kLfCheck)->setChecked(true);
    check(dlg, kCommentCheck)->setChecked(true);
    check(dlg, kObjectCheck)->setChecked(true);
    edit(dlg, kSessionEdit)->setText(QStringLiteral("ses"));
    edit(dlg, kDatabaseEdit)->setText(QStringLiteral("db"));
    edit(dlg, kDynasetEdit)->setText(QStringLiteral("dyn"));
    edit(dlg, kColumnsEdit)->setText(QStringLiteral("abc"));
    CSpreadSheet* g = grid(dlg);
    setCell(g, 3, 1, QStringLiteral("DATE"));
    setCell(g, 3, 4, QStringLiteral("datWork"));
    clickOk(dlg);
    QCOMPARE(quillon::MessageBox::takeShownTexts(), QStringList());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(g_bAddVbVariable, 1);
    QCOMPARE(g_bAddLf, 1);
    QCOMPARE(g_bAddColumnComment, 1);
    QCOMPARE(g_bAddObjectVariables, 1);
    QCOMPARE(g_strSqlVariable, QStringLiteral("sql"));
    QCOMPARE(g_strSessionVariable, QStringLiteral("ses"));
    QCOMPARE(g_strDatabaseVariable, QStringLiteral("db"));
    QCOMPARE(g_strDynasetVariable, QStringLiteral("dyn"));
    // Any text is accepted as the columns per line; it stays as typed for the run.
    QCOMPARE(g_strColumnsPerLine, QStringLiteral("abc"));
    // A row typed in position 3 takes effect at once, found by its position.
    QCOMPARE(g_strTypeName[2], QStringLiteral("DATE"));
    QCOMPARE(g_strDummyControl[2], QStringLiteral("datWork"));
    QCOMPARE(FindTypeRow(QStringLiteral("DATE")), 2);
}

void TestOptionDlg::emptyTypeCellSkipsRow()
{
    COptionDlg dlg;
    dlg.show();
    CSpreadSheet* g = grid(dlg);
    setCell(g, 4, 2, QStringLiteral("NullToStr"));
    setCell(g, 4, 3, QStringLiteral("SqlStr"));
    setCell(g, 4, 4, QStringLiteral("strWork"));
    clickOk(dlg);
    QCOMPARE(quillon::MessageBox::takeShownTexts(), QStringList());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(g_strTypeName[3], QString());
    QCOMPARE(g_strReadFunction[3], QString());
    QCOMPARE(g_strWriteFunction[3], QString());
    QCOMPARE(g_strDummyControl[3], QString());
}

void TestOptionDlg::cancelChangesNothing_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("Cancel button") << 0;
    QTest::newRow("Escape") << 1;
    QTest::newRow("close box") << 2;
}

void TestOptionDlg::cancelChangesNothing()
{
    QFETCH(int, how);
    setKnownSettings();
    const SettingsSnapshot before = SettingsSnapshot::take();
    COptionDlg dlg;
    dlg.show();
    check(dlg, kVbCheck)->setChecked(false);
    check(dlg, kObjectCheck)->setChecked(true);
    edit(dlg, kSqlEdit)->setText(QStringLiteral("other"));
    edit(dlg, kColumnsEdit)->setText(QStringLiteral("9"));
    CSpreadSheet* g = grid(dlg);
    setCell(g, 1, 1, QString());
    setCell(g, 5, 1, QStringLiteral("CHAR"));

    switch (how) {
    case 0:
        QTest::mouseClick(byName<QPushButton>(dlg, QStringLiteral("ｷｬﾝｾﾙ")), Qt::LeftButton);
        break;
    case 1:
        QTest::keyClick(edit(dlg, kSqlEdit), Qt::Key_Escape);
        break;
    default:
        dlg.close();
        break;
    }
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(quillon::MessageBox::takeShownTexts(), QStringList());
    QVERIFY(SettingsSnapshot::take() == before);
    QVERIFY(!QFile::exists(ProfilePath()));
}

void TestOptionDlg::gridThatCannotBeMadeEndsAtOnce()
{
    setKnownSettings();
    const SettingsSnapshot before = SettingsSnapshot::take();
    {
        CSpreadSheet::FailNextCreate();
        COptionDlg dlg;
        QCOMPARE(dlg.exec(), -1);
        QVERIFY(!dlg.isVisible());
    }
    {
        CSpreadSheet::FailNextCreate();
        COptionDlg dlg;
        QSignalSpy finished(&dlg, &QDialog::finished);
        dlg.open();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), -1);
        dlg.show();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), -1);
    }
    QVERIFY(SettingsSnapshot::take() == before);
    QVERIFY(!QFile::exists(ProfilePath()));
}

void TestOptionDlg::cellBeingEditedIsTaken_data()
{
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("Enter ends the edit, Enter again presses OK") << true;
    QTest::newRow("OK clicked while the cell is being edited") << false;
}

void TestOptionDlg::cellBeingEditedIsTaken()
{
    QFETCH(bool, byEnter);
    COptionDlg dlg;
    dlg.show();
    dlg.activateWindow();
    if (!QTest::qWaitForWindowActive(&dlg))
        QSKIP("The window cannot be activated on this platform.");
    CSpreadSheet* g = grid(dlg);
    g->SetCurrentRow(1);
    g->SetCurrentCol(1);
    g->ActivateCell(0);
    // The first key opens the cell's editor, which takes the rest.
    QTest::keyClick(g, 'N');
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor && editor != g && g->isAncestorOf(editor));
    QTest::keyClicks(editor, QStringLiteral("UMBER"));
    if (byEnter) {
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(QApplication::focusWidget() == g);
        QVERIFY(dlg.isVisible());
        quillon::MessageBox::setNextAnswer(QMessageBox::Ok);
        QTest::keyClick(g, Qt::Key_Return);
    } else {
        clickOk(dlg);
    }
    QTRY_VERIFY(!dlg.isVisible());
    QCOMPARE(quillon::MessageBox::takeShownTexts(), QStringList());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(g_strTypeName[0], QStringLiteral("NUMBER"));
}

void TestOptionDlg::reopeningShowsCurrentSettings()
{
    setKnownSettings();
    COptionDlg dlg;
    dlg.show();
    edit(dlg, kSqlEdit)->setText(QStringLiteral("typedButCancelled"));
    dlg.reject();
    g_strSqlVariable = QStringLiteral("changedElsewhere");
    dlg.show();
    QCOMPARE(edit(dlg, kSqlEdit)->text(), QStringLiteral("changedElsewhere"));
    QCOMPARE(cellText(grid(dlg), 1, 1), QStringLiteral("VARCHAR2"));
}

QTEST_MAIN(TestOptionDlg)
#include "tst_optiondlg.moc"
