// quillon-cli given files that are no good definition files or profiles: the exit code
// and exactly what it prints. No input makes it crash or wait.
#include "Cli.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

struct Result {
    int code = -1;
    QString out;
    QString err;
};

Result run(const QStringList& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    Result r;
    r.code = quillon::runCli(QStringList{QStringLiteral("quillon-cli")} + arguments, out, err);
    r.out = QString::fromUtf8(QByteArray::fromStdString(out.str()));
    r.err = QString::fromUtf8(QByteArray::fromStdString(err.str()));
    return r;
}

template <size_t N> QByteArray bytesOf(const char (&text)[N])
{
    return QByteArray(text, qsizetype(N - 1));
}

const QByteArray kGoodTable = "CREATE TABLE DEPT (\n"
                              "    DEPTNO  NUMBER(2),\n"
                              "    DNAME   VARCHAR2(14),\n"
                              "    CONSTRAINT PK_DEPT PRIMARY KEY (DEPTNO)\n"
                              ");\n";

const QString kEmptyDescription =
    QStringLiteral("{\"table\": \"\", \"columns\": [], \"keys\": []}\n");

QByteArray wideTable(int columns, int keys)
{
    QByteArray text = "CREATE TABLE WIDE (\n";
    for (int j = 1; j <= columns; ++j)
        text += "    C" + QByteArray::number(j) + " NUMBER(5),\n";
    text += "    CONSTRAINT PK_WIDE PRIMARY KEY (";
    for (int k = 1; k <= keys; ++k)
        text += (k > 1 ? ", C" : "C") + QByteArray::number(k);
    text += ")\n);\n";
    return text;
}

} // namespace

class TestCliBadInput : public QObject
{
    Q_OBJECT
private slots:
    void init() { testsupport::resetAll(); }

    void oddFiles_data();
    void oddFiles();
    void statementOfEmptyFile();
    void tenMegabyteLine();
    void tooManyColumnsAndKeys();
    void missingFileAndFolder();
    void folderInsteadOfFile();
    void pipeWithoutWriter();
    void nameNotUtf8();
    void badProfiles();
    void oddProfiles();
};

// Files that read, whatever they hold: exit 0 and the description of what was found.
void TestCliBadInput::oddFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("description");

    QTest::newRow("empty") << QByteArray() << kEmptyDescription;
    QByteArray binary;
    for (int i = 0; i < 8192; ++i)
        binary += char((i * 7919) % 251);
    QTest::newRow("binary") << binary << kEmptyDescription;
    QTest::newRow("NUL bytes")
        << bytesOf("CREATE TABLE T\0 (\n  A\0B NUMBER,\n  D\0 DATE\n);\n")
        << QStringLiteral(
               "{\"table\": \"T\", \"columns\": [{\"name\": \"AB\", \"type\": \"NUMBER\", "
               "\"typeRow\": -1}, {\"name\": \"D\", \"type\": \"DATE\", \"typeRow\": "
               "-1}], \"keys\": []}\n");
    QTest::newRow("invalid CP932")
        << QByteArray("CREATE TABLE T (\n  \xA0X NUMBER\n);\n")
        << QStringLiteral("{\"table\": \"T\", \"columns\": [{\"name\": \"\uFFFDX\", \"type\": "
                          "\"NUMBER\", \"typeRow\": -1}], \"keys\": []}\n");
    QTest::newRow("invalid UTF-8")
        << QByteArray("CREATE TABLE T (\n  X\xE6\x96 NUMBER,\n  Y DATE\n);\n")
        << QStringLiteral("{\"table\": \"T\", \"columns\": [{\"name\": \"X\u8B41\", \"type\": "
                          "\"NUMBER\", \"typeRow\": -1}, {\"name\": \"Y\", \"type\": \"DATE\", "
                          "\"typeRow\": -1}], \"keys\": []}\n");
    QTest::newRow("lone lead byte at line end")
        << QByteArray("CREATE TABLE T (\n  B NUMBER\x82\r\n  C DATE\n);\n")
        << QStringLiteral("{\"table\": \"T\", \"columns\": [{\"name\": \"B\", \"type\": "
                          "\"NUMBER\", \"typeRow\": -1}, {\"name\": \"C\", \"type\": \"DATE\", "
                          "\"typeRow\": -1}], \"keys\": []}\n");
    QTest::newRow("block comment never closed")
        << QByteArray("CREATE TABLE T (\n  A NUMBER,\n  /* B NUMBER,\n  C DATE\n);\n")
        << QStringLiteral("{\"table\": \"T\", \"columns\": [{\"name\": \"A\", \"type\": "
                          "\"NUMBER\", \"typeRow\": -1}], \"keys\": []}\n");
}

void TestCliBadInput::oddFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, description);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ODD.sql"));
    QVERIFY(testsupport::writeFile(path, bytes));
    const Result r = run({QStringLiteral("describe"), QStringLiteral("--no-profile"), path});
    // A file without a table is read, and the user is told that it held none.
    QCOMPARE(
        r.err,
        description == kEmptyDescription
            ? QStringLiteral("quillon-cli: warning: %1: no CREATE TABLE line found\n").arg(path)
            : QString());
    QCOMPARE(r.out, description);
    QCOMPARE(r.code, 0);
}

// An empty file gives a statement without a table: the user sees that nothing was found.
void TestCliBadInput::statementOfEmptyFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("EMPTY.sql"));
    QVERIFY(testsupport::writeFile(path, QByteArray()));
    Result r = run({QStringLiteral("generate"), QStringLiteral("select"),
                    QStringLiteral("--no-profile"), path});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QStringLiteral("SELECT\n FROM \n"));
    r = run({QStringLiteral("generate"), QStringLiteral("delete"), QStringLiteral("--no-profile"),
             path});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QStringLiteral("DELETE \n"));
}

// A line of 10 MB: read without waiting long; 10 MB before a type keyword is no column
// name, so the other columns make the statement.
void TestCliBadInput::tenMegabyteLine()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("LONG.sql"));
    const QByteArray name(10 * 1024 * 1024, 'N');
    QVERIFY(
        testsupport::writeFile(path, "CREATE TABLE T (\n  " + name + " NUMBER,\n  Z DATE\n);\n"));
    const Result r = run({QStringLiteral("generate"), QStringLiteral("select"),
                          QStringLiteral("--no-profile"), path});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QStringLiteral("SELECT\n Z\n FROM T\n"));
}

// More columns or keys than the store holds: the statement is made from the first 242
// columns and 10 keys, and a warning on stderr says how many were left out.
void TestCliBadInput::tooManyColumnsAndKeys()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("WIDE.sql"));
    QVERIFY(testsupport::writeFile(path, wideTable(1000, 50)));
    const Result r = run({QStringLiteral("generate"), QStringLiteral("update"),
                          QStringLiteral("--no-profile"), path});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.err, QStringLiteral("quillon-cli: warning: %1: 708 columns beyond 242 ignored\n"
                                   "quillon-cli: warning: %1: 40 key columns beyond 10 ignored\n")
                        .arg(path));
    QVERIFY(r.out.startsWith(QStringLiteral("UPDATE WIDE SET\n C51 = \n,C52 = \n")));
    QVERIFY(r.out.contains(QStringLiteral(",C292 = \n WHERE C1 = \n")));
    QVERIFY(!r.out.contains(QStringLiteral("C293")));
    QVERIFY(r.out.endsWith(QStringLiteral(" AND C10 = \n")));
}

// A file or its folder gone before the run: exit 1 and the system's reason.
void TestCliBadInput::missingFileAndFolder()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("GONE.sql"));
    Result r = run({QStringLiteral("describe"), QStringLiteral("--no-profile"), file});
    QCOMPARE(r.code, 1);
    QCOMPARE(r.out, QString());
    QCOMPARE(r.err,
             QStringLiteral("quillon-cli: cannot read %1: No such file or directory\n").arg(file));

    const QString inFolder = dir.filePath(QStringLiteral("gone/DEPT.sql"));
    r = run({QStringLiteral("generate"), QStringLiteral("insert"), QStringLiteral("--no-profile"),
             inFolder});
    QCOMPARE(r.code, 1);
    QCOMPARE(r.out, QString());
    QCOMPARE(
        r.err,
        QStringLiteral("quillon-cli: cannot read %1: No such file or directory\n").arg(inFolder));
}

void TestCliBadInput::folderInsteadOfFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DIR.sql"));
    QVERIFY(QDir().mkdir(path));
    const Result r = run({QStringLiteral("describe"), QStringLiteral("--no-profile"), path});
    QCOMPARE(r.code, 1);
    QCOMPARE(r.out, QString());
    QCOMPARE(r.err, QStringLiteral("quillon-cli: cannot read %1: フォルダです: %1\n").arg(path));
}

// A named pipe nobody writes to reads as an empty file instead of waiting forever.
void TestCliBadInput::pipeWithoutWriter()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("PIPE.sql"));
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    const Result r = run({QStringLiteral("describe"), QStringLiteral("--no-profile"), path});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, kEmptyDescription);
}

// A file name that is not UTF-8, passed the way the program gets its arguments.
void TestCliBadInput::nameNotUtf8()
{
    QTemporaryDir dir;
    const QByteArray raw = QFile::encodeName(dir.path()) + "/\x8E\xD0\x88\xF5\xFF.sql";
    const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, kGoodTable.constData(), size_t(kGoodTable.size())),
             ssize_t(kGoodTable.size()));
    ::close(fd);
    const Result r =
        run({QStringLiteral("describe"), QStringLiteral("--no-profile"), QFile::decodeName(raw)});
    ::unlink(raw.constData());
    QCOMPARE(r.err, QString());
    QCOMPARE(r.code, 0);
    QVERIFY(r.out.startsWith(QStringLiteral("{\"table\": \"DEPT\"")));
}

// A profile that cannot be read: exit 1 and a message naming it; nothing is generated.
void TestCliBadInput::badProfiles()
{
    QTemporaryDir dir;
    const QString table = dir.filePath(QStringLiteral("DEPT.sql"));
    QVERIFY(testsupport::writeFile(table, kGoodTable));

    const QString folder = dir.filePath(QStringLiteral("folder.INI"));
    QVERIFY(QDir().mkdir(folder));
    const QString pipe = dir.filePath(QStringLiteral("pipe.INI"));
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    const QString missing = dir.filePath(QStringLiteral("missing.INI"));
    for (const QString& profile : {folder, pipe, missing}) {
        const Result r =
            run({QStringLiteral("describe"), QStringLiteral("--profile"), profile, table});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out, QString());
        QCOMPARE(r.err, QStringLiteral("quillon-cli: cannot read profile %1\n").arg(profile));
    }
    QVERIFY(QDir(folder).isEmpty());
}

// Odd profiles that read: 100 KB values, duplicates (the first counts), no final newline,
// CR LF. The profile file is not written by the CLI.
void TestCliBadInput::oddProfiles()
{
    QTemporaryDir dir;
    const QString table = dir.filePath(QStringLiteral("DEPT.sql"));
    QVERIFY(testsupport::writeFile(table, kGoodTable));
    const QString profile = dir.filePath(QStringLiteral("Quillon.INI"));
    const QByteArray big(100 * 1024, 's');
    const QByteArray bytes = "[PCHK]\r\nChk1=1\r\nChk1=0\r\n[PARAM]\r\nParam1=" + big +
                             "\r\n[PCHK]\r\nChk2=1\r\n[PARAM]\r\nParam1=second";
    QVERIFY(testsupport::writeFile(profile, bytes));
    const Result r = run({QStringLiteral("generate"), QStringLiteral("delete"),
                          QStringLiteral("--profile"), profile, table});
    QCOMPARE(r.code, 0);
    const QString sql = QString::fromLatin1(big);
    QCOMPARE(r.out, sql + QStringLiteral(" = \"DELETE DEPT\"\n") + sql + QStringLiteral(" = ") +
                        sql + QStringLiteral(" & \" WHERE DEPTNO = \"\n"));
    QCOMPARE(testsupport::readFile(profile), bytes);
}

QTEST_GUILESS_MAIN(TestCliBadInput)
#include "tst_badinput.moc"
