#include "EditorCore.h"
#include "TestSupport.h"
#include "settings/Settings.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

// "TABLE|COLUMN:KIND,COLUMN:KIND|KEY,KEY" for slot t after a read.
QString describeSlot(const CEditorCore& core, int t)
{
    QStringList columns;
    for (int j = 0; j < g_columnCount[t]; ++j)
        columns << g_columnName[t][j] + QLatin1Char(':') + core.m_readReport.columnKinds.value(j);
    QStringList keys;
    for (int k = 0; k < g_keyColumnCount[t]; ++k)
        keys << g_keyColumnName[t][k];
    return g_tableName[t] + QLatin1Char('|') + columns.join(QLatin1Char(',')) + QLatin1Char('|') +
           keys.join(QLatin1Char(','));
}

} // namespace

class TestReader : public QObject
{
    Q_OBJECT
private slots:
    void init() { testsupport::resetAll(); }
    void layouts_data();
    void layouts();
    void encodings_data();
    void encodings();
    void typeRows();
    void unreadableFileLeavesSlot();
    void fileWithoutHeaderKeepsName();
    void capacity();
    void corpus_data();
    void corpus();

private:
    QString readText(const QByteArray& bytes, CEditorCore* core = nullptr);
    QTemporaryDir m_dir;
};

QString TestReader::readText(const QByteArray& bytes, CEditorCore* core)
{
    const QString path = m_dir.filePath(QStringLiteral("t.sql"));
    testsupport::writeFile(path, bytes);
    CEditorCore local;
    CEditorCore& c = core ? *core : local;
    c.m_strFilePath = path;
    if (c.ReadDefinitionFile(0) != 0)
        return QStringLiteral("<cannot read>");
    return describeSlot(c, 0);
}

void TestReader::layouts_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");

    QTest::newRow("key constraint in the table")
        << "-- 社員マスタ\n"
           "DROP TABLE EMP;\n"
           "CREATE TABLE EMP (\n"
           "    EMPNO     NUMBER(4)     NOT NULL,   -- 社員番号\n"
           "    ENAME     VARCHAR2(10),             -- 氏名\n"
           "    JOB       CHAR(9),\n"
           "    HIREDATE  DATE,\n"
           "    SAL       NUMBER(7,2),\n"
           "    CONSTRAINT PK_EMP PRIMARY KEY (EMPNO)\n"
           ");\n"
           "COMMIT;\n"
        << "EMP|ENAME:VARCHAR2,JOB:CHAR,HIREDATE:DATE,"
           "SAL:NUMBER|EMPNO";
    QTest::newRow("key added after the table") << "CREATE TABLE DEPT\n(\n"
                                                  "    DEPTNO  NUMBER(2),\n"
                                                  "    DNAME   VARCHAR2(14),\n"
                                                  "    LOC     VARCHAR2(13)\n);\n"
                                                  "ALTER TABLE DEPT ADD CONSTRAINT PK_DEPT PRIMARY "
                                                  "KEY (DEPTNO);\n"
                                               << "DEPT|DNAME:VARCHAR2,LOC:VARCHAR2|DEPTNO";
    QTest::newRow("edge lines") << "create table item (\n"
                                   "    (ITEM_ID   NUMBER(8),\n"
                                   "    , ITEM_NM  VARCHAR2(40)\n"
                                   "    CHARGE     NUMBER(5),\n"
                                   "    DATE_FROM  DATE,\n"
                                   "    PRICE      NUMBER-- 単価\n"
                                   "    A NUMBER, B VARCHAR2(5),\n"
                                   "    UNIT       INTEGER,\n"
                                   "    DROP_FLG   CHAR(1),\n"
                                   "    COMMIT_DT  DATE,            -- 確定日\n"
                                   "    REMARK     VARCHAR2(100),   /* 備考 */\n"
                                   "    CONSTRAINT PK_ITEM PRIMARY KEY (ITEM_ID , ITEM_NM ),\n"
                                   "    QTY        NUMBER(5)\n"
                                   ");\n"
                                << "item|CHARGE:NUMBER,DATE_FROM:DATE,PRICE:NUMBER,"
                                   "A NUMBER, B:VARCHAR2,DROP_FLG:CHAR,COMMIT_DT:DATE,"
                                   "REMARK:VARCHAR2|ITEM_ID,ITEM_NM";
    QTest::newRow("comment cut out of a line")
        << "CREATE TABLE T (\n A /* x */ NUMBER,\n B VARCHAR2(3) /* open\n still */ , C DATE,\n"
           " /* whole line */\n D CHAR(1)\n);\n"
        << "T|A:NUMBER,B:VARCHAR2,C:DATE,D:CHAR|";
    QTest::newRow("line comment hides block opener")
        << "CREATE TABLE T (\n A NUMBER, -- see /* here\n B DATE\n);\n"
        << "T|A:NUMBER,B:DATE|";
    QTest::newRow("block comment hides header")
        << "/*\nCREATE TABLE OLD (\n X NUMBER\n);\n*/\nCREATE TABLE NEW (\n Y NUMBER\n);\n"
        << "NEW|Y:NUMBER|";
    QTest::newRow("skip words as first word only")
        << "CREATE TABLE COMMITTEE (\n"
           " DROP_FLG CHAR(1),\n"
           " COMMIT_DT DATE,\n"
           " STATUS VARCHAR2(4) CHECK (STATUS IN ('DROP','KEEP')),\n"
           " email VARCHAR2(25) CONSTRAINT emp_email_nn NOT NULL,\n"
           " CONSTRAINT ck CHECK (x > 0),\n"
           " , CONSTRAINT u UNIQUE (email)\n"
           ");\n"
        << "COMMITTEE|DROP_FLG:CHAR,COMMIT_DT:DATE,STATUS:VARCHAR2,email:VARCHAR2|";
    QTest::newRow("sqlplus lines before the header")
        << "PROMPT Creating table EMP (CREATE TABLE)\nREM CREATE TABLE X\nCREATE TABLE EMP (\n"
           " REMARK VARCHAR2(10)\n);\n"
        << "EMP|REMARK:VARCHAR2|";
    QTest::newRow("comment statements over several lines")
        << "CREATE TABLE T (\n A NUMBER\n);\n"
           "COMMENT ON COLUMN T.A IS '単価 -- 円; see /* note\n"
           "continued NUMBER text';\n"
           "COMMENT ON TABLE T\n  IS 'it''s a DATE table';\n"
           "ALTER TABLE T ADD PRIMARY KEY (A);\n"
        << "T||A";
    QTest::newRow("column named COMMENT")
        << "CREATE TABLE T (\n COMMENT VARCHAR2(100),\n ID NUMBER\n);\n"
        << "T|COMMENT:VARCHAR2,ID:NUMBER|";
    QTest::newRow("whole-word types")
        << "CREATE TABLE T (\n CHARGE NUMBER(5),\n NUMBER_OF VARCHAR2(3),\n"
           " X NVARCHAR2(5),\n Y NCHAR(2),\n Z VARCHAR(2 CHAR),\n W TIMESTAMP\n);\n"
        << "T|CHARGE:NUMBER,NUMBER_OF:VARCHAR2|";
    QTest::newRow("tabs and ideographic spaces")
        << "CREATE\tTABLE\tT\t(\n\tA\tNUMBER(4),\n　COL　NUMBER(4),\n"
           "\tCONSTRAINT\tPK\tPRIMARY\tKEY\t(A)\n);\n"
        << "T|COL:NUMBER|A";
    QTest::newRow("key list over several lines")
        << "CREATE TABLE T (\n A NUMBER,\n B NUMBER,\n C DATE,\n CONSTRAINT PK\n"
           "   PRIMARY KEY (\n     A,\n     B -- second\n   )\n);\n"
        << "T|C:DATE|A,B";
    QTest::newRow("key list opening on a later line")
        << "CREATE TABLE T (\n A NUMBER,\n B DATE,\n CONSTRAINT PK PRIMARY KEY\n   (A)\n);\n"
        << "T|B:DATE|A";
    QTest::newRow("key list never closed")
        << "CREATE TABLE T (\n A NUMBER,\n B DATE,\n PRIMARY KEY (A,\n"
        << "T|B:DATE|A";
    QTest::newRow("inline key") << "CREATE TABLE T (\n EMPNO NUMBER(4) PRIMARY KEY,\n"
                                   " ENAME VARCHAR2(10)\n);\n"
                                << "T|ENAME:VARCHAR2|EMPNO";
    QTest::newRow("inline key with references")
        << "CREATE TABLE T (\n ID NUMBER PRIMARY KEY REFERENCES P (ID),\n N CHAR(1)\n);\n"
        << "T|N:CHAR|ID";
    QTest::newRow("key on the header line")
        << "CREATE TABLE busyo (busyo_cd CHAR(3) PRIMARY KEY,\n busyo_nm VARCHAR2(20));\n"
        << "busyo|busyo_nm:VARCHAR2|busyo_cd";
    QTest::newRow("column on the header line") << "CREATE TABLE T (A NUMBER,\n B DATE);\n"
                                               << "T|A:NUMBER,B:DATE|";
    QTest::newRow("keys match as identifiers")
        << "CREATE TABLE T (\n empno NUMBER,\n \"Emp\" NUMBER,\n \"EMP2\" NUMBER,\n"
           " emp VARCHAR2(2),\n PRIMARY KEY (EMPNO, \"Emp\", \"emp2\")\n);\n"
        << "T|\"EMP2\":NUMBER,emp:VARCHAR2|EMPNO,\"Emp\",\"emp2\"";
    QTest::newRow("key equal in other case stays a column of another name")
        << "CREATE TABLE T (\n ITEM_CD NUMBER,\n CONSTRAINT PK PRIMARY KEY (ITEM_CD, ITEM_CD)\n);\n"
        << "T||ITEM_CD,ITEM_CD";
    QTest::newRow("index and trigger after the table")
        << "CREATE TABLE T (\n A NUMBER\n);\nCREATE INDEX T_I ON T (A);\n"
           "CREATE OR REPLACE TRIGGER T_BI BEFORE INSERT ON T FOR EACH ROW\n"
           "DECLARE\n v_now DATE;\nBEGIN\n :new.A := 1;\nEND;\n/\n"
           "INSERT INTO T VALUES (1, DATE '2020-01-01');\n"
           "ALTER TABLE T ADD CONSTRAINT PK PRIMARY KEY (A);\n"
        << "T||A";
    QTest::newRow("second table ends the reading")
        << "CREATE TABLE A (\n X NUMBER\n);\nCREATE TABLE B (\n Y NUMBER,\n"
           " PRIMARY KEY (Y)\n);\n"
        << "A|X:NUMBER|";
    QTest::newRow("storage and partition clauses")
        << "CREATE TABLE S (\n D DATE NOT NULL\n)\nPARTITION BY RANGE (D)\n"
           "( PARTITION P1 VALUES LESS THAN (DATE '2020-01-01'),\n"
           "  PARTITION P2 VALUES LESS THAN (MAXVALUE)\n);\n"
        << "S|D:DATE|";
    QTest::newRow("quoted semicolon in a default")
        << "CREATE TABLE T (\n A VARCHAR2(3) DEFAULT ';',\n B NUMBER\n);\n"
        << "T|A:VARCHAR2,B:NUMBER|";
    QTest::newRow("schema, quotes and global temporary")
        << "CREATE GLOBAL TEMPORARY TABLE \"HR\".\"EMP\"\n(\n ID NUMBER\n);\n"
        << "\"HR\".\"EMP\"|ID:NUMBER|";
    QTest::newRow("name on the line after the keywords")
        << "CREATE TABLE\n  emp\n  (\n id NUMBER\n);\n"
        << "emp|id:NUMBER|";
    QTest::newRow("name and columns after the keywords")
        << "CREATE TABLE\n  emp (id NUMBER,\n d DATE);\n"
        << "emp|id:NUMBER,d:DATE|";
    QTest::newRow("if not exists") << "create table if not exists t1 (\n id number\n);\n"
                                   << "t1|id:NUMBER|";
    QTest::newRow("semicolon in a column name ends the reading")
        << "CREATE TABLE T (\n A; B NUMBER,\n C NUMBER\n);\n"
        << "T|A; B:NUMBER|";
    QTest::newRow("database tool export")
        << "--------------------------------------------------------\n"
           "--  DDL for Table EMP\n"
           "--------------------------------------------------------\n\n"
           "  CREATE TABLE \"SCOTT\".\"EMP\" \n"
           "   (\t\"EMPNO\" NUMBER(4,0), \n"
           "\t\"ENAME\" VARCHAR2(10 BYTE), \n"
           "\t\"HIREDATE\" DATE, \n"
           "\t\"SAL\" NUMBER(7,2)\n"
           "   ) SEGMENT CREATION IMMEDIATE \n"
           "  PCTFREE 10 PCTUSED 40 INITRANS 1 MAXTRANS 255 \n"
           "  TABLESPACE \"USERS\" ;\n"
           "--------------------------------------------------------\n"
           "--  DDL for Index PK_EMP\n"
           "--------------------------------------------------------\n\n"
           "  CREATE UNIQUE INDEX \"SCOTT\".\"PK_EMP\" ON \"SCOTT\".\"EMP\" (\"EMPNO\") \n"
           "  TABLESPACE \"USERS\" ;\n"
           "--------------------------------------------------------\n"
           "--  Constraints for Table EMP\n"
           "--------------------------------------------------------\n\n"
           "  ALTER TABLE \"SCOTT\".\"EMP\" ADD CONSTRAINT \"PK_EMP\" PRIMARY KEY (\"EMPNO\")\n"
           "  USING INDEX TABLESPACE \"USERS\"  ENABLE;\n"
        << "\"SCOTT\".\"EMP\"|\"ENAME\":VARCHAR2,\"HIREDATE\":DATE,\"SAL\":NUMBER|\"EMPNO\"";
    QTest::newRow("modelling tool export")
        << "-- 社員\ndrop table EMP cascade constraints purge;\n\n"
           "create table EMP (\n"
           "  EMP_NO VARCHAR2(10) not null\n"
           "  , EMP_NAME VARCHAR2(40)\n"
           "  , BIRTHDAY DATE\n"
           "  , constraint EMP_PKC primary key (EMP_NO)\n"
           ") ;\n\n"
           "comment on table EMP is '社員';\n"
           "comment on column EMP.EMP_NO is '社員番号';\n"
        << "EMP|EMP_NAME:VARCHAR2,BIRTHDAY:DATE|EMP_NO";
    QTest::newRow("empty file") << ""
                                << "||";
    QTest::newRow("no header") << "SELECT 1 FROM DUAL;\n X NUMBER,\n"
                               << "||";
}

void TestReader::layouts()
{
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    QCOMPARE(readText(sql.toUtf8()), expected);
    // Windows line ends read the same.
    QString crlf = sql;
    crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    QCOMPARE(readText(crlf.toUtf8()), expected);
}

void TestReader::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    // 社員 in CP932 is 8E D0 88 F5; 表 (95 5C) carries a backslash as its second byte.
    QTest::newRow("cp932") << QByteArray("-- \x8E\xD0\x88\xF5\r\nCREATE TABLE \x95\x5C (\r\n"
                                         " \x8E\xD0\x88\xF5 NUMBER, -- \x95\x5C\r\n);\r\n")
                           << QString::fromUtf8("表|社員:NUMBER|");
    QTest::newRow("utf-8 with bom") << QByteArray("\xEF\xBB\xBF"
                                                  "CREATE TABLE \xE8\xA1\xA8 (\n A DATE\n);\n")
                                    << QString::fromUtf8("表|A:DATE|");
    QTest::newRow("invalid bytes") << QByteArray("CREATE TABLE T (\n A\x80 NUMBER,\n B\xFF DATE,\n"
                                                 " C NUMBER \x83\n);\n")
                                   << QString::fromUtf8("T|A\uFFFD:NUMBER,B\uFFFD:DATE,C:NUMBER|");
    static const char withNul[] = "CREATE TABLE T (\n A NUMBER,\0\0\n B DATE\n);\n";
    QTest::newRow("nul bytes") << QByteArray(withNul, sizeof(withNul) - 1)
                               << QString::fromUtf8("T|A:NUMBER,B:DATE|");
}

void TestReader::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(readText(bytes), expected);
}

void TestReader::typeRows()
{
    g_strTypeName[0] = QStringLiteral("VARCHAR2");
    g_strTypeName[3] = QStringLiteral("DATE"); // rows keep their positions; gaps hide nothing
    g_strTypeName[4] = QStringLiteral("NUMBER ");
    g_strTypeName[5] = QStringLiteral("DATE");
    g_nTypeProcCount = 3;
    readText("CREATE TABLE T (\n A VARCHAR2(1),\n B DATE,\n C NUMBER,\n D CHAR(1)\n);\n");
    QCOMPARE(g_columnTypeRow[0][0], 0);
    QCOMPARE(g_columnTypeRow[0][1], 3);
    QCOMPARE(g_columnTypeRow[0][2], -1);
    QCOMPARE(g_columnTypeRow[0][3], -1);
}

void TestReader::unreadableFileLeavesSlot()
{
    readText("CREATE TABLE OLD (\n A NUMBER\n);\n");
    CEditorCore core;
    core.m_strFilePath = m_dir.filePath(QStringLiteral("missing.sql"));
    QCOMPARE(core.ReadDefinitionFile(0), -1);
    QVERIFY(!core.m_readReport.error.isEmpty());
    core.m_strFilePath = m_dir.path();
    QCOMPARE(core.ReadDefinitionFile(0), -1);
    QCOMPARE(core.ReadDefinitionFile(7), -1);
    QCOMPARE(g_tableName[0], QStringLiteral("OLD"));
    QCOMPARE(g_columnCount[0], 1);
}

void TestReader::fileWithoutHeaderKeepsName()
{
    readText("CREATE TABLE OLD (\n A NUMBER,\n PRIMARY KEY (A)\n);\n");
    QCOMPARE(readText("nothing here\n"), QStringLiteral("OLD||"));
}

void TestReader::capacity()
{
    QByteArray sql = "CREATE TABLE WIDE (\n";
    for (int i = 0; i < 1000; ++i)
        sql += " C" + QByteArray::number(i) + " NUMBER,\n";
    sql += " PRIMARY KEY (";
    for (int k = 0; k < 50; ++k)
        sql += (k ? ",C" : "C") + QByteArray::number(k * 2);
    sql += ")\n);\n";
    CEditorCore core;
    readText(sql, &core);
    QCOMPARE(g_keyColumnCount[0], kMaxKeyColumns);
    QCOMPARE(core.m_readReport.droppedKeys, 40);
    // Every key column is kept out of the ordinary columns, also those beyond the ten.
    QCOMPARE(g_columnCount[0], kMaxColumns);
    QCOMPARE(core.m_readReport.droppedColumns, 1000 - 50 - kMaxColumns);
    QCOMPARE(g_columnName[0][0], QStringLiteral("C1"));
    QCOMPARE(g_columnName[0][49], QStringLiteral("C99"));
    QCOMPARE(g_columnName[0][50], QStringLiteral("C100"));
}

void TestReader::corpus_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");
    const QString dir = testsupport::corpusDir();
    if (dir.isEmpty())
        QSKIP("the folder of real definition files is not there");
    QFile list(testsupport::dataPath(QStringLiteral("corpus/expected.txt")));
    QVERIFY(list.open(QIODevice::ReadOnly));
    while (!list.atEnd()) {
        const QString line = QString::fromUtf8(list.readLine()).trimmed();
        const int tab = int(line.indexOf(QLatin1Char('\t')));
        if (line.isEmpty() || tab < 0)
            continue;
        QTest::newRow(qPrintable(line.left(tab)))
            << QDir(dir).filePath(line.left(tab)) << line.mid(tab + 1);
    }
}

void TestReader::corpus()
{
    QFETCH(QString, file);
    QFETCH(QString, expected);
    CEditorCore core;
    core.m_strFilePath = file;
    QCOMPARE(core.ReadDefinitionFile(0), 0);
    QCOMPARE(describeSlot(core, 0), expected);
}

QTEST_GUILESS_MAIN(TestReader)
#include "tst_reader.moc"
