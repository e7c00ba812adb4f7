// Files that are no good definition files and profiles that are no good profiles, through
// the core: whatever the input, no crash and no hang, a message where the user must act,
// and nothing else changed. Each case says what the user gets.
// Also replays the inputs that the fuzz targets once failed on (tests/data/fuzz-regressions)
// through the same steps as the targets.
#include "EditorCore.h"
#include "TestSupport.h"
#include "settings/IniProfile.h"
#include "settings/Settings.h"
#include "tabledef/TableStore.h"
#include "text/Encoding.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

struct Slot {
    QString name;
    QStringList columns;
    QStringList keys;
};

Slot slot(int t)
{
    Slot s;
    s.name = g_tableName[t];
    for (int j = 0; j < g_columnCount[t]; ++j)
        s.columns << g_columnName[t][j];
    for (int k = 0; k < g_keyColumnCount[t]; ++k)
        s.keys << g_keyColumnName[t][k];
    return s;
}

bool operator==(const Slot& a, const Slot& b)
{
    return a.name == b.name && a.columns == b.columns && a.keys == b.keys;
}

char* toString(const Slot& s)
{
    return QTest::toString(
        QStringLiteral("%1 | %2 | keys %3").arg(s.name, s.columns.join(u','), s.keys.join(u',')));
}

// A good table in slot 1, to show that reading another slot leaves it alone.
const QByteArray kGoodTable = "CREATE TABLE DEPT (\n"
                              "    DEPTNO  NUMBER(2),\n"
                              "    DNAME   VARCHAR2(14),\n"
                              "    CONSTRAINT PK_DEPT PRIMARY KEY (DEPTNO)\n"
                              ");\n";

// The bytes of a literal, NUL bytes included.
template <size_t N> QByteArray bytesOf(const char (&text)[N])
{
    return QByteArray(text, qsizetype(N - 1));
}

QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

QByteArray columnsTable(int columns, int keys)
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

QStringList numbered(const char* prefix, int from, int to)
{
    QStringList names;
    for (int i = from; i <= to; ++i)
        names << QString::fromLatin1(prefix) + QString::number(i);
    return names;
}

// The settings the statement tests run under: VB code with object variables.
void vbSettings()
{
    g_bAddVbVariable = 1;
    g_bAddObjectVariables = 1;
    g_strSqlVariable = QStringLiteral("strSQL");
    g_strSessionVariable = QStringLiteral("OraSession");
    g_strDatabaseVariable = QStringLiteral("OraDatabase");
    g_strDynasetVariable = QStringLiteral("OraDynaset");
    g_strTypeName[0] = QStringLiteral("NUMBER");
    g_strDummyControl[0] = QStringLiteral("lngWork");
    g_nTypeProcCount = 1;
}

// Every statement kind over slot 0 (and a joined select of slots 0 and 1): each gives text
// ending in CR LF.
void buildAll(CEditorCore& core)
{
    for (int j = 0; j < kMaxColumns; ++j) {
        g_columnSelected[0][j] = 1;
        g_columnSelected[1][j] = 1;
    }
    g_tableIdentifier[0] = QStringLiteral("A");
    g_tableIdentifier[1] = QStringLiteral("B");
    for (int kind = kSelect; kind <= kDelete; ++kind) {
        core.m_strOutput.clear();
        core.BuildStatement(kind, 1);
        QVERIFY(core.m_strOutput.endsWith(QLatin1String("\r\n")));
    }
    core.m_strOutput.clear();
    core.BuildStatement(kSelect, 2);
    QVERIFY(core.m_strOutput.endsWith(QLatin1String("\r\n")));
}

// The profile as LoadSettings left it, for "nothing else changed".
QStringList settingsNow()
{
    QStringList s{QString::number(g_bAddVbVariable),
                  g_strSqlVariable,
                  QString::number(g_bAddLf),
                  QString::number(g_bAddColumnComment),
                  QString::number(g_bAddObjectVariables),
                  g_strColumnsPerLine,
                  g_strSessionVariable,
                  g_strDatabaseVariable,
                  g_strDynasetVariable,
                  QString::number(g_nTypeProcCount)};
    for (int r = 0; r < kTypeProcRows; ++r)
        s << g_strTypeName[r] << g_strReadFunction[r] << g_strWriteFunction[r]
          << g_strDummyControl[r];
    return s;
}

const QByteArray kProfile = "[PCHK]\r\nChk1=1\r\nChk5=3\r\n[PARAM]\r\nParam1=strSQL\r\n"
                            "[PDATA]\r\nDAT01=NUMBER\r\nDAT401=lngWork\r\n";

} // namespace

class TestBadInput : public QObject
{
    Q_OBJECT
private slots:
    void init() { testsupport::resetAll(); }

    void badDefinitionFiles_data();
    void badDefinitionFiles();
    void tenMegabyteLines_data();
    void tenMegabyteLines();
    void tooManyColumnsAndKeys();
    void fileGoneBeforeReading();
    void fileReplacedByFolder();
    void fileReplacedByPipe();
    void folderGone();
    void nameNotUtf8();

    void profileIsFolder();
    void profileNotRegularFile();
    void profileUnreadable();
    void profileFolderReadOnly();
    void profileOddButReadable_data();
    void profileOddButReadable();
    void profileKilledWhileSaving();

    void fuzzRegressions();
};

// What a file that holds something odd gives: the table name, the columns and the keys in
// the slot. In each case the read succeeds (0), every statement can be built from it, and
// the table in slot 1 stays as it was.
void TestBadInput::badDefinitionFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QStringList>("keys");

    // An empty file: no table, no columns; the statement has no table name in it.
    QTest::newRow("empty") << QByteArray() << QString() << QStringList() << QStringList();
    // Not a text file at all: nothing is taken from it.
    QTest::newRow("binary") << randomBytes(64 * 1024, 42) << QString() << QStringList()
                            << QStringList();
    QTest::newRow("binary ELF head")
        << bytesOf("\x7F"
                   "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0\x01\0\0\0") +
               randomBytes(4096, 7)
        << QString() << QStringList() << QStringList();
    // NUL bytes are passed over, as an editor that shows them as nothing would suggest.
    QTest::newRow("NUL in lines")
        << bytesOf("CREATE TABLE T\0 (\n  A\0B NUMBER,\n  C VARCHAR2(\0) \0,\n  D\0 DATE,\n"
                   "  PRIMARY KEY (A\0B)\n);\n")
        << QStringLiteral("T") << QStringList{QStringLiteral("C"), QStringLiteral("D")}
        << QStringList{QStringLiteral("AB")};
    // A file saved as UTF-16 without a byte-order mark: its ASCII text still reads.
    QTest::newRow("UTF-16LE without BOM")
        << bytesOf("C\0R\0E\0A\0T\0E\0 \0T\0A\0B\0L\0E\0 \0U\0 \0(\0\n\0 \0X\0 \0D\0A\0T\0E\0"
                   "\n\0)\0;\0\n\0")
        << QStringLiteral("U") << QStringList{QStringLiteral("X")} << QStringList();
    // Bytes that form no CP932 character show as U+FFFD in the names; nothing is dropped.
    QTest::newRow("invalid CP932")
        << QByteArray("CREATE TABLE T (\n  \x81\x20NAME VARCHAR2(10),\n  \xA0X NUMBER,\n"
                      "  \xFF\xFD DATE\n);\n")
        << QStringLiteral("T")
        << QStringList{QStringLiteral("\uFFFD NAME"), QStringLiteral("\uFFFDX"),
                       QStringLiteral("\uFFFD\uFFFD")}
        << QStringList();
    // A UTF-8 file with one broken sequence is read as CP932: ASCII names are right,
    // Japanese ones come out garbled.
    QTest::newRow("invalid UTF-8")
        << QByteArray("CREATE TABLE EMP (\n  \xE6\xB0\x8F\xE5\x90\x8D VARCHAR2(10),\n"
                      "  BAD\xE6\x96 NUMBER,\n  HIRED DATE\n);\n")
        << QStringLiteral("EMP")
        << QStringList{quillon::decodeCp932("\xE6\xB0\x8F\xE5\x90\x8D"),
                       quillon::decodeCp932("BAD\xE6\x96"), QStringLiteral("HIRED")}
        << QStringList();
    // A lone lead byte at the end of a line stays on its line: the line end after it and
    // the next line are read as usual.
    QTest::newRow("lone lead byte at line end")
        << QByteArray("CREATE TABLE T (\n  A VARCHAR2(1) \x82\n  B NUMBER\x82\r\n  C DATE\x9F\n"
                      "  D\x82 CHAR(1)\n);\n\x82")
        << QStringLiteral("T")
        << QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                       QStringLiteral("D\uFFFD")}
        << QStringList();
    // A block comment never closed swallows the rest of the file.
    QTest::newRow("block comment never closed")
        << QByteArray("CREATE TABLE T (\n  A NUMBER,\n  /* B NUMBER,\n  C DATE,\n"
                      "  PRIMARY KEY (A)\n);\n")
        << QStringLiteral("T") << QStringList{QStringLiteral("A")} << QStringList();
    // A key list never closed: the names up to the end of the file count.
    QTest::newRow("key list never closed")
        << QByteArray("CREATE TABLE T (\n  A NUMBER,\n  B DATE,\n  PRIMARY KEY (A,\n")
        << QStringLiteral("T") << QStringList{QStringLiteral("B")}
        << QStringList{QStringLiteral("A")};
    // Only line ends, of every kind.
    QTest::newRow("line ends only")
        << QByteArray("\r\n\n\r\r\r\n\n") << QString() << QStringList() << QStringList();
}

void TestBadInput::badDefinitionFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFETCH(QStringList, columns);
    QFETCH(QStringList, keys);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    CEditorCore core;
    vbSettings();
    const QString good = dir.filePath(QStringLiteral("DEPT.sql"));
    QVERIFY(testsupport::writeFile(good, kGoodTable));
    core.m_strFilePath = good;
    QCOMPARE(core.ReadDefinitionFile(1), 0);
    const Slot dept = slot(1);

    const QString path = dir.filePath(QStringLiteral("BAD.sql"));
    QVERIFY(testsupport::writeFile(path, bytes));
    core.m_strFilePath = path;
    QCOMPARE(core.ReadDefinitionFile(0), 0);
    QVERIFY(core.m_readReport.error.isEmpty());
    QCOMPARE(slot(0), (Slot{name, columns, keys}));
    QCOMPARE(slot(1), dept);
    for (const QString& column : slot(0).columns)
        QVERIFY2(!column.contains(QChar(u'\0')), qPrintable(column));
    buildAll(core);
    QVERIFY(!core.m_strOutput.contains(QChar(u'\0')));
    QCOMPARE(testsupport::readFile(path), bytes); // the file itself is never written
}

// One physical line of 10 MB, of several makings: the read finishes (in well under a
// second on a desktop machine) and the statements can be built. Text of 10 MB before a
// type keyword is no column name: the line yields no column, the other lines theirs.
void TestBadInput::tenMegabyteLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("columnCount");
    constexpr int kSize = 10 * 1024 * 1024;
    QTest::newRow("one long name") << QByteArray(kSize, 'A') + " NUMBER," << 1;
    QTest::newRow("longest name") << QByteArray(1000, 'A') + " NUMBER," << 2;
    QByteArray keywords;
    while (keywords.size() < kSize)
        keywords += "X CHAR ";
    QTest::newRow("keywords repeated") << keywords << 1;
    QTest::newRow("parentheses") << QByteArray(kSize, '(') << 0;
    QTest::newRow("quotes") << "X VARCHAR2(1) DEFAULT '" + QByteArray(kSize, '\'') << 1;
    QByteArray comments;
    while (comments.size() < kSize)
        comments += "/* c */ -";
    QTest::newRow("comments") << comments << 0;
    QTest::newRow("blanks") << QByteArray(kSize, ' ') << 0;
    QTest::newRow("lead bytes") << QByteArray(kSize, '\x82') << 0;
    QTest::newRow("commas") << QByteArray(kSize, ',') + " DATE" << 0;
    QTest::newRow("open key list") << "PRIMARY KEY (" + QByteArray(kSize, 'K') << 0;
}

void TestBadInput::tenMegabyteLines()
{
    QFETCH(QByteArray, line);
    QFETCH(int, columnCount);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("LONG.sql"));
    QVERIFY(testsupport::writeFile(path, "CREATE TABLE T (\n" + line + "\n  Z DATE\n);\n"));
    CEditorCore core;
    core.m_strFilePath = path;
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(core.ReadDefinitionFile(0), 0);
    qInfo("read in %lld ms", timer.elapsed());
    QCOMPARE(g_tableName[0], QStringLiteral("T"));
    QVERIFY(g_columnCount[0] >= columnCount);
    for (int j = 0; j < kMaxColumns; ++j)
        g_columnSelected[0][j] = 1;
    core.BuildStatement(kSelect, 1);
    core.BuildStatement(kInsert, 1);
    QVERIFY(core.m_strOutput.endsWith(QLatin1String("\r\n")));
}

// 1,000 columns and 50 key columns: the store keeps the first 242 columns and the first 10
// keys; the report counts the rest, which the CLI and the window tell the user.
void TestBadInput::tooManyColumnsAndKeys()
{
    QTemporaryDir dir;
    CEditorCore core;
    core.m_strFilePath = dir.filePath(QStringLiteral("WIDE.sql"));

    QVERIFY(testsupport::writeFile(core.m_strFilePath, columnsTable(1000, 0)));
    QCOMPARE(core.ReadDefinitionFile(0), 0);
    QCOMPARE(g_columnCount[0], kMaxColumns);
    QCOMPARE(slot(0).columns, numbered("C", 1, kMaxColumns));
    QCOMPARE(core.m_readReport.droppedColumns, 1000 - kMaxColumns);
    QCOMPARE(core.m_readReport.droppedKeys, 0);
    QCOMPARE(core.m_readReport.columnKinds.size(), kMaxColumns);
    buildAll(core);

    // 50 key columns among 60 columns: the key columns are no ordinary columns, so the 10
    // ordinary ones remain; 40 keys are dropped.
    QVERIFY(testsupport::writeFile(core.m_strFilePath, columnsTable(60, 50)));
    QCOMPARE(core.ReadDefinitionFile(0), 0);
    QCOMPARE(slot(0).keys, numbered("C", 1, kMaxKeyColumns));
    QCOMPARE(slot(0).columns, numbered("C", 51, 60));
    QCOMPARE(core.m_readReport.droppedKeys, 50 - kMaxKeyColumns);
    QCOMPARE(core.m_readReport.droppedColumns, 0);
    buildAll(core);
}

// Listed, then deleted before the read: -1 with the system's reason; the slot keeps what it
// had.
void TestBadInput::fileGoneBeforeReading()
{
    QTemporaryDir dir;
    CEditorCore core;
    core.m_strFilePath = dir.filePath(QStringLiteral("DEPT.sql"));
    QVERIFY(testsupport::writeFile(core.m_strFilePath, kGoodTable));
    QCOMPARE(core.ReadDefinitionFile(0), 0);
    const Slot before = slot(0);

    QVERIFY(QFile::remove(core.m_strFilePath));
    QCOMPARE(core.ReadDefinitionFile(0), -1);
    QCOMPARE(core.m_readReport.error, QStringLiteral("No such file or directory"));
    QCOMPARE(slot(0), before);
}

// Listed, then replaced by a folder of the same name (as root, permissions cannot make a
// file unreadable; a folder cannot be read as a file either).
void TestBadInput::fileReplacedByFolder()
{
    QTemporaryDir dir;
    CEditorCore core;
    core.m_strFilePath = dir.filePath(QStringLiteral("DEPT.sql"));
    QVERIFY(testsupport::writeFile(core.m_strFilePath, kGoodTable));
    QCOMPARE(core.ReadDefinitionFile(0), 0);
    const Slot before = slot(0);

    QVERIFY(QFile::remove(core.m_strFilePath));
    QVERIFY(QDir().mkdir(core.m_strFilePath));
    QCOMPARE(core.ReadDefinitionFile(0), -1);
    QVERIFY(core.m_readReport.error.contains(core.m_strFilePath));
    QCOMPARE(slot(0), before);

    if (geteuid() != 0) {
        QVERIFY(QDir().rmdir(core.m_strFilePath));
        QVERIFY(testsupport::writeFile(core.m_strFilePath, kGoodTable));
        QVERIFY(QFile::setPermissions(core.m_strFilePath, QFileDevice::Permissions()));
        QCOMPARE(core.ReadDefinitionFile(0), -1);
        QCOMPARE(core.m_readReport.error, QStringLiteral("Permission denied"));
        QCOMPARE(slot(0), before);
    }
}

// Listed, then replaced by a named pipe that nobody writes to: the read does not wait for
// a writer; the pipe reads as an empty file.
void TestBadInput::fileReplacedByPipe()
{
    QTemporaryDir dir;
    CEditorCore core;
    core.m_strFilePath = dir.filePath(QStringLiteral("DEPT.sql"));
    QVERIFY(testsupport::writeFile(core.m_strFilePath, kGoodTable));
    QCOMPARE(core.ReadDefinitionFile(0), 0);

    QVERIFY(QFile::remove(core.m_strFilePath));
    QCOMPARE(::mkfifo(QFile::encodeName(core.m_strFilePath).constData(), 0644), 0);
    QCOMPARE(core.ReadDefinitionFile(0), 0);
    QCOMPARE(slot(0), (Slot{QStringLiteral("DEPT"), QStringList(), QStringList()}));
}

// The whole definition folder is gone (an unplugged drive, a deleted folder).
void TestBadInput::folderGone()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("defs"));
    QVERIFY(QDir().mkdir(folder));
    CEditorCore core;
    core.m_strFilePath = folder + QStringLiteral("/DEPT.sql");
    QVERIFY(testsupport::writeFile(core.m_strFilePath, kGoodTable));
    QCOMPARE(core.ReadDefinitionFile(0), 0);
    const Slot before = slot(0);

    QVERIFY(QDir(folder).removeRecursively());
    QCOMPARE(core.ReadDefinitionFile(0), -1);
    QCOMPARE(core.m_readReport.error, QStringLiteral("No such file or directory"));
    QCOMPARE(slot(0), before);
}

// A file whose name is not UTF-8 (created by a Windows tool, copied over as CP932 bytes)
// reads by the text that Qt decodes from its name, and by its CP932 reading.
void TestBadInput::nameNotUtf8()
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    const QByteArray cp932Name = "\x8E\xD0\x88\xF5.sql"; // 社員.sql in CP932
    const QByteArray brokenName = "T\xE9\xFF\x82.sql";   // no encoding at all
    for (const QByteArray& raw : {cp932Name, brokenName}) {
        const QByteArray full = folder + '/' + raw;
        const int fd = ::open(full.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, kGoodTable.constData(), size_t(kGoodTable.size())),
                 ssize_t(kGoodTable.size()));
        ::close(fd);
    }

    CEditorCore core;
    for (const QString& path :
         {QFile::decodeName(folder + '/' + cp932Name), QFile::decodeName(folder + '/' + brokenName),
          dir.path() + QLatin1Char('/') + QStringLiteral("社員.sql"),
          dir.path() + QLatin1Char('/') + quillon::decodeCp932(brokenName)}) {
        ResetTableStore();
        core.m_strFilePath = path;
        QVERIFY2(core.ReadDefinitionFile(0) == 0, qPrintable(path + core.m_readReport.error));
        QCOMPARE(g_tableName[0], QStringLiteral("DEPT"));
    }

    // Two names that decode to the same text: which one is meant cannot be told.
    const QByteArray twin = folder + "/T\xE9\xFE\x82.sql";
    const int fd = ::open(twin.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    QVERIFY(fd >= 0);
    ::close(fd);
    core.m_strFilePath = QFile::decodeName(folder + '/' + brokenName);
    QCOMPARE(core.ReadDefinitionFile(0), -1);
    QCOMPARE(core.m_readReport.error, QStringLiteral("No such file or directory"));

    // QTemporaryDir cannot remove what it cannot name.
    for (const QByteArray& raw : {cp932Name, brokenName, QByteArray("T\xE9\xFE\x82.sql")})
        ::unlink((folder + '/' + raw).constData());
}

// The profile's path is a folder: the settings load at their defaults without a word (the
// user has nothing to act on until saving); a save is refused with a message that names
// the path and the reason, and the folder is left alone.
void TestBadInput::profileIsFolder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Quillon.INI"));
    QVERIFY(QDir().mkdir(path));
    QVERIFY(testsupport::writeFile(path + QStringLiteral("/inside"), "x"));
    SetProfilePath(path);
    LoadSettings();
    QCOMPARE(g_bAddVbVariable, 0);
    QCOMPARE(g_strColumnsPerLine, QStringLiteral("0"));
    QCOMPARE(g_nTypeProcCount, 0);

    g_bAddVbVariable = 1;
    QString error;
    QVERIFY(!SaveSettings(&error));
    QVERIFY2(error.contains(path) && error.contains(QStringLiteral("Is a folder")),
             qPrintable(error));
    QCOMPARE(g_bAddVbVariable, 1); // the value stays in force for the run
    QCOMPARE(QDir(path).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{QStringLiteral("inside")});

    QString cells[kTypeProcRows][4];
    cells[0][0] = QStringLiteral("NUMBER");
    error.clear();
    QVERIFY(!SaveTypeProcTable(cells, &error));
    QVERIFY(error.contains(path));
}

// The profile's path is a pipe (something that is not a regular file): nothing blocks,
// loads give the defaults, saves are refused with a message.
void TestBadInput::profileNotRegularFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Quillon.INI"));
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    SetProfilePath(path);
    LoadSettings();
    QCOMPARE(g_bAddVbVariable, 0);
    g_strSqlVariable = QStringLiteral("strSQL");
    QString error;
    QVERIFY(!SaveSettings(&error));
    QVERIFY2(error.contains(path) && error.contains(QStringLiteral("Not a regular file")),
             qPrintable(error));
    QFileInfo info(path);
    QVERIFY(!info.isFile() && info.exists());
}

// A profile the user may not read (only when not root: permissions do not stop root).
void TestBadInput::profileUnreadable()
{
    if (geteuid() == 0)
        QSKIP("permissions do not stop root; see profileIsFolder and profileNotRegularFile");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Quillon.INI"));
    QVERIFY(testsupport::writeFile(path, kProfile));
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    SetProfilePath(path);
    LoadSettings();
    QCOMPARE(g_bAddVbVariable, 0);
    QString error;
    QVERIFY(!SaveSettings(&error));
    QVERIFY2(error.contains(path), qPrintable(error));
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(testsupport::readFile(path), kProfile);
}

// The profile's folder cannot be written. As root a read-only folder does not stop a
// write, so the folder's place is taken by a regular file instead; without root the
// folder is also made read-only. The save is refused with a message naming the profile,
// and nothing on disk changes.
void TestBadInput::profileFolderReadOnly()
{
    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("Quillon"));
    QVERIFY(testsupport::writeFile(blocker, "not a folder"));
    const QString path = blocker + QStringLiteral("/Quillon.INI");
    SetProfilePath(path);
    LoadSettings();
    QCOMPARE(g_strColumnsPerLine, QStringLiteral("0"));
    g_bAddLf = 1;
    QString error;
    QVERIFY(!SaveSettings(&error));
    QVERIFY2(error.contains(path), qPrintable(error));
    QCOMPARE(testsupport::readFile(blocker), QByteArray("not a folder"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{QStringLiteral("Quillon")});

    if (geteuid() == 0)
        return;
    const QString folder = dir.filePath(QStringLiteral("ro"));
    QVERIFY(QDir().mkdir(folder));
    const QString inside = folder + QStringLiteral("/Quillon.INI");
    QVERIFY(testsupport::writeFile(inside, kProfile));
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    SetProfilePath(inside);
    LoadSettings();
    QCOMPARE(g_bAddVbVariable, 1);
    g_bAddVbVariable = 0;
    error.clear();
    QVERIFY(!SaveSettings(&error));
    QVERIFY2(error.contains(inside), qPrintable(error));
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner));
    QCOMPARE(testsupport::readFile(inside), kProfile);
}

// Profiles that are odd but readable: each loads as the user wrote it, a save keeps every
// line it does not change, and the saved profile loads to the same settings.
void TestBadInput::profileOddButReadable_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("sqlVariable");
    QTest::addColumn<int>("vb");
    QTest::addColumn<QString>("firstType");

    const QByteArray big(100 * 1024, 'v');
    QTest::newRow("100 KB values")
        << "[PARAM]\r\nParam1=" + big + "\r\n[PCHK]\r\nChk1=1\r\n[PDATA]\r\nDAT01=" + big + "\r\n"
        << QString::fromLatin1(big) << 1 << QString::fromLatin1(big);
    QTest::newRow("duplicate sections and keys")
        << QByteArray("[PARAM]\nParam1=first\nParam1=second\n[PCHK]\nChk1=1\n[PARAM]\n"
                      "Param1=third\n[pchk]\nChk1=0\n[PDATA]\nDAT01=NUMBER\n[PDATA]\n"
                      "DAT01=DATE\n")
        << QStringLiteral("first") << 1 << QStringLiteral("NUMBER");
    QTest::newRow("no final newline")
        << QByteArray("[PCHK]\nChk1=1\n[PDATA]\nDAT01=CHAR\n[PARAM]\nParam1=last")
        << QStringLiteral("last") << 1 << QStringLiteral("CHAR");
    QTest::newRow("CR LF") << QByteArray("[PCHK]\r\nChk1=1\r\n[PARAM]\r\nParam1=crlf\r\n"
                                         "[PDATA]\r\nDAT01=DATE\r\n")
                           << QStringLiteral("crlf") << 1 << QStringLiteral("DATE");
    QTest::newRow("mixed line ends and a lone CR")
        << QByteArray("[PCHK]\r\nChk1=1\n[PARAM]\r\nParam1=a\rb\r\r\n[PDATA]\nDAT01=DATE")
        << QStringLiteral("a\rb") << 1 << QStringLiteral("DATE");
    QTest::newRow("binary") << randomBytes(4096, 3) << QString() << 0 << QString();
    QTest::newRow("NUL bytes") << bytesOf("[PCHK]\nChk1=1\0\n[PARAM]\nParam1=a\0b\n")
                               << QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b") << 1
                               << QString();
}

void TestBadInput::profileOddButReadable()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, sqlVariable);
    QFETCH(int, vb);
    QFETCH(QString, firstType);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Quillon.INI"));
    QVERIFY(testsupport::writeFile(path, bytes));
    SetProfilePath(path);
    LoadSettings();
    QCOMPARE(g_strSqlVariable, sqlVariable);
    QCOMPARE(g_bAddVbVariable, vb);
    QCOMPARE(g_strTypeName[0], firstType);
    QStringList loaded = settingsNow();

    // A save with nothing changed, then a load: the same settings (a line break inside a
    // value is written as a blank, since a line holds one setting).
    QString error;
    QVERIFY2(SaveSettings(&error), qPrintable(error));
    LoadSettings();
    loaded[1].replace(QLatin1Char('\r'), QLatin1Char(' '));
    QCOMPARE(settingsNow(), loaded);

    // The lines the save did not write are still there, in order.
    quillon::IniProfile before;
    before.loadBytes(bytes);
    quillon::IniProfile after;
    QVERIFY(after.load(path));
    for (const char* key : {"DAT01", "DAT401", "Chk2"}) {
        QCOMPARE(after.getString(QStringLiteral("PDATA"), QString::fromLatin1(key)),
                 before.getString(QStringLiteral("PDATA"), QString::fromLatin1(key)));
    }
    QVERIFY(testsupport::readFile(path).endsWith("\r\n"));
}

// The process is killed while it saves the profile, at many different moments: the
// profile on disk is always either the old one or the new one, whole.
void TestBadInput::profileKilledWhileSaving()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Quillon.INI"));
    const QByteArray old = kProfile;
    QVERIFY(testsupport::writeFile(path, old));

    // A large value makes each save take long enough to be caught part way.
    const QString big(2 * 1024 * 1024, u'w');
    quillon::IniProfile newer;
    QVERIFY(newer.load(path));
    newer.writeString(QStringLiteral("PARAM"), QStringLiteral("Param1"), big);
    const QByteArray newBytes = newer.toBytes();

    // How long one save takes here; the kills are spread over four times that.
    QElapsedTimer timer;
    timer.start();
    QVERIFY(newer.save(dir.filePath(QStringLiteral("timing.INI"))));
    const qint64 saveMicros = qMax<qint64>(timer.nsecsElapsed() / 1000, 1000);
    QVERIFY(QFile::remove(dir.filePath(QStringLiteral("timing.INI"))));

    constexpr int kRounds = 12;
    int caughtMidway = 0;
    for (int round = 0; round < kRounds; ++round) {
        QVERIFY(testsupport::writeFile(path, old));
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            for (;;)
                newer.save(path); // saves until killed
        }
        ::usleep(useconds_t(saveMicros * 4 * (round + 1) / kRounds));
        ::kill(child, SIGKILL);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));

        const QByteArray now = testsupport::readFile(path);
        QVERIFY2(
            now == old || now == newBytes,
            qPrintable(QStringLiteral("round %1: %2 bytes on disk").arg(round).arg(now.size())));
        if (now == old)
            ++caughtMidway;
        quillon::IniProfile reread;
        QVERIFY(reread.load(path));

        // A save after the kill works, whatever the killed one left behind.
        SetProfilePath(path);
        LoadSettings();
        QString error;
        QVERIFY2(SaveSettings(&error), qPrintable(error));
        // Temporary files of killed saves are the only other entries.
        for (const QString& entry : QDir(dir.path()).entryList(QDir::Files)) {
            if (entry != QStringLiteral("Quillon.INI")) {
                QVERIFY2(entry.startsWith(QStringLiteral("Quillon.INI.")), qPrintable(entry));
                QFile::remove(dir.filePath(entry));
            }
        }
    }
    qInfo("%d of %d kills came before the first save was complete (one save: %lld ms)",
          caughtMidway, kRounds, saveMicros / 1000);
}

// Inputs that once made a fuzz target fail, through the steps of that target.
void TestBadInput::fuzzRegressions()
{
    const QString root = testsupport::dataPath(QStringLiteral("fuzz-regressions"));
    int replayed = 0;
    QTemporaryDir dir;
    QDirIterator it(root + QStringLiteral("/reader"), QDir::Files);
    while (it.hasNext()) {
        const QString input = it.next();
        testsupport::resetAll();
        CEditorCore core;
        vbSettings();
        core.m_strFilePath = input;
        QCOMPARE(core.ReadDefinitionFile(0), 0);
        QCOMPARE(core.ReadDefinitionFile(1), 0);
        buildAll(core);
        ++replayed;
    }
    QDirIterator profiles(root + QStringLiteral("/profile"), QDir::Files);
    while (profiles.hasNext()) {
        const QByteArray bytes = testsupport::readFile(profiles.next());
        quillon::IniProfile first;
        first.loadBytes(bytes);
        quillon::IniProfile second;
        second.loadBytes(first.toBytes());
        QCOMPARE(second.toBytes(), first.toBytes());

        const QString path = dir.filePath(QStringLiteral("Quillon.INI"));
        QVERIFY(testsupport::writeFile(path, bytes));
        testsupport::resetAll();
        SetProfilePath(path);
        LoadSettings();
        QStringList loaded = settingsNow();
        QVERIFY(SaveSettings());
        LoadSettings();
        for (QString& s : loaded)
            s.replace(QLatin1Char('\r'), QLatin1Char(' '))
                .replace(QLatin1Char('\n'), QLatin1Char(' '));
        QCOMPARE(settingsNow(), loaded);
        ++replayed;
    }
    qInfo("%d inputs replayed", replayed);
}

QTEST_GUILESS_MAIN(TestBadInput)
#include "tst_badinput.moc"
