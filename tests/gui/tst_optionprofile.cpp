// The options dialog and the profile: what OK writes, cleared cells, a profile that
// cannot be written, and settings that survive a restart.
#include "EditorCore.h"
#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "columns/SpreadSheet.h"
#include "common/MessageBox.h"
#include "options/OptionDlg.h"
#include "settings/Settings.h"
#include "tabledef/TableStore.h"

#include <QCheckBox>
#include <QFile>
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

const QString kWriteFailureTail = QStringLiteral("設定はこの実行中だけ有効です。");

CSpreadSheet* grid(COptionDlg& dlg)
{
    return byName<CSpreadSheet>(dlg,
                                QStringLiteral("オラクルのデータ型に対応するプロシジャーの登録"));
}

// The settings as the user sees them in the dialog.
struct Entries {
    bool vb = false;
    QString sql;
    bool lf = false;
    bool comment = false;
    bool objects = false;
    QString session, database, dynaset, columns;
    // grid row (1..10) -> the four cells
    QMap<int, QStringList> rows;
};

void enter(COptionDlg& dlg, const Entries& e)
{
    byName<QCheckBox>(dlg, QStringLiteral("ＶＢ用変数を付加する"))->setChecked(e.vb);
    byName<QCheckBox>(dlg, QStringLiteral("ＬＦを付加する"))->setChecked(e.lf);
    byName<QCheckBox>(dlg, QStringLiteral("列名のコメントを付加する"))->setChecked(e.comment);
    byName<QCheckBox>(dlg, QStringLiteral("オブジェクト変数を付加する"))->setChecked(e.objects);
    byName<QLineEdit>(dlg, QStringLiteral("ＳＱＬ文編集変数"))->setText(e.sql);
    byName<QLineEdit>(dlg, QStringLiteral("Sesstion変数"))->setText(e.session);
    byName<QLineEdit>(dlg, QStringLiteral("Database変数"))->setText(e.database);
    byName<QLineEdit>(dlg, QStringLiteral("Dynaset変数"))->setText(e.dynaset);
    byName<QLineEdit>(dlg, QStringLiteral("１行の列数"))->setText(e.columns);
    for (auto it = e.rows.cbegin(); it != e.rows.cend(); ++it) {
        for (int k = 1; k <= 4; ++k)
            setCell(grid(dlg), it.key(), k, it.value().value(k - 1));
    }
}

// Clicks OK; returns the texts of the message boxes it brought up.
QStringList clickOk(COptionDlg& dlg)
{
    quillon::MessageBox::setNextAnswer(QMessageBox::Ok);
    QTest::mouseClick(byName<QPushButton>(dlg, QStringLiteral("OK")), Qt::LeftButton);
    quillon::MessageBox::setNextAnswer(QMessageBox::NoButton);
    return quillon::MessageBox::takeShownTexts();
}

// What the program holds after it starts again with the same profile.
void restart()
{
    ResetTableStore();
    ResetSettings();
    LoadSettings();
}

QByteArray golden(const QString& name)
{
    return testsupport::toCrLf(QString::fromUtf8(testsupport::readFile(
                                   testsupport::dataPath(QStringLiteral("options/") + name))))
        .toUtf8();
}

} // namespace

class TestOptionProfile : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void firstSaveWritesWorkedExample();
    void clearedCellsLeaveMemoryAndProfile();
    void rowWithoutTypeNameIsNotStored();
    void rowsKeepTheirPositionsAcrossRestart();
    void columnsPerLineTextIsSavedAsNumber();
    void unwritableProfileIsReported_data();
    void unwritableProfileIsReported();
    void roundTripGivesSameInsertText();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_profile;
};

void TestOptionProfile::init()
{
    testsupport::resetAll();
    quillon::MessageBox::takeShownTexts();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_profile = m_dir->filePath(QStringLiteral("Quillon.INI"));
    SetProfilePath(m_profile);
}

void TestOptionProfile::cleanup()
{
    quillon::MessageBox::setNextAnswer(QMessageBox::NoButton);
    m_dir.reset();
}

void TestOptionProfile::firstSaveWritesWorkedExample()
{
    LoadSettings(); // no profile yet
    QVERIFY(!QFile::exists(m_profile));
    COptionDlg dlg;
    dlg.show();
    Entries e;
    e.vb = true;
    e.lf = true;
    e.comment = false;
    e.objects = true;
    e.columns = QStringLiteral("3");
    e.sql = QStringLiteral("sql");
    e.session = QStringLiteral("ses");
    e.database = QStringLiteral("db");
    e.dynaset = QStringLiteral("dyn");
    e.rows[1] = QStringList{"VARCHAR2", "NullToStr", "SqlStr", "strWork"};
    e.rows[2] = QStringList{"NUMBER", "", "", "lngWork"};
    enter(dlg, e);
    QCOMPARE(clickOk(dlg), QStringList());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));

    QCOMPARE(testsupport::readFile(m_profile), golden(QStringLiteral("first_save.INI")));
    QCOMPARE(g_strTypeName[1], QStringLiteral("NUMBER"));
    QCOMPARE(g_strReadFunction[1], QString());
    QCOMPARE(g_strDummyControl[1], QStringLiteral("lngWork"));
}

void TestOptionProfile::clearedCellsLeaveMemoryAndProfile()
{
    QVERIFY(testsupport::writeFile(m_profile, golden(QStringLiteral("before_clearing.INI"))));
    LoadSettings();
    QCOMPARE(g_strReadFunction[0], QStringLiteral("NullToStr"));
    QCOMPARE(g_strTypeName[1], QStringLiteral("NUMBER"));

    COptionDlg dlg;
    dlg.show();
    QCOMPARE(cellText(grid(dlg), 2, 3), QStringLiteral("NumStr"));
    setCell(grid(dlg), 1, 2, QString()); // one cell
    setCell(grid(dlg), 2, 1, QString()); // the type cell: the whole row goes
    setCell(grid(dlg), 3, 4, QString());
    QCOMPARE(clickOk(dlg), QStringList());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));

    auto expectCleared = [] {
        QCOMPARE(g_strTypeName[0], QStringLiteral("VARCHAR2"));
        QCOMPARE(g_strReadFunction[0], QString());
        QCOMPARE(g_strWriteFunction[0], QStringLiteral("SqlStr"));
        for (const QString* column :
             {g_strTypeName, g_strReadFunction, g_strWriteFunction, g_strDummyControl})
            QCOMPARE(column[1], QString());
        QCOMPARE(g_strTypeName[2], QStringLiteral("DATE"));
        QCOMPARE(g_strReadFunction[2], QStringLiteral("NullToDate"));
        QCOMPARE(g_strDummyControl[2], QString());
        QCOMPARE(FindTypeRow(QStringLiteral("NUMBER")), -1);
    };
    expectCleared();
    QCOMPARE(testsupport::readFile(m_profile), golden(QStringLiteral("after_clearing.INI")));

    restart();
    expectCleared();

    // Opened again, the dialog shows the cleared cells empty.
    COptionDlg again;
    again.show();
    QCOMPARE(cellText(grid(again), 1, 1), QStringLiteral("VARCHAR2"));
    QCOMPARE(cellText(grid(again), 1, 2), QString());
    for (int k = 1; k <= 4; ++k)
        QCOMPARE(cellText(grid(again), 2, k), QString());
    QCOMPARE(cellText(grid(again), 3, 1), QStringLiteral("DATE"));
    QCOMPARE(cellText(grid(again), 3, 4), QString());
}

void TestOptionProfile::rowWithoutTypeNameIsNotStored()
{
    COptionDlg dlg;
    dlg.show();
    Entries e;
    e.columns = QStringLiteral("0");
    e.rows[1] = QStringList{"VARCHAR2", "", "", "strWork"};
    e.rows[4] = QStringList{"", "NullToStr", "SqlStr", "strWork"};
    enter(dlg, e);
    QCOMPARE(clickOk(dlg), QStringList());
    const QByteArray written = testsupport::readFile(m_profile);
    QVERIFY(written.contains("DAT01=VARCHAR2"));
    QVERIFY(!written.contains("DAT04"));
    QVERIFY(!written.contains("DAT204"));
    QVERIFY(!written.contains("DAT304"));
    QVERIFY(!written.contains("DAT404"));
    QCOMPARE(g_strReadFunction[3], QString());
    restart();
    QCOMPARE(g_strReadFunction[3], QString());
    QCOMPARE(g_strDummyControl[3], QString());
}

void TestOptionProfile::rowsKeepTheirPositionsAcrossRestart()
{
    COptionDlg dlg;
    dlg.show();
    Entries e;
    e.rows[3] = QStringList{"DATE", "NullToDate", "DateStr", "datWork"};
    e.rows[10] = QStringList{"CHAR", "", "", "chrWork"};
    enter(dlg, e);
    QCOMPARE(clickOk(dlg), QStringList());
    // In force at once, found by position.
    QCOMPARE(FindTypeRow(QStringLiteral("DATE")), 2);
    QCOMPARE(FindTypeRow(QStringLiteral("CHAR")), 9);

    restart();
    QCOMPARE(FindTypeRow(QStringLiteral("DATE")), 2);
    QCOMPARE(FindTypeRow(QStringLiteral("CHAR")), 9);
    COptionDlg again;
    again.show();
    QCOMPARE(cellText(grid(again), 1, 1), QString());
    QCOMPARE(cellText(grid(again), 3, 1), QStringLiteral("DATE"));
    QCOMPARE(cellText(grid(again), 3, 3), QStringLiteral("DateStr"));
    QCOMPARE(cellText(grid(again), 10, 1), QStringLiteral("CHAR"));
    QCOMPARE(cellText(grid(again), 10, 4), QStringLiteral("chrWork"));
}

void TestOptionProfile::columnsPerLineTextIsSavedAsNumber()
{
    COptionDlg dlg;
    dlg.show();
    Entries e;
    e.columns = QStringLiteral("abc");
    enter(dlg, e);
    QCOMPARE(clickOk(dlg), QStringList());
    QCOMPARE(g_strColumnsPerLine, QStringLiteral("abc"));
    QVERIFY(testsupport::readFile(m_profile).contains("Chk5=0\r\n"));
    restart();
    QCOMPARE(g_strColumnsPerLine, QStringLiteral("0"));
}

void TestOptionProfile::unwritableProfileIsReported_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("profile folder is a file") << 0;
    QTest::newRow("profile is a folder") << 1;
    QTest::newRow("no profile in use") << 2;
}

void TestOptionProfile::unwritableProfileIsReported()
{
    QFETCH(int, how);
    QString path;
    switch (how) {
    case 0: {
        // A regular file where the folder should be: no one can write below it.
        const QString blocker = m_dir->filePath(QStringLiteral("blocker"));
        QVERIFY(testsupport::writeFile(blocker, "not a folder"));
        path = blocker + QStringLiteral("/Quillon.INI");
        break;
    }
    case 1:
        path = m_dir->filePath(QStringLiteral("Quillon.INI"));
        QVERIFY(QDir().mkpath(path));
        break;
    default:
        break;
    }
    SetProfilePath(path);

    COptionDlg dlg;
    dlg.show();
    Entries e;
    e.vb = true;
    e.sql = QStringLiteral("strSQL");
    e.columns = QStringLiteral("5");
    e.rows[1] = QStringList{"VARCHAR2", "", "SqlStr", "txtName"};
    enter(dlg, e);
    const QStringList shown = clickOk(dlg);
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].startsWith(QStringLiteral("設定ファイル")), qPrintable(shown[0]));
    QVERIFY2(shown[0].contains(path), qPrintable(shown[0]));
    QVERIFY2(shown[0].endsWith(QStringLiteral("\n") + kWriteFailureTail), qPrintable(shown[0]));
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(!dlg.isVisible());

    // The new settings are in force for the run.
    QCOMPARE(g_bAddVbVariable, 1);
    QCOMPARE(g_strSqlVariable, QStringLiteral("strSQL"));
    QCOMPARE(g_strColumnsPerLine, QStringLiteral("5"));
    QCOMPARE(g_strTypeName[0], QStringLiteral("VARCHAR2"));
    QCOMPARE(g_strWriteFunction[0], QStringLiteral("SqlStr"));
    QCOMPARE(FindTypeRow(QStringLiteral("VARCHAR2")), 0);
}

void TestOptionProfile::roundTripGivesSameInsertText()
{
    LoadSettings();
    COptionDlg dlg;
    dlg.show();
    Entries e;
    e.vb = true;
    e.sql = QStringLiteral("strSQL");
    e.lf = true;
    e.comment = true;
    e.objects = true;
    e.session = QStringLiteral("OraSession");
    e.database = QStringLiteral("OraDatabase");
    e.dynaset = QStringLiteral("OraDynaset");
    e.columns = QStringLiteral("2");
    e.rows[1] = QStringList{"VARCHAR2", "NullToStr", "SqlStr", "txtText"};
    e.rows[3] = QStringList{"NUMBER", "NullToZero", "NumStr", "lngValue"};
    enter(dlg, e);
    QCOMPARE(clickOk(dlg), QStringList());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));

    auto insertText = [] {
        CEditorCore core;
        core.InitializeState();
        core.m_strFilePath = testsupport::dataPath(QStringLiteral("options/GOODS.sql"));
        if (core.ReadDefinitionFile(0) != 0)
            return QStringLiteral("<definition not read: %1>").arg(core.m_readReport.error);
        core.BuildStatement(kInsert, 1);
        return core.m_strOutput;
    };

    const QString before = insertText();
    // The new settings are used at once.
    QVERIFY2(before.contains(QStringLiteral("OraSession.BeginTrans")), qPrintable(before));
    QVERIFY2(before.contains(QStringLiteral("SqlStr(txtText)")), qPrintable(before));
    QVERIFY2(before.contains(QStringLiteral("NumStr(lngValue)")), qPrintable(before));
    QVERIFY2(before.contains(QStringLiteral("OraDatabase.ExecuteSQL(strSQL)")), qPrintable(before));
    QVERIFY2(before.contains(QStringLiteral("& vbLF")), qPrintable(before));
    QVERIFY2(before.contains(QStringLiteral("    'PRICE")), qPrintable(before));

    restart();
    QCOMPARE(insertText(), before);
}

QTEST_MAIN(TestOptionProfile)
#include "tst_optionprofile.moc"
