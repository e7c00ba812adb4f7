// The main window given files that are no good definition files and profiles that are no
// good profiles: what the user sees in the output editor and in message boxes. Nothing
// crashes or waits, and a file that cannot be read leaves the window as it was.
#include "TestSupport.h"
#include "app/EditorDlg.h"
#include "app/OutputEdit.h"
#include "common/MessageBox.h"
#include "settings/Settings.h"
#include "tabledef/TableStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr int kInsertButton = 1003;
constexpr int kDeleteButton = 1005;

const QString kReadFailed = QStringLiteral("ファイルの読み込みに失敗しました!");

template <size_t N> QByteArray bytesOf(const char (&text)[N])
{
    return QByteArray(text, qsizetype(N - 1));
}

const QByteArray kGoodTable = "CREATE TABLE DEPT (\n"
                              "    DEPTNO  NUMBER(2),\n"
                              "    DNAME   VARCHAR2(14),\n"
                              "    CONSTRAINT PK_DEPT PRIMARY KEY (DEPTNO)\n"
                              ");\n";

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

bool createRaw(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && ok;
}

} // namespace

class TestGuiBadInput : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CEditorDlg> m_dlg;

    // A folder with these files, listed in a new main window.
    void openMain(const QList<QPair<QString, QByteArray>>& files)
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        for (const auto& file : files)
            QVERIFY(testsupport::writeFile(m_dir->filePath(file.first), file.second));
        m_dlg = std::make_unique<CEditorDlg>();
        m_dlg->show();
        m_dlg->OpenFolder(m_dir->path());
    }

    // Selects one list item and presses a statement button; the message boxes shown.
    QStringList pressOn(const QString& name, int button)
    {
        QListWidget* list = m_dlg->m_listTables;
        list->clearSelection();
        const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
        if (found.size() != 1) {
            qWarning("no list item %s", qPrintable(name));
            return {QStringLiteral("no item")};
        }
        found.first()->setSelected(true);
        quillon::MessageBox::takeShownTexts();
        quillon::MessageBox::setNextAnswer(QMessageBox::Ok);
        auto* pushButton = m_dlg->findChild<QPushButton*>(QString::number(button));
        if (!pushButton)
            return {QStringLiteral("no button")};
        QTest::mouseClick(pushButton, Qt::LeftButton);
        quillon::MessageBox::setNextAnswer(QMessageBox::NoButton);
        return quillon::MessageBox::takeShownTexts();
    }

    QString editorText() const { return m_dlg->m_editOutput->toPlainText(); }

    void presetOutput()
    {
        m_dlg->m_strOutput = QStringLiteral("earlier text\r\n");
        m_dlg->UpdateData(false);
    }

private slots:
    void init()
    {
        testsupport::resetAll();
        quillon::MessageBox::takeShownTexts();
    }
    void cleanup()
    {
        quillon::MessageBox::setNextAnswer(QMessageBox::NoButton);
        m_dlg.reset();
        m_dir.reset();
    }

    void oddFiles_data();
    void oddFiles();
    void tenMegabyteLine();
    void tenMegabyteName();
    void tooManyColumnsAndKeys();
    void goneBeforeReading_data();
    void goneBeforeReading();
    void replacedByPipe();
    void namesNotUtf8();
    void startWithBadProfile_data();
    void startWithBadProfile();
    void startWithOddProfile_data();
    void startWithOddProfile();
};

// Each file reads; INSERT shows what was taken from it, without a message.
void TestGuiBadInput::oddFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("insert");

    QTest::newRow("empty") << QByteArray() << QStringLiteral("INSERT INTO  (\n) VALUES (\n)\n");
    QByteArray binary;
    for (int i = 0; i < 8192; ++i)
        binary += char((i * 7919) % 251);
    QTest::newRow("binary") << binary << QStringLiteral("INSERT INTO  (\n) VALUES (\n)\n");
    QTest::newRow("NUL bytes") << bytesOf("CREATE TABLE T\0 (\n  A\0B NUMBER,\n  D\0 DATE\n);\n")
                               << QStringLiteral("INSERT INTO T (\n AB\n,D\n) VALUES (\n)\n");
    QTest::newRow("invalid CP932") << QByteArray("CREATE TABLE T (\n  \xA0X NUMBER\n);\n")
                                   << QStringLiteral("INSERT INTO T (\n \uFFFDX\n) VALUES (\n)\n");
    QTest::newRow("invalid UTF-8") << QByteArray("CREATE TABLE T (\n  X\xE6\x96 NUMBER\n);\n")
                                   << QStringLiteral("INSERT INTO T (\n X\u8B41\n) VALUES (\n)\n");
    QTest::newRow("lone lead byte at line end")
        << QByteArray("CREATE TABLE T (\n  B NUMBER\x82\r\n  C DATE\n);\n")
        << QStringLiteral("INSERT INTO T (\n B\n,C\n) VALUES (\n)\n");
    QTest::newRow("block comment never closed")
        << QByteArray("CREATE TABLE T (\n  A NUMBER,\n  /* B NUMBER,\n  C DATE\n);\n")
        << QStringLiteral("INSERT INTO T (\n A\n) VALUES (\n)\n");
}

void TestGuiBadInput::oddFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, insert);
    openMain({{QStringLiteral("ODD.sql"), bytes}});
    QCOMPARE(pressOn(QStringLiteral("ODD.sql"), kInsertButton), QStringList());
    QCOMPARE(editorText(), insert);
}

// One line of 10 MB that yields no name (a comment, blanks): read and shown at once.
void TestGuiBadInput::tenMegabyteLine()
{
    QByteArray comment;
    while (comment.size() < 10 * 1024 * 1024)
        comment += "/* c */ -";
    openMain({{QStringLiteral("LONG.sql"), "CREATE TABLE T (\n  " + comment + "\n" +
                                               QByteArray(10 * 1024 * 1024, ' ') +
                                               "\n  A NUMBER\n);\n"}});
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(pressOn(QStringLiteral("LONG.sql"), kInsertButton), QStringList());
    qInfo("INSERT over two 10 MB lines shown in %lld ms", timer.elapsed());
    QCOMPARE(editorText(), QStringLiteral("INSERT INTO T (\n A\n) VALUES (\n)\n"));
}

// One line of 10 MB before a type keyword: no column name, so the other columns make the
// statement, and the window shows it at once.
void TestGuiBadInput::tenMegabyteName()
{
    const QByteArray name(10 * 1024 * 1024, 'N');
    openMain(
        {{QStringLiteral("LONG.sql"), "CREATE TABLE T (\n  " + name + " NUMBER,\n  Z DATE\n);\n"}});
    QCOMPARE(pressOn(QStringLiteral("LONG.sql"), kInsertButton), QStringList());
    QCOMPARE(editorText(), QStringLiteral("INSERT INTO T (\n Z\n) VALUES (\n)\n"));
}

// More columns and keys than the store holds: a message says that the rest were left out,
// then the statement of what was kept is shown.
void TestGuiBadInput::tooManyColumnsAndKeys()
{
    openMain({{QStringLiteral("WIDE.sql"), wideTable(1000, 50)}});
    QCOMPARE(pressOn(QStringLiteral("WIDE.sql"), kDeleteButton),
             QStringList{QStringLiteral(
                 "WIDE.sql: 列は242個、キー列は10個までしか扱えません。残りは無視しました!")});
    QVERIFY(editorText().startsWith(QStringLiteral("DELETE WIDE\n WHERE C1 = \n AND C2 = \n")));
    QVERIFY(editorText().endsWith(QStringLiteral(" AND C10 = \n")));
}

// Listed, then gone or replaced before the button is pressed: the read-failure message,
// and the output editor keeps its text.
void TestGuiBadInput::goneBeforeReading_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("file deleted") << 0;
    QTest::newRow("file replaced by a folder") << 1;
    QTest::newRow("folder deleted") << 2;
}

void TestGuiBadInput::goneBeforeReading()
{
    QFETCH(int, how);
    openMain({{QStringLiteral("DEPT.sql"), kGoodTable}});
    presetOutput();
    const QString path = m_dir->filePath(QStringLiteral("DEPT.sql"));
    switch (how) {
    case 0:
        QVERIFY(QFile::remove(path));
        break;
    case 1:
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkdir(path));
        break;
    default:
        QVERIFY(QDir(m_dir->path()).removeRecursively());
        break;
    }
    QCOMPARE(pressOn(QStringLiteral("DEPT.sql"), kDeleteButton), QStringList{kReadFailed});
    QCOMPARE(editorText(), QStringLiteral("earlier text\n"));
    QCOMPARE(m_dlg->m_strOutput, QStringLiteral("earlier text\r\n"));
    QCOMPARE(g_tableName[0], QString());
}

// Replaced by a named pipe that nobody writes to: no waiting; it reads as an empty file.
void TestGuiBadInput::replacedByPipe()
{
    openMain({{QStringLiteral("DEPT.sql"), kGoodTable}});
    const QString path = m_dir->filePath(QStringLiteral("DEPT.sql"));
    QVERIFY(QFile::remove(path));
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    QCOMPARE(pressOn(QStringLiteral("DEPT.sql"), kDeleteButton), QStringList());
    QCOMPARE(editorText(), QStringLiteral("DELETE \n"));
}

// Names that are not UTF-8 on disk are listed (CP932 names as what they say, others with a
// replacement mark) and read.
void TestGuiBadInput::namesNotUtf8()
{
    m_dir = std::make_unique<QTemporaryDir>();
    const QByteArray folder = QFile::encodeName(m_dir->path());
    const QByteArray cp932Name = "\x8E\xD0\x88\xF5.sql"; // 社員.sql
    const QByteArray brokenName = "T\xFF\xFE.sql";
    QVERIFY(createRaw(folder + '/' + cp932Name, kGoodTable));
    QVERIFY(createRaw(folder + '/' + brokenName, wideTable(2, 1)));
    m_dlg = std::make_unique<CEditorDlg>();
    m_dlg->show();
    m_dlg->OpenFolder(m_dir->path());
    QCOMPARE(m_dlg->m_listTables->count(), 2);

    QCOMPARE(pressOn(QStringLiteral("社員.sql"), kDeleteButton), QStringList());
    QCOMPARE(editorText(), QStringLiteral("DELETE DEPT\n WHERE DEPTNO = \n"));
    QCOMPARE(pressOn(QStringLiteral("T\uFFFD\uFFFD.sql"), kDeleteButton), QStringList());
    QCOMPARE(editorText(), QStringLiteral("DELETE WIDE\n WHERE C1 = \n"));

    ::unlink((folder + '/' + cp932Name).constData());
    ::unlink((folder + '/' + brokenName).constData());
}

// A profile that cannot be read: the window starts with every setting at its default and
// no message (the user meets the problem, with a message, when saving options).
void TestGuiBadInput::startWithBadProfile_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("profile is a folder") << 0;
    QTest::newRow("profile is a named pipe") << 1;
    QTest::newRow("profile folder is a file") << 2;
}

void TestGuiBadInput::startWithBadProfile()
{
    QFETCH(int, how);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Quillon.INI"));
    switch (how) {
    case 0:
        QVERIFY(QDir().mkdir(path));
        break;
    case 1:
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        break;
    default:
        QVERIFY(testsupport::writeFile(dir.filePath(QStringLiteral("blocker")), "x"));
        path = dir.filePath(QStringLiteral("blocker/Quillon.INI"));
        break;
    }
    SetProfilePath(path);
    openMain({{QStringLiteral("DEPT.sql"), kGoodTable}});
    QCOMPARE(quillon::MessageBox::takeShownTexts(), QStringList());
    QCOMPARE(g_bAddVbVariable, 0);
    QCOMPARE(g_strColumnsPerLine, QStringLiteral("0"));
    QCOMPARE(pressOn(QStringLiteral("DEPT.sql"), kDeleteButton), QStringList());
    QCOMPARE(editorText(), QStringLiteral("DELETE DEPT\n WHERE DEPTNO = \n"));
}

// Odd profiles that read: the statement shows the settings as the user wrote them.
void TestGuiBadInput::startWithOddProfile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("sqlVariable");

    const QByteArray big(100 * 1024, 's');
    QTest::newRow("100 KB value") << "[PCHK]\nChk1=1\n[PARAM]\nParam1=" + big + "\n"
                                  << QString::fromLatin1(big);
    QTest::newRow("duplicate sections and keys")
        << QByteArray("[PCHK]\nChk1=1\n[PARAM]\nParam1=first\nParam1=second\n[PARAM]\n"
                      "Param1=third\n[PCHK]\nChk1=0\n")
        << QStringLiteral("first");
    QTest::newRow("no final newline")
        << QByteArray("[PCHK]\nChk1=1\n[PARAM]\nParam1=last") << QStringLiteral("last");
    QTest::newRow("CR LF") << QByteArray("[PCHK]\r\nChk1=1\r\n[PARAM]\r\nParam1=crlf\r\n")
                           << QStringLiteral("crlf");
}

void TestGuiBadInput::startWithOddProfile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, sqlVariable);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Quillon.INI"));
    QVERIFY(testsupport::writeFile(path, bytes));
    SetProfilePath(path);
    openMain({{QStringLiteral("DEPT.sql"), kGoodTable}});
    QCOMPARE(quillon::MessageBox::takeShownTexts(), QStringList());
    QCOMPARE(pressOn(QStringLiteral("DEPT.sql"), kDeleteButton), QStringList());
    QCOMPARE(editorText(), sqlVariable + QStringLiteral(" = \"DELETE DEPT\"\n") + sqlVariable +
                               QStringLiteral(" = ") + sqlVariable +
                               QStringLiteral(" & \" WHERE DEPTNO = \"\n"));
    QCOMPARE(testsupport::readFile(path), bytes); // starting and generating write nothing
}

QTEST_MAIN(TestGuiBadInput)
#include "tst_badinput.moc"
