// Golden tests of the statement text: the store and the settings are filled directly, the
// statement is built, and the text is compared with tests/data/golden/expected/<name>.txt
// (stored with LF; the generated text ends every line in CR LF).
#include "EditorCore.h"
#include "TestSupport.h"
#include "settings/Settings.h"
#include "tabledef/TableStore.h"

#include <QtTest>

namespace
{

// Tables the rows below build on.
enum Fixture {
    kItem,      // ITEM: key ITEM_CD; ITEM_NAME (row 0), PRICE (row 1)
    kCols3,     // T: key ID; COL1..COL3
    kSeven,     // SEVEN: key ID; C1..C7
    kNoKeys,    // LOG: no key; MSG (row 0), LOGGED (row 1)
    kQuoted,    // "Emp": key "Id"; "Name" (row 0), "Job" (row 1)
    kMemo,      // ITEM: key ITEM_CD; ITEM_NAME (row 0), MEMO (no row), PRICE (row 1)
    kItemStock, // ITEM A: keys ITEM_CD, SHOP_CD; STOCK B: keys ITEM_CD, WH_CD
};

// Settings the rows below run with.
enum Preset {
    kPlain,            // every setting at its default
    kVb,               // VB wrapping on, LF off
    kVbLf,             // VB wrapping and LF on
    kVbComments,       // VB wrapping and column comments on, objects off
    kObjects,          // VB, LF, comments, objects on; sql, ses, db, dyn
    kObjectsNoSession, // as kObjects with an empty Session variable
    kObjectsBare,      // objects on, LF and comments off
    kSwappedFunctions, // objects on, LF off; row 0 without functions, row 1 with both
    kVbTwo,            // g_bAddVbVariable = 2: no wrapping
};

void addColumns(int t, const QStringList& names, const QList<int>& rows)
{
    for (int j = 0; j < names.size(); ++j)
        QVERIFY(AddColumn(t, names[j], rows.value(j, -1)));
}

void fillSlot(int t, const QString& table, const QString& identifier, const QStringList& keys,
              const QStringList& columns, const QList<int>& rows)
{
    BeginTableSlot(t);
    SetTableName(t, table);
    g_tableIdentifier[t] = identifier;
    for (const QString& key : keys)
        QVERIFY(AddKeyColumn(t, key));
    addColumns(t, columns, rows);
}

void fillStore(Fixture fixture)
{
    ResetTableStore();
    switch (fixture) {
    case kItem:
        fillSlot(0, "ITEM", QString(), {"ITEM_CD"}, {"ITEM_NAME", "PRICE"}, {0, 1});
        break;
    case kCols3:
        fillSlot(0, "T", QString(), {"ID"}, {"COL1", "COL2", "COL3"}, {0, 0, 0});
        break;
    case kSeven:
        fillSlot(0, "SEVEN", QString(), {"ID"}, {"C1", "C2", "C3", "C4", "C5", "C6", "C7"}, {});
        break;
    case kNoKeys:
        fillSlot(0, "LOG", QString(), {}, {"MSG", "LOGGED"}, {0, 1});
        break;
    case kQuoted:
        fillSlot(0, "\"Emp\"", QString(), {"\"Id\""}, {"\"Name\"", "\"Job\""}, {0, 1});
        break;
    case kMemo:
        fillSlot(0, "ITEM", QString(), {"ITEM_CD"}, {"ITEM_NAME", "MEMO", "PRICE"}, {0, -1, 1});
        break;
    case kItemStock:
        fillSlot(0, "ITEM", "A", {"ITEM_CD", "SHOP_CD"}, {"ITEM_NAME", "PRICE"}, {0, 1});
        fillSlot(1, "STOCK", "B", {"ITEM_CD", "WH_CD"}, {"SHOP_CD", "QTY"}, {0, 1});
        break;
    }
}

void setTypeRow(int r, const QString& type, const QString& read, const QString& write,
                const QString& dummy)
{
    g_strTypeName[r] = type;
    g_strReadFunction[r] = read;
    g_strWriteFunction[r] = write;
    g_strDummyControl[r] = dummy;
}

void applyPreset(Preset preset, const QString& fold)
{
    ResetSettings();
    g_strColumnsPerLine = fold;
    g_strSqlVariable = QStringLiteral("sql");
    g_strSessionVariable = QStringLiteral("ses");
    g_strDatabaseVariable = QStringLiteral("db");
    g_strDynasetVariable = QStringLiteral("dyn");
    setTypeRow(0, "VARCHAR2", "NullToStr", "SqlStr", "strWork");
    setTypeRow(1, "NUMBER", QString(), QString(), "lngWork");
    g_nTypeProcCount = 2;
    switch (preset) {
    case kPlain:
        break;
    case kVb:
        g_bAddVbVariable = 1;
        break;
    case kVbLf:
        g_bAddVbVariable = 1;
        g_bAddLf = 1;
        break;
    case kVbComments:
        g_bAddVbVariable = 1;
        g_bAddColumnComment = 1;
        break;
    case kObjects:
    case kObjectsNoSession:
        g_bAddVbVariable = 1;
        g_bAddLf = 1;
        g_bAddColumnComment = 1;
        g_bAddObjectVariables = 1;
        if (preset == kObjectsNoSession)
            g_strSessionVariable.clear();
        break;
    case kObjectsBare:
        g_bAddVbVariable = 1;
        g_bAddObjectVariables = 1;
        break;
    case kSwappedFunctions:
        g_bAddVbVariable = 1;
        g_bAddObjectVariables = 1;
        g_strSessionVariable.clear();
        setTypeRow(0, "VARCHAR2", QString(), QString(), "strWork");
        setTypeRow(1, "NUMBER", "Nz", "Fmt", "lngWork");
        break;
    case kVbTwo:
        g_bAddVbVariable = 2;
        g_bAddLf = 1;
        g_bAddColumnComment = 1;
        g_bAddObjectVariables = 1;
        break;
    }
}

// "*" chooses every column of every slot in use, "" none; otherwise a comma-separated list of
// column names, each written ID.COLUMN when the statement has several tables.
void choose(int tables, const QString& choice)
{
    for (int t = 0; t < tables; ++t)
        for (int j = 0; j < g_columnCount[t]; ++j)
            g_columnSelected[t][j] = choice == u"*" ? 1 : 0;
    if (choice == u"*" || choice.isEmpty())
        return;
    for (const QString& entry : choice.split(QLatin1Char(','))) {
        bool found = false;
        for (int t = 0; t < tables && !found; ++t) {
            for (int j = 0; j < g_columnCount[t] && !found; ++j) {
                const QString name = tables > 1 ? g_tableIdentifier[t] + '.' + g_columnName[t][j]
                                                : g_columnName[t][j];
                if (name == entry) {
                    g_columnSelected[t][j] = 1;
                    found = true;
                }
            }
        }
        QVERIFY2(found, qPrintable(entry));
    }
}

QString expectedText(const QString& name)
{
    const QString path = testsupport::dataPath("golden/expected/" + name + ".txt");
    const QByteArray bytes = testsupport::readFile(path);
    if (bytes.isEmpty())
        qWarning("missing or empty golden file %s", qPrintable(path));
    return testsupport::toCrLf(QString::fromUtf8(bytes));
}

// Line by line first (readable failures), then the whole text byte for byte.
void compareText(const QString& actual, const QString& expected)
{
    QCOMPARE(actual.split(QLatin1Char('\n')), expected.split(QLatin1Char('\n')));
    QCOMPARE(actual.toUtf8(), expected.toUtf8());
}

// Records whether the builder handed the focus to the output.
class FocusCountingCore : public CEditorCore
{
public:
    int focusCalls = 0;

protected:
    void FocusOutput() override { ++focusCalls; }
};

} // namespace

Q_DECLARE_METATYPE(Fixture)
Q_DECLARE_METATYPE(Preset)

class TestBuilder : public QObject
{
    Q_OBJECT
private slots:
    void init() { testsupport::resetAll(); }
    void golden_data();
    void golden();
    void otherKindsKeepOutput_data();
    void otherKindsKeepOutput();
    void eachCallStartsAfresh();
    void selectionFlagOtherThanOne();
    void lineWriterExamples_data();
    void lineWriterExamples();
};

void TestBuilder::golden_data()
{
    QTest::addColumn<Fixture>("fixture");
    QTest::addColumn<Preset>("preset");
    QTest::addColumn<QString>("fold");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("tables");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("expected");

    auto row = [](const char* name, Fixture f, Preset p, const QString& fold, int kind, int tables,
                  const QString& chosen, const QString& expected) {
        QTest::newRow(name) << f << p << fold << kind << tables << chosen << expected;
    };
    const QString all = QStringLiteral("*");

    // Plain SQL.
    row("plain select", kItem, kPlain, "0", kSelect, 1, all, "item_select_plain");
    row("plain update", kItem, kPlain, "0", kUpdate, 1, all, "item_update_plain");
    row("plain delete", kItem, kPlain, "0", kDelete, 1, all, "item_delete_plain");
    row("plain insert", kItem, kPlain, "0", kInsert, 1, all, "item_insert_plain");
    row("fold 2, three columns", kCols3, kPlain, "2", kSelect, 1, all, "cols3_select_fold2");
    // Selection flags are read by SELECT only.
    row("update ignores selection", kItem, kPlain, "0", kUpdate, 1, "", "item_update_plain");
    row("insert ignores selection", kItem, kPlain, "0", kInsert, 1, "", "item_insert_plain");

    // Object code.
    row("objects insert", kItem, kObjects, "0", kInsert, 1, all, "item_insert_objects");
    row("objects update", kItem, kObjects, "0", kUpdate, 1, all, "item_update_objects");
    row("objects select", kItem, kObjects, "0", kSelect, 1, all, "item_select_objects");
    row("objects delete", kItem, kObjects, "0", kDelete, 1, all, "item_delete_objects");
    row("objects select, fold 3", kItem, kObjects, "3", kSelect, 1, all,
        "item_select_objects_fold3");

    // No chosen column.
    row("select, none chosen", kItem, kPlain, "0", kSelect, 1, "", "item_select_none_chosen");
    row("select, none chosen, fold 2", kItem, kPlain, "2", kSelect, 1, "",
        "item_select_none_chosen");

    // Fold width.
    row("fold empty", kSeven, kPlain, "", kSelect, 1, all, "seven_select_one_per_line");
    row("fold 0", kSeven, kPlain, "0", kSelect, 1, all, "seven_select_one_per_line");
    row("fold abc", kSeven, kPlain, "abc", kSelect, 1, all, "seven_select_one_per_line");
    row("fold 3, seven entries", kSeven, kPlain, "3", kSelect, 1, all, "seven_select_fold3");
    row("fold -1", kSeven, kPlain, "-1", kSelect, 1, all, "seven_select_one_line");
    row("fold -7", kSeven, kPlain, "-7", kSelect, 1, all, "seven_select_one_line");
    row("fold 7", kSeven, kPlain, "7", kSelect, 1, all, "seven_select_one_line");
    row("fold 100", kSeven, kPlain, "100", kSelect, 1, all, "seven_select_one_line");
    row("fold leading blanks", kSeven, kPlain, "  2", kSelect, 1, all, "seven_select_fold2");
    row("fold plus sign", kSeven, kPlain, "+3", kSelect, 1, all, "seven_select_fold3");
    row("fold digits then text", kSeven, kPlain, "2x", kSelect, 1, all, "seven_select_fold2");
    row("fold too large", kSeven, kPlain, "99999999999", kSelect, 1, all, "seven_select_one_line");
    row("fold too small", kSeven, kPlain, "-99999999999", kSelect, 1, all, "seven_select_one_line");
    row("fold sign only", kSeven, kPlain, "-", kSelect, 1, all, "seven_select_one_per_line");

    // A table without key columns.
    row("no keys select", kNoKeys, kPlain, "0", kSelect, 1, all, "nokeys_select_plain");
    row("no keys update", kNoKeys, kPlain, "0", kUpdate, 1, all, "nokeys_update_plain");
    row("no keys delete", kNoKeys, kPlain, "0", kDelete, 1, all, "nokeys_delete_plain");

    // VB on, objects off: statement lines only.
    row("vb insert", kItem, kVb, "0", kInsert, 1, all, "item_insert_vb");
    row("vb update", kItem, kVb, "0", kUpdate, 1, all, "item_update_vb");
    row("vb delete", kItem, kVb, "0", kDelete, 1, all, "item_delete_vb");
    row("vb select", kItem, kVb, "0", kSelect, 1, all, "item_select_vb");
    row("vb lf insert", kItem, kVbLf, "0", kInsert, 1, all, "item_insert_vb_lf");
    row("vb lf select", kItem, kVbLf, "0", kSelect, 1, all, "item_select_vb_lf");

    // Column comments without objects: none.
    row("comments, no objects, insert", kItem, kVbComments, "0", kInsert, 1, all, "item_insert_vb");
    row("comments, no objects, select", kItem, kVbComments, "0", kSelect, 1, all, "item_select_vb");

    // VB wrapping holding 2 is off, and so is all object code.
    row("vb 2 insert", kItem, kVbTwo, "0", kInsert, 1, all, "item_insert_plain");
    row("vb 2 select", kItem, kVbTwo, "0", kSelect, 1, all, "item_select_plain");

    // Empty Session variable.
    row("no session insert", kItem, kObjectsNoSession, "0", kInsert, 1, all,
        "item_insert_no_session");
    row("no session update", kItem, kObjectsNoSession, "0", kUpdate, 1, all,
        "item_update_no_session");
    row("no session delete", kItem, kObjectsNoSession, "0", kDelete, 1, all,
        "item_delete_no_session");

    // Objects on, LF and comments off.
    row("objects bare insert", kItem, kObjectsBare, "0", kInsert, 1, all,
        "item_insert_objects_nolf");

    // Joined SELECT with object code: field ordinals run on across tables.
    row("joined select, objects", kItemStock, kObjects, "0", kSelect, 2,
        "A.ITEM_NAME,A.PRICE,B.QTY", "join_select_objects");

    // Empty read function and empty write function.
    row("empty functions insert", kItem, kSwappedFunctions, "0", kInsert, 1, all,
        "item_insert_swapped_functions");
    row("empty functions select", kItem, kSwappedFunctions, "0", kSelect, 1, all,
        "item_select_swapped_functions");

    // Quoted identifiers in VB-wrapped lines keep a valid string literal.
    row("quoted select vb", kQuoted, kVb, "0", kSelect, 1, all, "quoted_select_vb");
    row("quoted update objects", kQuoted, kObjects, "0", kUpdate, 1, all, "quoted_update_objects");
    row("quoted insert objects", kQuoted, kObjects, "0", kInsert, 1, all, "quoted_insert_objects");
    row("quoted delete plain", kQuoted, kPlain, "0", kDelete, 1, all, "quoted_delete_plain");

    // INSERT for a table without key columns.
    row("no keys insert", kNoKeys, kPlain, "0", kInsert, 1, all, "nokeys_insert_plain");
    row("no keys insert objects", kNoKeys, kObjects, "0", kInsert, 1, all, "nokeys_insert_objects");

    // A column whose type has no row, with object code.
    row("no type row insert", kMemo, kObjects, "0", kInsert, 1, all, "memo_insert_objects");
    row("no type row update", kMemo, kObjects, "0", kUpdate, 1, all, "memo_update_objects");
    row("no type row select", kMemo, kObjects, "0", kSelect, 1, all, "memo_select_objects");
}

void TestBuilder::golden()
{
    QFETCH(Fixture, fixture);
    QFETCH(Preset, preset);
    QFETCH(QString, fold);
    QFETCH(int, kind);
    QFETCH(int, tables);
    QFETCH(QString, chosen);
    QFETCH(QString, expected);

    fillStore(fixture);
    applyPreset(preset, fold);
    choose(tables, chosen);

    FocusCountingCore core;
    core.m_strOutput = QStringLiteral("previous text\r\n");
    core.BuildStatement(kind, tables);
    compareText(core.m_strOutput, expectedText(expected));
    QCOMPARE(core.focusCalls, 1);
}

void TestBuilder::otherKindsKeepOutput_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("4") << 4;
    QTest::newRow("-1") << -1;
    QTest::newRow("100") << 100;
}

void TestBuilder::otherKindsKeepOutput()
{
    QFETCH(int, kind);
    fillStore(kItem);
    applyPreset(kObjects, "0");
    choose(1, "*");
    FocusCountingCore core;
    const QString previous = QStringLiteral("SELECT\r\n FROM X\r\n");
    core.m_strOutput = previous;
    core.BuildStatement(kind, 1);
    QCOMPARE(core.m_strOutput, previous);
    QCOMPARE(core.focusCalls, 1);
}

void TestBuilder::eachCallStartsAfresh()
{
    fillStore(kItem);
    applyPreset(kObjects, "0");
    choose(1, "*");
    CEditorCore core;
    core.BuildStatement(kInsert, 1);
    core.BuildStatement(kSelect, 1);
    compareText(core.m_strOutput, expectedText("item_select_objects"));
    core.BuildStatement(kDelete, 1);
    compareText(core.m_strOutput, expectedText("item_delete_objects"));
    applyPreset(kPlain, "0");
    core.BuildStatement(kDelete, 1);
    compareText(core.m_strOutput, expectedText("item_delete_plain"));
}

void TestBuilder::selectionFlagOtherThanOne()
{
    fillStore(kItem);
    g_columnSelected[0][0] = 2;
    g_columnSelected[0][1] = -1;
    CEditorCore core;
    core.BuildStatement(kSelect, 1);
    compareText(core.m_strOutput, expectedText("item_select_none_chosen"));
}

void TestBuilder::lineWriterExamples_data()
{
    QTest::addColumn<int>("vb");
    QTest::addColumn<int>("lf");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("line");

    QTest::newRow("first, off") << 0 << 0 << 0 << "SELECT"
                                << "SELECT";
    QTest::newRow("first, on") << 1 << 0 << 0 << "SELECT"
                               << "sql = \"SELECT\"";
    QTest::newRow("first, on, lf") << 1 << 1 << 0 << "SELECT"
                                   << "sql = \"SELECT\" & vbLF";
    QTest::newRow("next, off") << 0 << 0 << 1 << " FROM ITEM"
                               << " FROM ITEM";
    QTest::newRow("next, off, lf") << 0 << 1 << 1 << " FROM ITEM"
                                   << " FROM ITEM";
    QTest::newRow("next, on") << 1 << 0 << 1 << " FROM ITEM"
                              << "sql = sql & \" FROM ITEM\"";
    QTest::newRow("next, on, lf") << 1 << 1 << 1 << " FROM ITEM"
                                  << "sql = sql & \" FROM ITEM\" & vbLF";
    QTest::newRow("vb 2") << 2 << 1 << 1 << " FROM ITEM"
                          << " FROM ITEM";
    QTest::newRow("empty text") << 1 << 0 << 1 << ""
                                << "sql = sql & \"\"";
    QTest::newRow("quoted name") << 1 << 1 << 1 << " FROM \"Emp\" E"
                                 << "sql = sql & \" FROM \"\"Emp\"\" E\" & vbLF";
}

void TestBuilder::lineWriterExamples()
{
    QFETCH(int, vb);
    QFETCH(int, lf);
    QFETCH(int, mode);
    QFETCH(QString, text);
    QFETCH(QString, line);
    g_bAddVbVariable = vb;
    g_bAddLf = lf;
    g_strSqlVariable = QStringLiteral("sql");

    CEditorCore core;
    core.m_strOutput = QStringLiteral("before\r\n");
    core.AddSqlLine(mode, text);
    QCOMPARE(core.m_strOutput, (mode == 0 ? QString() : QStringLiteral("before\r\n")) + line +
                                   QStringLiteral("\r\n"));

    // The appending form gives the same line and always keeps what is there.
    core.m_strOutput = QStringLiteral("before\r\n");
    core.AppendSqlLine(mode, text);
    QCOMPARE(core.m_strOutput, QStringLiteral("before\r\n") + line + QStringLiteral("\r\n"));

    // Raw lines are never wrapped.
    core.AddRawLine(1, text);
    QVERIFY(core.m_strOutput.endsWith(QStringLiteral("\r\n") + text + QStringLiteral("\r\n")));
}

QTEST_GUILESS_MAIN(TestBuilder)
#include "tst_builder.moc"
