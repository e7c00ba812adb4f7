#include "EditorCore.h"
#include "TestSupport.h"
#include "settings/Settings.h"

#include <QtTest>

class TestLineWriter : public QObject
{
    Q_OBJECT
private slots:
    void init() { testsupport::resetAll(); }
    void wrapping_data();
    void wrapping();
    void rawLineModes();
};

void TestLineWriter::wrapping_data()
{
    QTest::addColumn<int>("vb");
    QTest::addColumn<int>("lf");
    QTest::addColumn<QString>("variable");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("off") << 0 << 1 << "sql" << 0 << "SELECT" << "SELECT\r\n";
    QTest::newRow("vb 2 is off") << 2 << 1 << "sql" << 1 << "X" << "X\r\n";
    QTest::newRow("first") << 1 << 0 << "sql" << 0 << "SELECT" << "sql = \"SELECT\"\r\n";
    QTest::newRow("first lf") << 1 << 1 << "sql" << 0 << "SELECT"
                              << "sql = \"SELECT\" & vbLF\r\n";
    QTest::newRow("next lf") << 1 << 1 << "sql" << 1 << " FROM ITEM"
                             << "sql = sql & \" FROM ITEM\" & vbLF\r\n";
    QTest::newRow("empty variable") << 1 << 0 << "" << 1 << "X" << " =  & \"X\"\r\n";
    QTest::newRow("empty text") << 1 << 0 << "sql" << 1 << "" << "sql = sql & \"\"\r\n";
    QTest::newRow("quotes doubled") << 1 << 0 << "sql" << 1 << " FROM \"Emp\""
                                    << "sql = sql & \" FROM \"\"Emp\"\"\"\r\n";
}

void TestLineWriter::wrapping()
{
    QFETCH(int, vb);
    QFETCH(int, lf);
    QFETCH(QString, variable);
    QFETCH(int, mode);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    g_bAddVbVariable = vb;
    g_bAddLf = lf;
    g_strSqlVariable = variable;
    CEditorCore core;
    core.m_strOutput = QStringLiteral("old\r\n");
    core.AddSqlLine(mode, text);
    QCOMPARE(core.m_strOutput, mode == 0 ? expected : QStringLiteral("old\r\n") + expected);
}

void TestLineWriter::rawLineModes()
{
    g_bAddVbVariable = 1;
    g_strSqlVariable = QStringLiteral("sql");
    CEditorCore core;
    core.AddRawLine(1, QStringLiteral("a"));
    core.AddRawLine(1, QStringLiteral("b"));
    core.AddRawLine(0, QStringLiteral("c"));
    QCOMPARE(core.m_strOutput, QStringLiteral("c\r\n"));
    core.AddRawLine(7, QStringLiteral("d"));
    QCOMPARE(core.m_strOutput, QStringLiteral("c\r\n"));
    core.AppendSqlLine(0, QStringLiteral("INSERT"));
    QCOMPARE(core.m_strOutput, QStringLiteral("c\r\nsql = \"INSERT\"\r\n"));
}

QTEST_GUILESS_MAIN(TestLineWriter)
#include "tst_linewriter.moc"
