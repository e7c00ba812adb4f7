// quillon-cli end to end: definition files and profiles from tests/data/golden in, the
// generated text, the JSON description and the exit codes out.
#include "Cli.h"
#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <sstream>

namespace
{

struct Result {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

Result run(const QStringList& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    Result r;
    r.code = quillon::runCli(QStringList{QStringLiteral("quillon-cli")} + arguments, out, err);
    r.out = QByteArray::fromStdString(out.str());
    r.err = QByteArray::fromStdString(err.str());
    return r;
}

QString ddl(const QString& name)
{
    return testsupport::dataPath("golden/ddl/" + name);
}

QString profile(const QString& name)
{
    return testsupport::dataPath("golden/profiles/" + name);
}

// The expected text with CR LF (crlf) or as stored, with LF.
QByteArray expected(const QString& name, bool crlf)
{
    const QByteArray bytes =
        testsupport::readFile(testsupport::dataPath("golden/expected/" + name + ".txt"));
    if (bytes.isEmpty())
        qWarning("missing or empty golden file %s", qPrintable(name));
    return crlf ? testsupport::toCrLf(QString::fromUtf8(bytes)).toUtf8() : bytes;
}

void compareText(const QByteArray& actual, const QByteArray& expectedBytes)
{
    QCOMPARE(QString::fromUtf8(actual).split('\n'), QString::fromUtf8(expectedBytes).split('\n'));
    QCOMPARE(actual, expectedBytes);
}

QByteArray describeJson(const QString& table, const QList<QStringList>& columns,
                        const QStringList& keys)
{
    QString json = "{\"table\": \"" + table + "\", \"columns\": [";
    for (int j = 0; j < columns.size(); ++j) {
        if (j > 0)
            json += ", ";
        json += "{\"name\": \"" + columns[j][0] + "\", \"type\": \"" + columns[j][1] +
                "\", \"typeRow\": " + columns[j][2] + "}";
    }
    json += "], \"keys\": [";
    for (int k = 0; k < keys.size(); ++k) {
        if (k > 0)
            json += ", ";
        json += "\"" + keys[k] + "\"";
    }
    json += "]}\n";
    return json.toUtf8();
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { testsupport::resetAll(); }
    void generate_data();
    void generate();
    void generateLfByDefault();
    void columnsOfOneTable_data();
    void columnsOfOneTable();
    void columnsOfJoinedSelect();
    void describe_data();
    void describe();
    void describeIsJson();
    void describeBeyondCapacity();
    void guiProfileWhenNoneIsNamed();
    void inputErrors_data();
    void inputErrors();
    void usageErrors_data();
    void usageErrors();
    void help();

private:
    QTemporaryDir m_config;
};

void TestCli::initTestCase()
{
    // The GUI's profile lives under the configuration folder; keep the user's out of reach.
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
}

void TestCli::generate_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");

    const QString item = ddl("ITEM.sql");
    const QString none = QStringLiteral("--no-profile");
    const QString objects = profile("object_code.INI");
    const QStringList join = {"--ids", "A,B", ddl("join/ITEM.sql"), ddl("join/STOCK.sql")};
    const QStringList example = QStringList{"--columns", "A.ITEM_NAME,B.QTY"} + join;

    QTest::newRow("select") << QStringList{"select", none, item} << "item_select_plain";
    QTest::newRow("update") << QStringList{"update", none, item} << "item_update_plain";
    QTest::newRow("delete") << QStringList{"delete", none, item} << "item_delete_plain";
    QTest::newRow("insert") << QStringList{"insert", none, item} << "item_insert_plain";
    QTest::newRow("kind in capitals") << QStringList{"SELECT", none, item} << "item_select_plain";
    QTest::newRow("fold 2") << QStringList{"select", "--profile", profile("fold2.INI"),
                                           ddl("T.sql")}
                            << "cols3_select_fold2";

    QTest::newRow("objects insert")
        << QStringList{"insert", "--profile", objects, item} << "item_insert_objects";
    QTest::newRow("objects update")
        << QStringList{"update", "--profile", objects, item} << "item_update_objects";
    QTest::newRow("objects select")
        << QStringList{"select", "--profile", objects, item} << "item_select_objects";
    QTest::newRow("objects delete")
        << QStringList{"delete", "--profile", objects, item} << "item_delete_objects";

    QTest::newRow("joined") << QStringList{"select", none} + example << "join_item_stock";
    QTest::newRow("joined, vb") << QStringList{"select", "--profile", profile("vb.INI")} + example
                                << "join_item_stock_vb";
    QTest::newRow("joined, vb lf")
        << QStringList{"select", "--profile", profile("vb_lf.INI")} + example
        << "join_item_stock_vb_lf";
    QTest::newRow("joined, objects")
        << QStringList{"select", "--profile", objects, "--columns", "A.ITEM_NAME,A.PRICE,B.QTY"} +
               join
        << "join_select_objects";

    QTest::newRow("four tables") << QStringList{"select",
                                                none,
                                                "--ids",
                                                "T1,T2,T3,T4",
                                                ddl("four/TA.sql"),
                                                ddl("four/TB.sql"),
                                                ddl("four/TC.sql"),
                                                ddl("four/TD.sql")}
                                 << "join_four_tables_twelve_values";
    QTest::newRow("no keys, insert, objects")
        << QStringList{"insert", "--profile", objects, ddl("LOG.sql")} << "nokeys_insert_objects";
    QTest::newRow("no keys, insert")
        << QStringList{"insert", none, ddl("LOG.sql")} << "nokeys_insert_plain";
    QTest::newRow("no keys, update")
        << QStringList{"update", none, ddl("LOG.sql")} << "nokeys_update_plain";
    QTest::newRow("no type row, insert")
        << QStringList{"insert", "--profile", objects, ddl("memo/ITEM.sql")}
        << "memo_insert_objects";
    QTest::newRow("no type row, update")
        << QStringList{"update", "--profile", objects, ddl("memo/ITEM.sql")}
        << "memo_update_objects";
    QTest::newRow("no type row, select")
        << QStringList{"select", "--profile", objects, ddl("memo/ITEM.sql")}
        << "memo_select_objects";
    QTest::newRow("quoted, update, objects")
        << QStringList{"update", "--profile", objects, ddl("quoted/Emp.sql")}
        << "quoted_update_objects";
    QTest::newRow("quoted, insert, objects")
        << QStringList{"insert", "--profile", objects, ddl("quoted/Emp.sql")}
        << "quoted_insert_objects";
    QTest::newRow("quoted, select, vb")
        << QStringList{"select", "--profile", profile("vb.INI"), ddl("quoted/Emp.sql")}
        << "quoted_select_vb";
}

void TestCli::generate()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    const Result r =
        run(QStringList{"generate"} + arguments + QStringList{"--eol", QStringLiteral("crlf")});
    QVERIFY2(r.err.isEmpty(), r.err.constData());
    QCOMPARE(r.code, 0);
    compareText(r.out, ::expected(expected, true));
}

void TestCli::generateLfByDefault()
{
    const QStringList args = {"generate", "insert", "--profile", profile("object_code.INI"),
                              ddl("ITEM.sql")};
    Result r = run(args);
    QCOMPARE(r.code, 0);
    compareText(r.out, expected("item_insert_objects", false));
    r = run(args + QStringList{"--eol", "lf"});
    QCOMPARE(r.code, 0);
    compareText(r.out, expected("item_insert_objects", false));
}

void TestCli::columnsOfOneTable_data()
{
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QByteArray>("text");
    const QByteArray tail = " FROM ITEM\n WHERE ITEM_CD = \n";
    QTest::newRow("PRICE") << "PRICE"
                           << "SELECT\n PRICE\n" + tail;
    QTest::newRow("file order kept") << "PRICE,ITEM_NAME"
                                     << "SELECT\n ITEM_NAME\n,PRICE\n" + tail;
    QTest::newRow("star") << "*"
                          << "SELECT\n ITEM_NAME\n,PRICE\n" + tail;
}

void TestCli::columnsOfOneTable()
{
    QFETCH(QString, columns);
    QFETCH(QByteArray, text);
    const Result r =
        run({"generate", "select", "--no-profile", "--columns", columns, ddl("ITEM.sql")});
    QVERIFY2(r.err.isEmpty(), r.err.constData());
    QCOMPARE(r.code, 0);
    compareText(r.out, text);
}

void TestCli::columnsOfJoinedSelect()
{
    const Result r = run({"generate", "select", "--no-profile", "--ids", "X,Y", "--columns",
                          "Y.SHOP_CD,X.PRICE", ddl("join/ITEM.sql"), ddl("join/STOCK.sql")});
    QVERIFY2(r.err.isEmpty(), r.err.constData());
    QCOMPARE(r.code, 0);
    compareText(r.out, "SELECT\n"
                       " X.PRICE\n"
                       ",Y.SHOP_CD\n"
                       " FROM ITEM X,STOCK Y\n"
                       " WHERE X.ITEM_CD = Y.ITEM_CD\n"
                       " AND X.SHOP_CD = Y.SHOP_CD\n"
                       " AND Y.ITEM_CD = \n"
                       " AND Y.WH_CD = \n");

    const Result all = run({"generate", "select", "--no-profile", "--ids", "A,B",
                            ddl("join/ITEM.sql"), ddl("join/STOCK.sql")});
    QCOMPARE(all.code, 0);
    QVERIFY(all.out.startsWith("SELECT\n"
                               " A.ITEM_NAME\n"
                               ",A.PRICE\n"
                               ",B.SHOP_CD\n"
                               ",B.QTY\n"
                               " FROM ITEM A,STOCK B\n"));
}

void TestCli::describe_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("json");

    QTest::newRow("EMP, no profile") << QStringList{"--no-profile", ddl("EMP.sql")}
                                     << describeJson("EMP",
                                                     {{"ENAME", "VARCHAR2", "-1"},
                                                      {"JOB", "CHAR", "-1"},
                                                      {"HIREDATE", "DATE", "-1"},
                                                      {"SAL", "NUMBER", "-1"}},
                                                     {"EMPNO"});
    QTest::newRow("EMP, profile") << QStringList{"--profile", profile("object_code.INI"),
                                                 ddl("EMP.sql")}
                                  << describeJson("EMP",
                                                  {{"ENAME", "VARCHAR2", "0"},
                                                   {"JOB", "CHAR", "-1"},
                                                   {"HIREDATE", "DATE", "-1"},
                                                   {"SAL", "NUMBER", "1"}},
                                                  {"EMPNO"});
    QTest::newRow("EMP, four types")
        << QStringList{"--profile", profile("four_types.INI"), ddl("EMP.sql")}
        << describeJson("EMP",
                        {{"ENAME", "VARCHAR2", "0"},
                         {"JOB", "CHAR", "2"},
                         {"HIREDATE", "DATE", "4"},
                         {"SAL", "NUMBER", "1"}},
                        {"EMPNO"});
    QTest::newRow("DEPT") << QStringList{"--no-profile", ddl("DEPT.sql")}
                          << describeJson("DEPT",
                                          {{"DNAME", "VARCHAR2", "-1"}, {"LOC", "VARCHAR2", "-1"}},
                                          {"DEPTNO"});
    QTest::newRow("DEPT, profile after the file")
        << QStringList{ddl("DEPT.sql"), "--profile", profile("object_code.INI")}
        << describeJson("DEPT", {{"DNAME", "VARCHAR2", "0"}, {"LOC", "VARCHAR2", "0"}}, {"DEPTNO"});
    QTest::newRow("ITEM, CP932 with comments")
        << QStringList{"--no-profile", ddl("ITEM.sql")}
        << describeJson("ITEM", {{"ITEM_NAME", "VARCHAR2", "-1"}, {"PRICE", "NUMBER", "-1"}},
                        {"ITEM_CD"});
    QTest::newRow("two keys") << QStringList{"--no-profile", ddl("join/STOCK.sql")}
                              << describeJson(
                                     "STOCK",
                                     {{"SHOP_CD", "VARCHAR2", "-1"}, {"QTY", "NUMBER", "-1"}},
                                     {"ITEM_CD", "WH_CD"});
    QTest::newRow("no keys") << QStringList{"--no-profile", ddl("LOG.sql")}
                             << describeJson(
                                    "LOG", {{"MSG", "VARCHAR2", "-1"}, {"LOGGED", "NUMBER", "-1"}},
                                    {});
    QTest::newRow("quoted names")
        << QStringList{"--no-profile", ddl("quoted/Emp.sql")}
        << QByteArray("{\"table\": \"\\\"Emp\\\"\", \"columns\": ["
                      "{\"name\": \"\\\"Name\\\"\", \"type\": \"VARCHAR2\", \"typeRow\": -1}, "
                      "{\"name\": \"\\\"Job\\\"\", \"type\": \"NUMBER\", \"typeRow\": -1}], "
                      "\"keys\": [\"\\\"Id\\\"\"]}\n");
}

void TestCli::describe()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, json);
    const Result r = run(QStringList{"describe"} + arguments);
    QVERIFY2(r.err.isEmpty(), r.err.constData());
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, json);
}

void TestCli::describeIsJson()
{
    const Result r = run({"describe", "--no-profile", ddl("EMP.sql")});
    QCOMPARE(r.code, 0);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonObject object = doc.object();
    QCOMPARE(object.value("table").toString(), QStringLiteral("EMP"));
    QCOMPARE(object.value("columns").toArray().size(), 4);
    QCOMPARE(object.value("columns").toArray().at(2).toObject().value("name").toString(),
             QStringLiteral("HIREDATE"));
    QCOMPARE(object.value("keys").toArray().size(), 1);
}

// Columns beyond 242 and keys beyond 10 are dropped with a warning; the rest is read.
void TestCli::describeBeyondCapacity()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QByteArray text = "CREATE TABLE BIG (\n";
    for (int j = 1; j <= 250; ++j)
        text += "    C" + QByteArray::number(j) + " NUMBER(4),\n";
    for (int k = 1; k <= 12; ++k)
        text += "    K" + QByteArray::number(k) + " CHAR(1),\n";
    text += "    PRIMARY KEY (";
    for (int k = 1; k <= 12; ++k)
        text += (k > 1 ? ", K" : "K") + QByteArray::number(k);
    text += ")\n);\n";
    const QString path = dir.filePath("BIG.sql");
    QVERIFY(testsupport::writeFile(path, text));

    const Result r = run({"describe", "--no-profile", path});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.err.contains("warning"), r.err.constData());
    const QJsonObject object = QJsonDocument::fromJson(r.out).object();
    const QJsonArray columns = object.value("columns").toArray();
    QCOMPARE(columns.size(), 242);
    QCOMPARE(columns.first().toObject().value("name").toString(), QStringLiteral("C1"));
    QCOMPARE(columns.last().toObject().value("name").toString(), QStringLiteral("C242"));
    const QJsonArray keys = object.value("keys").toArray();
    QCOMPARE(keys.size(), 10);
    QCOMPARE(keys.last().toString(), QStringLiteral("K10"));
}

void TestCli::guiProfileWhenNoneIsNamed()
{
    const QString dir = m_config.path() + "/Quillon";
    QVERIFY(QDir().mkpath(dir));
    QVERIFY(testsupport::writeFile(dir + "/Quillon.INI",
                                   testsupport::readFile(profile("object_code.INI"))));
    const Result r = run({"generate", "update", ddl("ITEM.sql"), "--eol", "crlf"});
    QCOMPARE(r.code, 0);
    compareText(r.out, expected("item_update_objects", true));
    // --no-profile ignores it.
    const Result plain =
        run({"generate", "update", "--no-profile", ddl("ITEM.sql"), "--eol", "crlf"});
    QCOMPARE(plain.code, 0);
    compareText(plain.out, expected("item_update_plain", true));
    QVERIFY(QFile::remove(dir + "/Quillon.INI"));
}

void TestCli::inputErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    const QString missing = ddl("NO_SUCH_TABLE.sql");
    const QString item = ddl("join/ITEM.sql");
    const QString stock = ddl("join/STOCK.sql");
    QTest::newRow("describe, missing file") << QStringList{"describe", "--no-profile", missing};
    QTest::newRow("describe, folder") << QStringList{"describe", "--no-profile", ddl("join")};
    QTest::newRow("select, missing file")
        << QStringList{"generate", "select", "--no-profile", missing};
    QTest::newRow("insert, missing file")
        << QStringList{"generate", "insert", "--no-profile", missing};
    QTest::newRow("joined, second file missing")
        << QStringList{"generate", "select", "--no-profile", "--ids", "A,B", item, missing};
    QTest::newRow("unknown column")
        << QStringList{"generate", "select", "--no-profile", "--columns", "NOPE", ddl("ITEM.sql")};
    QTest::newRow("key column is no select column") << QStringList{
        "generate", "select", "--no-profile", "--columns", "ITEM_CD", ddl("ITEM.sql")};
    QTest::newRow("unknown column, joined") << QStringList{
        "generate", "select", "--no-profile", "--ids", "A,B", "--columns", "A.QTY", item, stock};
    QTest::newRow("unknown identifier, joined") << QStringList{
        "generate", "select", "--no-profile", "--ids", "A,B", "--columns", "C.QTY", item, stock};
    QTest::newRow("no --ids") << QStringList{"generate", "select", "--no-profile", item, stock};
    QTest::newRow("one identifier for two files")
        << QStringList{"generate", "select", "--no-profile", "--ids", "A", item, stock};
    QTest::newRow("empty identifier")
        << QStringList{"generate", "select", "--no-profile", "--ids", "A,", item, stock};
    QTest::newRow("blank identifier")
        << QStringList{"generate", "select", "--no-profile", "--ids", " ,B", item, stock};
    QTest::newRow("missing profile")
        << QStringList{"generate", "select", "--profile", profile("NO_SUCH.INI"), item};
}

void TestCli::inputErrors()
{
    QFETCH(QStringList, arguments);
    const Result r = run(arguments);
    QCOMPARE(r.code, 1);
    QVERIFY2(r.out.isEmpty(), r.out.constData());
    QVERIFY(!r.err.isEmpty());
    QVERIFY2(!r.err.contains("Usage"), r.err.constData());
}

void TestCli::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    const QString item = ddl("ITEM.sql");
    const QString stock = ddl("join/STOCK.sql");
    QTest::newRow("no command") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"convert", item};
    QTest::newRow("generate without KIND") << QStringList{"generate"};
    QTest::newRow("bad KIND") << QStringList{"generate", "merge", "--no-profile", item};
    QTest::newRow("select without file") << QStringList{"generate", "select", "--no-profile"};
    QTest::newRow("select with 5 files") << QStringList{
        "generate", "select", "--no-profile", "--ids", "A,B,C,D,E", item, item, item, item, item};
    QTest::newRow("insert with 2 files")
        << QStringList{"generate", "insert", "--no-profile", item, stock};
    QTest::newRow("update with 2 files")
        << QStringList{"generate", "update", "--no-profile", item, stock};
    QTest::newRow("delete without file") << QStringList{"generate", "delete", "--no-profile"};
    QTest::newRow("--eol xx") << QStringList{"generate", "select", "--no-profile",
                                             "--eol",    "xx",     item};
    QTest::newRow("--profile with --no-profile") << QStringList{
        "generate", "select", "--profile", profile("object_code.INI"), "--no-profile", item};
    QTest::newRow("unknown option") << QStringList{"generate", "select", "--frobnicate", item};
    QTest::newRow("describe with two files")
        << QStringList{"describe", "--no-profile", item, stock};
}

void TestCli::usageErrors()
{
    QFETCH(QStringList, arguments);
    const Result r = run(arguments);
    QCOMPARE(r.code, 2);
    QVERIFY2(r.out.isEmpty(), r.out.constData());
    QVERIFY2(r.err.contains("Usage"), r.err.constData());
}

void TestCli::help()
{
    for (const QString& option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const Result r = run({option});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains("Usage"));
        QVERIFY(r.out.contains("describe"));
        QVERIFY(r.out.contains("generate KIND"));
        QVERIFY(r.out.contains("--eol"));
    }
    const Result r = run({"generate", "select", "--help"});
    QCOMPARE(r.code, 0);
    QVERIFY(r.out.contains("Usage"));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
