// Golden tests of the join and value conditions of a SELECT over several tables. Each case
// fills the store directly, builds the SELECT and compares the whole text with
// tests/data/golden/expected/<name>.txt (stored with LF).
#include "EditorCore.h"
#include "TestSupport.h"
#include "settings/Settings.h"
#include "tabledef/TableStore.h"

#include <QtTest>

namespace
{

struct Table {
    QString name;
    QString identifier;
    QStringList keys;
    QStringList columns;
};

enum Fixture {
    kItemStock,        // ITEM A (ITEM_CD, SHOP_CD | ITEM_NAME, PRICE), STOCK B
    kThreeSameKey,     // T1, T2, T3, each with the one key K
    kSecondKeysEqual,  // P (A1, X), Q (B1, X); no equal non-key column
    kSecondKeysEqual2, // as above, Q also has a non-key column A1
    kNoSharedNames,    // A (K1, K2 | C1), B (L1 | D1)
    kKeylessTarget,    // A (ID), B without keys (ID, VAL)
    kKeylessFirst,     // B without keys (ID, VAL) first, then A (ID)
    kKeyToTwoColumns,  // A (K | X), B (L | K), C (M | K)
    kFourTables,       // T1..T4, each with keys K1..K4
};

QList<Table> tablesOf(Fixture fixture)
{
    switch (fixture) {
    case kItemStock:
        return {{"ITEM", "A", {"ITEM_CD", "SHOP_CD"}, {"ITEM_NAME", "PRICE"}},
                {"STOCK", "B", {"ITEM_CD", "WH_CD"}, {"SHOP_CD", "QTY"}}};
    case kThreeSameKey:
        return {
            {"TA", "T1", {"K"}, {"V1"}}, {"TB", "T2", {"K"}, {"V2"}}, {"TC", "T3", {"K"}, {"V3"}}};
    case kSecondKeysEqual:
        return {{"TP", "P", {"A1", "X"}, {}}, {"TQ", "Q", {"B1", "X"}, {"QV"}}};
    case kSecondKeysEqual2:
        return {{"TP", "P", {"A1", "X"}, {}}, {"TQ", "Q", {"B1", "X"}, {"A1"}}};
    case kNoSharedNames:
        return {{"TA", "A", {"K1", "K2"}, {"C1"}}, {"TB", "B", {"L1"}, {"D1"}}};
    case kKeylessTarget:
        return {{"TA", "A", {"ID"}, {}}, {"TB", "B", {}, {"ID", "VAL"}}};
    case kKeylessFirst:
        return {{"TB", "B", {}, {"ID", "VAL"}}, {"TA", "A", {"ID"}, {}}};
    case kKeyToTwoColumns:
        return {{"TA", "A", {"K"}, {"X"}}, {"TB", "B", {"L"}, {"K"}}, {"TC", "C", {"M"}, {"K"}}};
    case kFourTables: {
        const QStringList keys = {"K1", "K2", "K3", "K4"};
        return {{"TA", "T1", keys, {}},
                {"TB", "T2", keys, {}},
                {"TC", "T3", keys, {}},
                {"TD", "T4", keys, {}}};
    }
    }
    return {};
}

int fillStore(Fixture fixture)
{
    ResetTableStore();
    const QList<Table> tables = tablesOf(fixture);
    for (int t = 0; t < tables.size(); ++t) {
        BeginTableSlot(t);
        SetTableName(t, tables[t].name);
        g_tableIdentifier[t] = tables[t].identifier;
        for (const QString& key : tables[t].keys)
            AddKeyColumn(t, key);
        for (const QString& column : tables[t].columns)
            AddColumn(t, column, 0);
    }
    return int(tables.size());
}

// Entries ID.COLUMN; every other column is not chosen.
void choose(int tables, const QStringList& chosen)
{
    for (int t = 0; t < tables; ++t)
        for (int j = 0; j < g_columnCount[t]; ++j)
            g_columnSelected[t][j] =
                chosen.contains(g_tableIdentifier[t] + '.' + g_columnName[t][j]) ? 1 : 0;
}

QString expectedText(const QString& name)
{
    const QString path = testsupport::dataPath("golden/expected/" + name + ".txt");
    const QByteArray bytes = testsupport::readFile(path);
    if (bytes.isEmpty())
        qWarning("missing or empty golden file %s", qPrintable(path));
    return testsupport::toCrLf(QString::fromUtf8(bytes));
}

void compareText(const QString& actual, const QString& expected)
{
    QCOMPARE(actual.split(QLatin1Char('\n')), expected.split(QLatin1Char('\n')));
    QCOMPARE(actual.toUtf8(), expected.toUtf8());
}

} // namespace

Q_DECLARE_METATYPE(Fixture)

class TestJoin : public QObject
{
    Q_OBJECT
private slots:
    void init() { testsupport::resetAll(); }
    void golden_data();
    void golden();
    void conditionsAloneFollowTheText();
    void identifiersWithQuotesAreDoubledWhenWrapped();
    void repeatedCallsAreIndependent();
};

void TestJoin::golden_data()
{
    QTest::addColumn<Fixture>("fixture");
    QTest::addColumn<int>("vb");
    QTest::addColumn<int>("lf");
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QString>("expected");

    const QStringList example = {"A.ITEM_NAME", "B.QTY"};
    QTest::newRow("ITEM A, STOCK B") << kItemStock << 0 << 0 << example << "join_item_stock";
    QTest::newRow("ITEM A, STOCK B, vb") << kItemStock << 1 << 0 << example << "join_item_stock_vb";
    QTest::newRow("ITEM A, STOCK B, vb lf")
        << kItemStock << 1 << 1 << example << "join_item_stock_vb_lf";
    QTest::newRow("ITEM A, STOCK B, vb 2 is off")
        << kItemStock << 2 << 1 << example << "join_item_stock";
    QTest::newRow("three slots, one key K")
        << kThreeSameKey << 0 << 0 << QStringList() << "join_three_same_key";
    QTest::newRow("second keys equal")
        << kSecondKeysEqual << 0 << 0 << QStringList() << "join_second_keys_equal";
    QTest::newRow("second keys equal, first key to column")
        << kSecondKeysEqual2 << 0 << 0 << QStringList() << "join_second_keys_equal_first_to_column";
    QTest::newRow("no shared names")
        << kNoSharedNames << 0 << 0 << QStringList{"A.C1", "B.D1"} << "join_no_shared_names";
    QTest::newRow("slot without keys as target")
        << kKeylessTarget << 0 << 0 << QStringList() << "join_keyless_target";
    QTest::newRow("slot without keys starts nothing")
        << kKeylessFirst << 0 << 0 << QStringList() << "join_keyless_first";
    QTest::newRow("key equal to columns of two slots")
        << kKeyToTwoColumns << 0 << 0 << QStringList() << "join_key_to_two_columns";
    QTest::newRow("four tables, twelve value conditions")
        << kFourTables << 0 << 0 << QStringList() << "join_four_tables_twelve_values";
}

void TestJoin::golden()
{
    QFETCH(Fixture, fixture);
    QFETCH(int, vb);
    QFETCH(int, lf);
    QFETCH(QStringList, chosen);
    QFETCH(QString, expected);

    const int tables = fillStore(fixture);
    choose(tables, chosen);
    g_bAddVbVariable = vb;
    g_bAddLf = lf;
    g_strSqlVariable = QStringLiteral("sql");
    g_strColumnsPerLine = QStringLiteral("0");

    CEditorCore core;
    core.BuildStatement(kSelect, tables);
    compareText(core.m_strOutput, expectedText(expected));
}

// The conditions are appended, as next lines, to whatever the text holds.
void TestJoin::conditionsAloneFollowTheText()
{
    const int tables = fillStore(kItemStock);
    CEditorCore core;
    core.m_strOutput = QStringLiteral("X\r\n");
    core.AddJoinConditions(tables);
    QCOMPARE(core.m_strOutput, QStringLiteral("X\r\n"
                                              " WHERE A.ITEM_CD = B.ITEM_CD\r\n"
                                              " AND A.SHOP_CD = B.SHOP_CD\r\n"
                                              " AND B.ITEM_CD = \r\n"
                                              " AND B.WH_CD = \r\n"));
}

void TestJoin::identifiersWithQuotesAreDoubledWhenWrapped()
{
    ResetTableStore();
    BeginTableSlot(0);
    SetTableName(0, "\"Emp\"");
    g_tableIdentifier[0] = "E";
    AddKeyColumn(0, "\"Id\"");
    BeginTableSlot(1);
    SetTableName(1, "DEPT");
    g_tableIdentifier[1] = "D";
    AddKeyColumn(1, "\"Id\"");
    g_bAddVbVariable = 1;
    g_strSqlVariable = QStringLiteral("sql");

    CEditorCore core;
    core.BuildStatement(kSelect, 2);
    QCOMPARE(core.m_strOutput,
             QStringLiteral("sql = \"SELECT\"\r\n"
                            "sql = sql & \" FROM \"\"Emp\"\" E,DEPT D\"\r\n"
                            "sql = sql & \" WHERE E.\"\"Id\"\" = D.\"\"Id\"\"\"\r\n"
                            "sql = sql & \" AND D.\"\"Id\"\" = \"\r\n"));
}

void TestJoin::repeatedCallsAreIndependent()
{
    const int tables = fillStore(kFourTables);
    CEditorCore core;
    core.BuildStatement(kSelect, tables);
    const QString first = core.m_strOutput;
    core.BuildStatement(kSelect, tables);
    QCOMPARE(core.m_strOutput, first);
    compareText(first, expectedText("join_four_tables_twelve_values"));
}

QTEST_GUILESS_MAIN(TestJoin)
#include "tst_join.moc"
