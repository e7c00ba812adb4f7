#include "TestSupport.h"
#include "settings/Settings.h"
#include "text/Encoding.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace
{

QString profileText(const QString& path)
{
    return quillon::decodeText(testsupport::readFile(path));
}

void setWorkedExample()
{
    g_bAddVbVariable = 1;
    g_strSqlVariable = QStringLiteral("sql");
    g_bAddLf = 1;
    g_bAddColumnComment = 0;
    g_bAddObjectVariables = 1;
    g_strColumnsPerLine = QStringLiteral("3");
    g_strSessionVariable = QStringLiteral("ses");
    g_strDatabaseVariable = QStringLiteral("db");
    g_strDynasetVariable = QStringLiteral("dyn");
}

void checkWorkedExampleLoaded()
{
    QCOMPARE(g_bAddVbVariable, 1);
    QCOMPARE(g_strSqlVariable, QStringLiteral("sql"));
    QCOMPARE(g_bAddLf, 1);
    QCOMPARE(g_bAddColumnComment, 0);
    QCOMPARE(g_bAddObjectVariables, 1);
    QCOMPARE(g_strColumnsPerLine, QStringLiteral("3"));
    QCOMPARE(g_strSessionVariable, QStringLiteral("ses"));
    QCOMPARE(g_strDatabaseVariable, QStringLiteral("db"));
    QCOMPARE(g_strDynasetVariable, QStringLiteral("dyn"));
    QCOMPARE(g_nTypeProcCount, 2);
    QCOMPARE(g_strTypeName[0], QStringLiteral("VARCHAR2"));
    QCOMPARE(g_strReadFunction[0], QStringLiteral("NullToStr"));
    QCOMPARE(g_strWriteFunction[0], QStringLiteral("SqlStr"));
    QCOMPARE(g_strDummyControl[0], QStringLiteral("strWork"));
    QCOMPARE(g_strTypeName[1], QStringLiteral("NUMBER"));
    QCOMPARE(g_strReadFunction[1], QString());
    QCOMPARE(g_strWriteFunction[1], QString());
    QCOMPARE(g_strDummyControl[1], QStringLiteral("lngWork"));
}

bool allDefaults()
{
    bool table = g_nTypeProcCount == 0;
    for (int r = 0; r <= kTypeProcRows; ++r)
        table = table && g_strTypeName[r].isEmpty() && g_strReadFunction[r].isEmpty() &&
                g_strWriteFunction[r].isEmpty() && g_strDummyControl[r].isEmpty();
    return table && g_bAddVbVariable == 0 && g_bAddLf == 0 && g_bAddColumnComment == 0 &&
           g_bAddObjectVariables == 0 && g_strSqlVariable.isEmpty() &&
           g_strSessionVariable.isEmpty() && g_strDatabaseVariable.isEmpty() &&
           g_strDynasetVariable.isEmpty() && g_strColumnsPerLine == QStringLiteral("0");
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void defaultProfilePath();
    void noProfileGivesDefaults_data();
    void noProfileGivesDefaults();
    void workedExampleFirstSave();
    void exampleProfileLoads();
    void columnsPerLineLoad_data();
    void columnsPerLineLoad();
    void columnsPerLineSave_data();
    void columnsPerLineSave();
    void typeRowsCounted();
    void rowColumnsReadOnlyWithTypeName();
    void gapsKeepPositions();
    void caseInsensitiveNames();
    void japaneseProfiles_data();
    void japaneseProfiles();
    void saveKeepsForeignLines();
    void saveKeepsOtherCopysKeys();
    void emptyCellRemovesKey();
    void emptyTypeCellClearsRow();
    void badCell();
    void tableInOneSave();
    void saveWithoutProfileFails();
    void saveFailureKeepsOldProfile();
    void unreadableProfile();
    void interruptedSaveKeepsOldProfile();

private:
    QString path() const { return m_dir.filePath(QStringLiteral("Quillon.INI")); }
    QTemporaryDir m_dir;
};

void TestSettings::init()
{
    testsupport::resetAll();
    QVERIFY(m_dir.isValid());
    QFile::remove(path());
    SetProfilePath(path());
}

void TestSettings::defaultProfilePath()
{
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/tmp/cfg");
    QCOMPARE(DefaultProfilePath(), QStringLiteral("/tmp/cfg/Quillon/Quillon.INI"));
    qputenv("XDG_CONFIG_HOME", "relative/cfg");
    QCOMPARE(DefaultProfilePath(),
             QDir::homePath() + QStringLiteral("/.config/Quillon/Quillon.INI"));
    qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(DefaultProfilePath(),
             QDir::homePath() + QStringLiteral("/.config/Quillon/Quillon.INI"));
    if (!old.isNull())
        qputenv("XDG_CONFIG_HOME", old);
    SetProfilePath(QStringLiteral("/x/y.INI"));
    QCOMPARE(ProfilePath(), QStringLiteral("/x/y.INI"));
}

void TestSettings::noProfileGivesDefaults_data()
{
    QTest::addColumn<QString>("profile");
    QTest::newRow("no profile in use") << QString();
    QTest::newRow("missing file") << QStringLiteral("missing.INI");
    QTest::newRow("empty file") << QStringLiteral("empty.INI");
    QTest::newRow("folder") << QStringLiteral("folder");
}

void TestSettings::noProfileGivesDefaults()
{
    QFETCH(QString, profile);
    QVERIFY(testsupport::writeFile(m_dir.filePath(QStringLiteral("empty.INI")), QByteArray()));
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("folder"))));
    SetProfilePath(profile.isEmpty() ? QString() : m_dir.filePath(profile));
    LoadSettings();
    QVERIFY(allDefaults());
}

void TestSettings::workedExampleFirstSave()
{
    setWorkedExample();
    QString error;
    QVERIFY2(SaveSettings(&error), qPrintable(error));
    QVERIFY(SaveTypeProcCell(0, 1, QStringLiteral("VARCHAR2"), &error));
    QVERIFY(SaveTypeProcCell(0, 2, QStringLiteral("NullToStr"), &error));
    QVERIFY(SaveTypeProcCell(0, 3, QStringLiteral("SqlStr"), &error));
    QVERIFY(SaveTypeProcCell(0, 4, QStringLiteral("strWork"), &error));
    QVERIFY(SaveTypeProcCell(1, 1, QStringLiteral("NUMBER"), &error));
    QVERIFY(SaveTypeProcCell(1, 4, QStringLiteral("lngWork"), &error));
    QCOMPARE(g_nTypeProcCount, 2);
    QCOMPARE(testsupport::readFile(path()), testsupport::readFile(testsupport::dataPath(
                                                QStringLiteral("profiles/worked_example.INI"))));

    ResetSettings();
    LoadSettings();
    checkWorkedExampleLoaded();
}

void TestSettings::exampleProfileLoads()
{
    const QString example = testsupport::examplesPath(QStringLiteral("Quillon.INI"));
    QCOMPARE(testsupport::readFile(example), testsupport::readFile(testsupport::dataPath(
                                                 QStringLiteral("profiles/worked_example.INI"))));
    SetProfilePath(example);
    LoadSettings();
    checkWorkedExampleLoaded();
}

void TestSettings::columnsPerLineLoad_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("expected");
    QTest::newRow("12") << QByteArray("Chk5=12") << "12";
    QTest::newRow("leading zeros") << QByteArray("Chk5=007") << "7";
    QTest::newRow("trailing text") << QByteArray("Chk5=4 columns") << "4";
    QTest::newRow("not a number") << QByteArray("Chk5=abc") << "0";
    QTest::newRow("negative") << QByteArray("Chk5=-2") << "-2";
    QTest::newRow("empty") << QByteArray("Chk5=") << "0";
    QTest::newRow("missing") << QByteArray("Chk1=1") << "0";
}

void TestSettings::columnsPerLineLoad()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, expected);
    QVERIFY(testsupport::writeFile(path(), "[PCHK]\r\n" + line + "\r\n"));
    LoadSettings();
    QCOMPARE(g_strColumnsPerLine, expected);
}

void TestSettings::columnsPerLineSave_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");
    QTest::newRow("3x") << "3x"
                        << "Chk5=3";
    QTest::newRow("empty") << ""
                           << "Chk5=0";
    QTest::newRow("abc") << "abc"
                         << "Chk5=0";
    QTest::newRow("12") << "12"
                        << "Chk5=12";
    QTest::newRow("signed") << " -4"
                            << "Chk5=-4";
}

void TestSettings::columnsPerLineSave()
{
    QFETCH(QString, text);
    QFETCH(QString, written);
    g_strColumnsPerLine = text;
    QVERIFY(SaveSettings());
    QVERIFY(profileText(path()).contains(written + QStringLiteral("\r\n")));
    QCOMPARE(g_strColumnsPerLine, text); // memory keeps the text as typed
}

void TestSettings::typeRowsCounted()
{
    QVERIFY(testsupport::writeFile(path(), "[PDATA]\nDAT01=VARCHAR2\nDAT201=R1\n"
                                           "DAT02=NUMBER\nDAT402=D2\nDAT203=R3\n"));
    LoadSettings();
    QCOMPARE(g_nTypeProcCount, 2);
    QCOMPARE(g_strReadFunction[0], QStringLiteral("R1"));
    QCOMPARE(g_strDummyControl[1], QStringLiteral("D2"));
    QCOMPARE(g_strReadFunction[2], QString());
}

void TestSettings::rowColumnsReadOnlyWithTypeName()
{
    QVERIFY(testsupport::writeFile(path(), "[PDATA]\nDAT01=CHAR\nDAT205=R\nDAT305=W\nDAT405=D\n"
                                           "DAT10=DATE\nDAT410=last\n"));
    LoadSettings();
    QCOMPARE(g_nTypeProcCount, 2);
    QCOMPARE(g_strTypeName[4], QString());
    QCOMPARE(g_strReadFunction[4], QString());
    QCOMPARE(g_strWriteFunction[4], QString());
    QCOMPARE(g_strDummyControl[4], QString());
    QCOMPARE(g_strTypeName[9], QStringLiteral("DATE"));
    QCOMPARE(g_strDummyControl[9], QStringLiteral("last"));
}

void TestSettings::gapsKeepPositions()
{
    QVERIFY(testsupport::writeFile(path(), "[PDATA]\nDAT02=NUMBER\nDAT04=DATE\nDAT404=dt\n"));
    LoadSettings();
    QCOMPARE(g_nTypeProcCount, 2);
    QCOMPARE(g_strTypeName[1], QStringLiteral("NUMBER"));
    QCOMPARE(g_strTypeName[3], QStringLiteral("DATE"));
    QCOMPARE(FindTypeRow(QStringLiteral("DATE")), 3);
    QCOMPARE(FindTypeRow(QStringLiteral("CHAR")), -1);
}

void TestSettings::caseInsensitiveNames()
{
    QVERIFY(testsupport::writeFile(path(), "[pchk]\nCHK1=1\nchk5=6\n[Param]\nPARAM1=v\n"
                                           "[pdata]\ndat01=CHAR\nDat201=f\n"));
    LoadSettings();
    QCOMPARE(g_bAddVbVariable, 1);
    QCOMPARE(g_strColumnsPerLine, QStringLiteral("6"));
    QCOMPARE(g_strSqlVariable, QStringLiteral("v"));
    QCOMPARE(g_strTypeName[0], QStringLiteral("CHAR"));
    QCOMPARE(g_strReadFunction[0], QStringLiteral("f"));

    // A save writes into the existing sections and keys, keeping their spelling.
    QVERIFY(SaveSettings());
    const QString text = profileText(path());
    QVERIFY(text.startsWith(QStringLiteral("[pchk]\r\nCHK1=1\r\nchk5=6\r\n")));
    QCOMPARE(text.count(QStringLiteral("[PCHK]"), Qt::CaseInsensitive), 1);
    QCOMPARE(text.count(QStringLiteral("Param1="), Qt::CaseInsensitive), 1);
}

void TestSettings::japaneseProfiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("cp932") << "profiles/japanese_cp932.INI";
    QTest::newRow("utf8") << "profiles/japanese_utf8.INI";
}

void TestSettings::japaneseProfiles()
{
    QFETCH(QString, file);
    const QByteArray original = testsupport::readFile(testsupport::dataPath(file));
    QVERIFY(testsupport::writeFile(path(), original));
    LoadSettings();
    QCOMPARE(g_bAddVbVariable, 1);
    QCOMPARE(g_strSqlVariable, QStringLiteral("ＳＱＬ文"));
    QCOMPARE(g_strSessionVariable, QStringLiteral("セッション"));
    QCOMPARE(g_strDummyControl[0], QStringLiteral("テキスト１"));

    // Saving writes CP932 with CR LF and keeps the comment.
    QVERIFY(SaveSettings());
    QVERIFY(SaveTypeProcCell(0, 4, QStringLiteral("テキスト１")));
    const QString expected = QStringLiteral("; 日本語のコメント（保存しても残る）\r\n"
                                            "[PCHK]\r\nChk1=1\r\nChk2=0\r\nChk3=0\r\n"
                                            "Chk4=0\r\nChk5=0\r\n"
                                            "[PARAM]\r\nParam1=ＳＱＬ文\r\nParam2=セッション\r\n"
                                            "Param3=\r\nParam4=\r\n"
                                            "[PDATA]\r\nDAT01=VARCHAR2\r\nDAT401=テキスト１\r\n");
    QByteArray expectedBytes;
    QVERIFY(quillon::encodeCp932(expected, &expectedBytes));
    QCOMPARE(testsupport::readFile(path()), expectedBytes);
    ResetSettings();
    LoadSettings();
    QCOMPARE(g_strSqlVariable, QStringLiteral("ＳＱＬ文"));
    QCOMPARE(g_strDummyControl[0], QStringLiteral("テキスト１"));
}

void TestSettings::saveKeepsForeignLines()
{
    const QByteArray before = "; Quillon settings\r\n"
                              "[Window]\r\nX=10\r\n\r\n"
                              "[PCHK]\r\n; flags\r\nChk1=0\r\nMine=yes\r\n";
    QVERIFY(testsupport::writeFile(path(), before));
    g_bAddVbVariable = 1;
    QVERIFY(SaveSettings());
    QCOMPARE(profileText(path()), QStringLiteral("; Quillon settings\r\n"
                                                 "[Window]\r\nX=10\r\n\r\n"
                                                 "[PCHK]\r\n; flags\r\nChk1=1\r\nMine=yes\r\n"
                                                 "Chk2=0\r\nChk3=0\r\nChk4=0\r\nChk5=0\r\n"
                                                 "[PARAM]\r\nParam1=\r\nParam2=\r\n"
                                                 "Param3=\r\nParam4=\r\n"));
}

void TestSettings::saveKeepsOtherCopysKeys()
{
    QVERIFY(SaveSettings());
    // Another running copy writes a type row after our load.
    QVERIFY(testsupport::writeFile(path(),
                                   testsupport::readFile(path()) + "[PDATA]\r\nDAT03=DATE\r\n"));
    g_strSqlVariable = QStringLiteral("mine");
    QVERIFY(SaveSettings());
    QVERIFY(SaveTypeProcCell(0, 1, QStringLiteral("CHAR")));
    ResetSettings();
    LoadSettings();
    QCOMPARE(g_strSqlVariable, QStringLiteral("mine"));
    QCOMPARE(g_strTypeName[0], QStringLiteral("CHAR"));
    QCOMPARE(g_strTypeName[2], QStringLiteral("DATE"));
}

void TestSettings::emptyCellRemovesKey()
{
    QVERIFY(testsupport::writeFile(path(), "[PDATA]\r\nDAT01=CHAR\r\nDAT201=f\r\nDAT401=d\r\n"));
    LoadSettings();
    QVERIFY(SaveTypeProcCell(0, 2, QString()));
    QCOMPARE(g_strReadFunction[0], QString());
    QCOMPARE(g_strDummyControl[0], QStringLiteral("d"));
    QCOMPARE(profileText(path()), QStringLiteral("[PDATA]\r\nDAT01=CHAR\r\nDAT401=d\r\n"));
}

void TestSettings::emptyTypeCellClearsRow()
{
    QVERIFY(testsupport::writeFile(path(), "[PDATA]\r\nDAT01=CHAR\r\nDAT201=f\r\nDAT401=d\r\n"
                                           "DAT02=DATE\r\n"));
    LoadSettings();
    QCOMPARE(g_nTypeProcCount, 2);
    QVERIFY(SaveTypeProcCell(0, 1, QString()));
    QCOMPARE(g_nTypeProcCount, 1);
    QCOMPARE(g_strTypeName[0], QString());
    QCOMPARE(g_strReadFunction[0], QString());
    QCOMPARE(g_strDummyControl[0], QString());
    QCOMPARE(profileText(path()), QStringLiteral("[PDATA]\r\nDAT02=DATE\r\n"));
    QCOMPARE(FindTypeRow(QStringLiteral("DATE")), 1);
}

void TestSettings::badCell()
{
    QString error;
    QVERIFY(!SaveTypeProcCell(10, 1, QStringLiteral("CHAR"), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!SaveTypeProcCell(0, 5, QStringLiteral("CHAR")));
    QVERIFY(!SaveTypeProcCell(-1, 1, QStringLiteral("CHAR")));
    QVERIFY(!QFile::exists(path()));
}

void TestSettings::tableInOneSave()
{
    QVERIFY(testsupport::writeFile(path(), "[PDATA]\r\nDAT01=CHAR\r\nDAT201=f\r\n"
                                           "DAT03=DATE\r\nDAT403=d\r\nDAT305=orphan\r\n"));
    LoadSettings();
    QString cells[kTypeProcRows][4];
    cells[0][0] = QStringLiteral("VARCHAR2");
    cells[0][3] = QStringLiteral("strWork");
    cells[1][0] = QStringLiteral("NUMBER");
    cells[1][1] = QStringLiteral("CLng");
    cells[2][1] = QStringLiteral("ignored: no type");
    QString error;
    QVERIFY2(SaveTypeProcTable(cells, &error), qPrintable(error));
    QCOMPARE(g_nTypeProcCount, 2);
    QCOMPARE(g_strTypeName[2], QString());
    QCOMPARE(g_strReadFunction[2], QString());
    QCOMPARE(profileText(path()), QStringLiteral("[PDATA]\r\nDAT01=VARCHAR2\r\nDAT401=strWork\r\n"
                                                 "DAT02=NUMBER\r\nDAT202=CLng\r\n"));
    ResetSettings();
    LoadSettings();
    QCOMPARE(g_strTypeName[1], QStringLiteral("NUMBER"));
    QCOMPARE(g_strReadFunction[1], QStringLiteral("CLng"));
    QCOMPARE(g_strReadFunction[0], QString());
}

void TestSettings::saveWithoutProfileFails()
{
    SetProfilePath(QString());
    g_bAddLf = 1;
    QString error;
    QVERIFY(!SaveSettings(&error));
    QVERIFY(!error.isEmpty());
    error.clear();
    QVERIFY(!SaveTypeProcCell(0, 1, QStringLiteral("CHAR"), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(g_bAddLf, 1);
    QCOMPARE(g_strTypeName[0], QStringLiteral("CHAR")); // memory takes it anyway
    QCOMPARE(g_nTypeProcCount, 1);
}

void TestSettings::saveFailureKeepsOldProfile()
{
    // The profile path is a folder.
    const QString folder = m_dir.filePath(QStringLiteral("asFolder"));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/inside")));
    SetProfilePath(folder);
    QString error;
    QVERIFY(!SaveSettings(&error));
    QVERIFY(error.contains(folder));
    QVERIFY(QFileInfo(folder + QStringLiteral("/inside")).isDir());

    if (geteuid() == 0)
        QSKIP("read-only folders do not stop root");
    const QString ro = m_dir.filePath(QStringLiteral("ro"));
    QVERIFY(QDir().mkpath(ro));
    const QString profile = ro + QStringLiteral("/Quillon.INI");
    const QByteArray old = "[PCHK]\r\nChk1=0\r\n";
    QVERIFY(testsupport::writeFile(profile, old));
    QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    SetProfilePath(profile);
    g_bAddVbVariable = 1;
    error.clear();
    const bool saved = SaveSettings(&error);
    QFile::setPermissions(ro,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY(!saved);
    QVERIFY(error.contains(profile));
    QCOMPARE(testsupport::readFile(profile), old);
    QCOMPARE(g_bAddVbVariable, 1);
}

void TestSettings::unreadableProfile()
{
    if (geteuid() == 0)
        QSKIP("permissions do not stop root from reading");
    const QByteArray old = "[PCHK]\r\nChk1=1\r\nForeign=keep\r\n";
    QVERIFY(testsupport::writeFile(path(), old));
    QFile::setPermissions(path(), QFileDevice::Permissions());
    LoadSettings();
    QVERIFY(allDefaults());
    QString error;
    const bool saved = SaveSettings(&error);
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QVERIFY(!saved);
    QVERIFY(!error.isEmpty());
    QCOMPARE(testsupport::readFile(path()), old);
}

void TestSettings::interruptedSaveKeepsOldProfile()
{
    QVERIFY(testsupport::writeFile(path(), testsupport::readFile(testsupport::dataPath(
                                               QStringLiteral("profiles/worked_example.INI")))));
    const QByteArray old = testsupport::readFile(path());
    LoadSettings();
    g_strSqlVariable = QStringLiteral("changed");

    // The temporary file may grow to 16 bytes only: the write fails part way.
    struct rlimit saved {
    };
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit limited = saved;
    limited.rlim_cur = 16;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    QString error;
    const bool ok = SaveSettings(&error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    QVERIFY(!ok);
    QVERIFY(!error.isEmpty());
    QCOMPARE(testsupport::readFile(path()), old);
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("Quillon.INI*")}, QDir::AllEntries),
             QStringList{QStringLiteral("Quillon.INI")}); // no temporary file left
    ResetSettings();
    LoadSettings();
    checkWorkedExampleLoaded();
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
