#include "TestSupport.h"
#include "settings/IniProfile.h"
#include "text/Encoding.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using quillon::IniProfile;

namespace
{

IniProfile parsed(const QByteArray& bytes)
{
    IniProfile ini;
    ini.loadBytes(bytes);
    return ini;
}

QByteArray cp932(const QString& text)
{
    QByteArray out;
    if (!quillon::encodeCp932(text, &out))
        qFatal("test text has no CP932 form");
    return out;
}

// A save that runs out of file size part way: the write of the temporary file fails.
bool saveWithFileSizeLimit(const IniProfile& ini, const QString& path, QString* error)
{
    struct rlimit old {
    };
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit limited = old;
    limited.rlim_cur = 8;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    const bool ok = ini.save(path, error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    return ok;
}

} // namespace

class TestIniProfile : public QObject
{
    Q_OBJECT
private slots:
    void init() { testsupport::resetAll(); }
    void reading_data();
    void reading();
    void getInt_data();
    void getInt();
    void duplicatesFirstWins();
    void newSectionsAndKeysInWrittenOrder();
    void newKeyBeforeTrailingBlankLines();
    void writePreservesOtherLines();
    void writeChangesFirstDuplicate();
    void removeKeyRemovesEveryOccurrence();
    void valuesThatNeedQuotes_data();
    void valuesThatNeedQuotes();
    void encodings();
    void hugeValue();
    void roundTripIsStable_data();
    void roundTripIsStable();
    void randomRoundTrips();
    void loadFailures();
    void saveCreatesFolder();
    void saveFailures();
    void interruptedWriteKeepsOldFile();
};

void TestIniProfile::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    const QByteArray base = "[PCHK]\nChk1=1\n[PARAM]\nParam1=sql\n";
    QTest::newRow("plain") << base << "PARAM"
                           << "Param1"
                           << "sql";
    QTest::newRow("section case") << base << "param"
                                  << "Param1"
                                  << "sql";
    QTest::newRow("key case") << base << "PARAM"
                              << "PARAM1"
                              << "sql";
    QTest::newRow("missing key") << base << "PARAM"
                                 << "Param2"
                                 << "";
    QTest::newRow("missing section") << base << "PDATA"
                                     << "Param1"
                                     << "";
    QTest::newRow("key in other section") << base << "PCHK"
                                          << "Param1"
                                          << "";
    QTest::newRow("blanks trimmed") << QByteArray("[ PARAM ]\n \tParam1 =  sql \t\n") << "PARAM"
                                    << "Param1"
                                    << "sql";
    QTest::newRow("crlf") << QByteArray("[PARAM]\r\nParam1=sql\r\n") << "PARAM"
                          << "Param1"
                          << "sql";
    QTest::newRow("no final newline") << QByteArray("[PARAM]\r\nParam1=sql") << "PARAM"
                                      << "Param1"
                                      << "sql";
    QTest::newRow("empty value") << QByteArray("[PARAM]\nParam1=\n") << "PARAM"
                                 << "Param1"
                                 << "";
    QTest::newRow("equals in value") << QByteArray("[P]\nK=a=b\n") << "P"
                                     << "K"
                                     << "a=b";
    QTest::newRow("double quotes") << QByteArray("[P]\nK=\" a \"\n") << "P"
                                   << "K"
                                   << " a ";
    QTest::newRow("single quotes") << QByteArray("[P]\nK='x'\n") << "P"
                                   << "K"
                                   << "x";
    QTest::newRow("unmatched quote") << QByteArray("[P]\nK=\"x\n") << "P"
                                     << "K"
                                     << "\"x";
    QTest::newRow("comment is no key") << QByteArray("[P]\n;K=1\n") << "P"
                                       << ";K"
                                       << "";
    QTest::newRow("before any section") << QByteArray("K=1\n[P]\n") << "P"
                                        << "K"
                                        << "";
    QTest::newRow("cp932") << cp932(QStringLiteral("[P]\r\nK=ＳＱＬ文\r\n")) << "P"
                           << "K" << QStringLiteral("ＳＱＬ文");
    QTest::newRow("utf8 bom") << QByteArray("\xEF\xBB\xBF[P]\nK=\xE6\x96\x87\n") << "P"
                              << "K" << QStringLiteral("文");
    QTest::newRow("nul byte") << QByteArray("[P]\nK=a\0b\n", 10) << "P"
                              << "K" << QString::fromLatin1("a\0b", 3);
}

void TestIniProfile::reading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(parsed(bytes).getString(section, key), expected);
    QCOMPARE(parsed(bytes).getString(section, key, QStringLiteral("dflt")),
             parsed(bytes).contains(section, key) ? expected : QStringLiteral("dflt"));
}

void TestIniProfile::getInt_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("number") << QByteArray("12") << 12;
    QTest::newRow("trailing text") << QByteArray("3x") << 3;
    QTest::newRow("no digits") << QByteArray("abc") << 0;
    QTest::newRow("negative") << QByteArray("-5") << -5;
    QTest::newRow("blanks") << QByteArray("  7  ") << 7;
    QTest::newRow("empty gives fallback") << QByteArray("") << 42;
    QTest::newRow("huge saturates") << QByteArray("99999999999999") << 2147483647;
}

void TestIniProfile::getInt()
{
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    const IniProfile ini = parsed("[PCHK]\nChk5=" + value + "\n");
    QCOMPARE(ini.getInt(QStringLiteral("PCHK"), QStringLiteral("Chk5"), 42), expected);
    QCOMPARE(ini.getInt(QStringLiteral("PCHK"), QStringLiteral("Missing"), 42), 42);
}

void TestIniProfile::duplicatesFirstWins()
{
    const IniProfile ini = parsed("[P]\nK=1\nK=2\nJ=a\n[p]\nK=3\nL=4\n");
    QCOMPARE(ini.getString(QStringLiteral("P"), QStringLiteral("K")), QStringLiteral("1"));
    // Only the first section of a name is looked at.
    QCOMPARE(ini.getString(QStringLiteral("P"), QStringLiteral("L")), QString());
}

void TestIniProfile::newSectionsAndKeysInWrittenOrder()
{
    IniProfile ini;
    ini.writeInt(QStringLiteral("PCHK"), QStringLiteral("Chk1"), 1);
    ini.writeString(QStringLiteral("PARAM"), QStringLiteral("Param1"), QStringLiteral("sql"));
    ini.writeInt(QStringLiteral("PCHK"), QStringLiteral("Chk2"), 0);
    ini.writeString(QStringLiteral("PARAM"), QStringLiteral("Param2"), QString());
    QCOMPARE(ini.toBytes(), QByteArray("[PCHK]\r\nChk1=1\r\nChk2=0\r\n"
                                       "[PARAM]\r\nParam1=sql\r\nParam2=\r\n"));
}

void TestIniProfile::newKeyBeforeTrailingBlankLines()
{
    IniProfile ini = parsed("[A]\nx=1\n\n[B]\ny=2");
    ini.writeString(QStringLiteral("a"), QStringLiteral("z"), QStringLiteral("3"));
    ini.writeString(QStringLiteral("B"), QStringLiteral("w"), QStringLiteral("4"));
    QCOMPARE(ini.toBytes(), QByteArray("[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\nw=4\r\n"));
}

void TestIniProfile::writePreservesOtherLines()
{
    const QByteArray before = "; head comment\r\n"
                              "orphan line\r\n"
                              "[PCHK]\r\n"
                              "  ; inner comment\r\n"
                              "Chk1 = 0  \r\n"
                              "Other=keep me\r\n"
                              "garbage without equals\r\n"
                              "[Foreign]\r\n"
                              "A=1\r\n";
    IniProfile ini = parsed(before);
    ini.writeInt(QStringLiteral("pchk"), QStringLiteral("CHK1"), 1);
    QByteArray expected = before;
    expected.replace("Chk1 = 0  ", "Chk1=1");
    QCOMPARE(ini.toBytes(), expected);
}

void TestIniProfile::writeChangesFirstDuplicate()
{
    IniProfile ini = parsed("[P]\nK=1\nK=2\n[P]\nK=3\n");
    ini.writeString(QStringLiteral("P"), QStringLiteral("K"), QStringLiteral("9"));
    QCOMPARE(ini.toBytes(), QByteArray("[P]\r\nK=9\r\nK=2\r\n[P]\r\nK=3\r\n"));
    QCOMPARE(ini.getString(QStringLiteral("P"), QStringLiteral("K")), QStringLiteral("9"));
}

void TestIniProfile::removeKeyRemovesEveryOccurrence()
{
    IniProfile ini = parsed("[P]\nK=1\nJ=0\nk=2\n");
    ini.removeKey(QStringLiteral("P"), QStringLiteral("K"));
    QVERIFY(!ini.contains(QStringLiteral("P"), QStringLiteral("K")));
    QCOMPARE(ini.toBytes(), QByteArray("[P]\r\nJ=0\r\n"));
    ini.removeKey(QStringLiteral("Missing"), QStringLiteral("K"));
    QCOMPARE(ini.toBytes(), QByteArray("[P]\r\nJ=0\r\n"));
}

void TestIniProfile::valuesThatNeedQuotes_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("plain") << "abc" << QByteArray("K=abc");
    QTest::newRow("inner blank") << "a b" << QByteArray("K=a b");
    QTest::newRow("leading blank") << " a" << QByteArray("K=\" a\"");
    QTest::newRow("trailing tab") << "a\t" << QByteArray("K=\"a\t\"");
    QTest::newRow("quoted") << "\"a\"" << QByteArray("K=\"\"a\"\"");
    QTest::newRow("single quoted") << "'a'" << QByteArray("K=\"'a'\"");
    QTest::newRow("one quote") << "\"" << QByteArray("K=\"");
    QTest::newRow("line breaks") << "a\r\nb" << QByteArray("K=a  b");
}

void TestIniProfile::valuesThatNeedQuotes()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, line);
    IniProfile ini;
    ini.writeString(QStringLiteral("P"), QStringLiteral("K"), value);
    const QByteArray bytes = ini.toBytes();
    QCOMPARE(bytes, "[P]\r\n" + line + "\r\n");
    QString expected = value;
    expected.replace(u'\r', u' ').replace(u'\n', u' ');
    QCOMPARE(ini.getString(QStringLiteral("P"), QStringLiteral("K")), expected);
    QCOMPARE(parsed(bytes).getString(QStringLiteral("P"), QStringLiteral("K")), expected);
}

void TestIniProfile::encodings()
{
    // Japanese text is written as CP932.
    IniProfile ini;
    ini.writeString(QStringLiteral("P"), QStringLiteral("K"), QStringLiteral("ＳＱＬ文ｶﾅ"));
    bool utf8 = true;
    QCOMPARE(ini.toBytes(&utf8), cp932(QStringLiteral("[P]\r\nK=ＳＱＬ文ｶﾅ\r\n")));
    QVERIFY(!utf8);

    // Text without a CP932 form makes the whole file UTF-8; nothing is lost.
    ini.writeString(QStringLiteral("P"), QStringLiteral("E"), QStringLiteral("€ 😀"));
    const QByteArray bytes = ini.toBytes(&utf8);
    QVERIFY(utf8);
    QCOMPARE(bytes, QStringLiteral("[P]\r\nK=ＳＱＬ文ｶﾅ\r\nE=€ 😀\r\n").toUtf8());
    QCOMPARE(parsed(bytes).getString(QStringLiteral("P"), QStringLiteral("E")),
             QStringLiteral("€ 😀"));

    // CP932 bytes that happen to be valid UTF-8 would read back wrongly: UTF-8 is written.
    const QByteArray trickyCp932 = "\xE0\xA0\xB1"; // a kanji and a half-width katakana
    QVERIFY(quillon::isValidUtf8(trickyCp932));
    const QString tricky = quillon::decodeCp932(trickyCp932);
    QCOMPARE(tricky.size(), 2);
    IniProfile t;
    t.writeString(QStringLiteral("P"), QStringLiteral("K"), tricky);
    const QByteArray trickyBytes = t.toBytes();
    QCOMPARE(parsed(trickyBytes).getString(QStringLiteral("P"), QStringLiteral("K")), tricky);

    // A byte-order mark that is part of the text survives.
    const IniProfile bom = parsed("\xEF\xBB\xBF\xEF\xBB\xBF[P]\nK=1\n");
    QCOMPARE(parsed(bom.toBytes()).toBytes(), bom.toBytes());
}

void TestIniProfile::hugeValue()
{
    const QByteArray big(100 * 1024, 'v');
    IniProfile ini = parsed("[P]\nBig=" + big + "\nK=1\n");
    QCOMPARE(ini.getString(QStringLiteral("P"), QStringLiteral("Big")).size(), big.size());
    QCOMPARE(ini.getInt(QStringLiteral("P"), QStringLiteral("K")), 1);
    ini.writeString(QStringLiteral("P"), QStringLiteral("K"), QStringLiteral("2"));
    QCOMPARE(ini.toBytes(), "[P]\r\nBig=" + big + "\r\nK=2\r\n");
}

void TestIniProfile::roundTripIsStable_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("one newline") << QByteArray("\n");
    QTest::newRow("lone cr") << QByteArray("\r");
    QTest::newRow("cr cr lf") << QByteArray("[P]\r\r\nK=1\r\r\n");
    QTest::newRow("mixed") << QByteArray("[P]\nK=1\r\n;c\n\n[Q]\r\nX= \" y \" ");
    QTest::newRow("bad cp932") << QByteArray("[P]\nK=\x81\n\xFF\x80\n");
    QTest::newRow("bad utf8") << QByteArray("[P]\nK=\xE6\x96\n");
    QTest::newRow("brackets") << QByteArray("[P\n]\n[]\n[[x]]\n[a]b]\n=v\n");
    QTest::newRow("nul") << QByteArray("[P]\0\nK\0=\0\n", 10);
}

void TestIniProfile::roundTripIsStable()
{
    QFETCH(QByteArray, bytes);
    const IniProfile first = parsed(bytes);
    const QByteArray saved = first.toBytes();
    const IniProfile second = parsed(saved);
    QCOMPARE(second.toBytes(), saved);
    for (const char* section : {"P", "Q", "", "[x]", "a"}) {
        for (const char* key : {"K", "X", ""}) {
            QCOMPARE(second.getString(QString::fromLatin1(section), QString::fromLatin1(key)),
                     first.getString(QString::fromLatin1(section), QString::fromLatin1(key)));
        }
    }
}

void TestIniProfile::randomRoundTrips()
{
    // Bytes that matter to the reader, mixed at random: load, write, save, load again.
    const QByteArray alphabet("[]=;\r\n \t\"'KkPp1\x81\xE0\xA0\xB1\xEF\xBB\xBF\xFF\x00", 25);
    const QStringList names{QStringLiteral("P"), QStringLiteral("K"), QStringLiteral("p"),
                            QStringLiteral("k1")};
    QRandomGenerator random(20240601);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        const int size = random.bounded(60);
        for (int i = 0; i < size; ++i)
            bytes += alphabet[random.bounded(alphabet.size())];
        IniProfile first = parsed(bytes);
        if (round % 2)
            first.writeString(names[random.bounded(4)], names[random.bounded(4)],
                              QString::fromLatin1(bytes.left(random.bounded(8))));
        const QByteArray saved = first.toBytes();
        const IniProfile second = parsed(saved);
        QCOMPARE(second.toBytes(), saved);
        for (const QString& section : names) {
            for (const QString& key : names)
                QCOMPARE(second.getString(section, key), first.getString(section, key));
        }
    }
}

void TestIniProfile::loadFailures()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    IniProfile ini;
    QString error;
    QVERIFY(ini.load(dir.filePath(QStringLiteral("missing.INI")), &error));
    QVERIFY(error.isEmpty());

    ini.loadBytes("[P]\nK=1\n");
    QVERIFY(!ini.load(dir.path(), &error)); // a folder
    QVERIFY(!error.isEmpty());
    QVERIFY(!ini.contains(QStringLiteral("P"), QStringLiteral("K")));

    if (geteuid() == 0)
        return; // permissions do not stop root
    const QString path = dir.filePath(QStringLiteral("locked.INI"));
    QVERIFY(testsupport::writeFile(path, "[P]\nK=1\n"));
    QFile::setPermissions(path, QFileDevice::Permissions());
    error.clear();
    QVERIFY(!ini.load(path, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!ini.contains(QStringLiteral("P"), QStringLiteral("K")));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestIniProfile::saveCreatesFolder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a/b/Quillon.INI"));
    IniProfile ini;
    ini.writeInt(QStringLiteral("P"), QStringLiteral("K"), 5);
    QString error;
    QVERIFY2(ini.save(path, &error), qPrintable(error));
    QCOMPARE(testsupport::readFile(path), QByteArray("[P]\r\nK=5\r\n"));
    IniProfile back;
    QVERIFY(back.load(path));
    QCOMPARE(back.getInt(QStringLiteral("P"), QStringLiteral("K")), 5);
}

void TestIniProfile::saveFailures()
{
    QTemporaryDir dir;
    IniProfile ini;
    ini.writeInt(QStringLiteral("P"), QStringLiteral("K"), 5);
    QString error;

    QVERIFY(!ini.save(QString(), &error));
    QVERIFY(!error.isEmpty());

    error.clear();
    QVERIFY(!ini.save(dir.path(), &error));
    QVERIFY(error.contains(dir.path()));

    // The folder cannot be created: a file stands in its place.
    const QString blocker = dir.filePath(QStringLiteral("file"));
    QVERIFY(testsupport::writeFile(blocker, "x"));
    error.clear();
    QVERIFY(!ini.save(blocker + QStringLiteral("/Quillon.INI"), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(testsupport::readFile(blocker), QByteArray("x"));

    if (geteuid() == 0)
        return; // permissions do not stop root
    const QString folder = dir.filePath(QStringLiteral("ro"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/Quillon.INI");
    QVERIFY(testsupport::writeFile(path, "old"));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    error.clear();
    QVERIFY(!ini.save(path, &error));
    QVERIFY(error.contains(path));
    QCOMPARE(testsupport::readFile(path), QByteArray("old"));
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestIniProfile::interruptedWriteKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Quillon.INI"));
    const QByteArray old = "[P]\r\nK=old\r\n";
    QVERIFY(testsupport::writeFile(path, old));
    IniProfile ini;
    QVERIFY(ini.load(path));
    ini.writeString(QStringLiteral("P"), QStringLiteral("K"), QString(1000, u'n'));
    QString error;
    QVERIFY(!saveWithFileSizeLimit(ini, path, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(testsupport::readFile(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Quillon.INI")});
    QVERIFY2(ini.save(path, &error), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestIniProfile)
#include "tst_iniprofile.moc"
