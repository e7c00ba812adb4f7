// Building the largest statements: a joined SELECT over four tables of 242 columns each, with
// object code, column comments and every column chosen; and the single-table statements.
#include "EditorCore.h"
#include "settings/Settings.h"
#include "tabledef/TableStore.h"

#include <benchmark/benchmark.h>

namespace
{

// Four tables that share their first two key names and whose columns repeat some keys of
// the others, so every join pass has work to do.
void fillStore(int tables)
{
    ResetTableStore();
    const char* const ids[] = {"A", "B", "C", "D"};
    for (int t = 0; t < tables; ++t) {
        BeginTableSlot(t);
        SetTableName(t, QStringLiteral("TABLE_%1").arg(t));
        g_tableIdentifier[t] = QLatin1String(ids[t]);
        AddKeyColumn(t, QStringLiteral("COMPANY_CD"));
        AddKeyColumn(t, QStringLiteral("ORDER_NO"));
        for (int k = 2; k < 5; ++k)
            AddKeyColumn(t, QStringLiteral("KEY_%1_%2").arg(t).arg(k));
        for (int j = 0; j < kMaxColumns; ++j) {
            // Column j of table t equals a key of table t+1 for the first few j.
            const QString name = j < 3 ? QStringLiteral("KEY_%1_%2").arg((t + 1) % 4).arg(j + 2)
                                       : QStringLiteral("COLUMN_%1_%2").arg(t).arg(j);
            AddColumn(t, name, j % 3 == 0 ? -1 : j % 2);
            g_columnSelected[t][j] = 1;
        }
    }
}

void objectCode()
{
    ResetSettings();
    g_bAddVbVariable = 1;
    g_bAddLf = 1;
    g_bAddColumnComment = 1;
    g_bAddObjectVariables = 1;
    g_strColumnsPerLine = QStringLiteral("0");
    g_strSqlVariable = QStringLiteral("sql");
    g_strSessionVariable = QStringLiteral("ses");
    g_strDatabaseVariable = QStringLiteral("db");
    g_strDynasetVariable = QStringLiteral("dyn");
    g_strTypeName[0] = QStringLiteral("VARCHAR2");
    g_strReadFunction[0] = QStringLiteral("NullToStr");
    g_strWriteFunction[0] = QStringLiteral("SqlStr");
    g_strDummyControl[0] = QStringLiteral("strWork");
    g_strTypeName[1] = QStringLiteral("NUMBER");
    g_strDummyControl[1] = QStringLiteral("lngWork");
    g_nTypeProcCount = 2;
}

void BM_JoinedSelect4x242Objects(benchmark::State& state)
{
    fillStore(4);
    objectCode();
    CEditorCore core;
    for (auto _ : state) {
        core.BuildStatement(kSelect, 4);
        benchmark::DoNotOptimize(core.m_strOutput.size());
    }
    state.counters["lines"] = double(core.m_strOutput.count(QLatin1Char('\n')));
    state.counters["bytes"] = double(core.m_strOutput.toUtf8().size());
}
BENCHMARK(BM_JoinedSelect4x242Objects)->Unit(benchmark::kMicrosecond);

void BM_JoinedSelect4x242Plain(benchmark::State& state)
{
    fillStore(4);
    ResetSettings();
    CEditorCore core;
    for (auto _ : state) {
        core.BuildStatement(kSelect, 4);
        benchmark::DoNotOptimize(core.m_strOutput.size());
    }
}
BENCHMARK(BM_JoinedSelect4x242Plain)->Unit(benchmark::kMicrosecond);

void BM_SingleTableObjects(benchmark::State& state)
{
    fillStore(1);
    objectCode();
    const int kind = int(state.range(0));
    CEditorCore core;
    for (auto _ : state) {
        core.BuildStatement(kind, 1);
        benchmark::DoNotOptimize(core.m_strOutput.size());
    }
}
BENCHMARK(BM_SingleTableObjects)
    ->Arg(kSelect)
    ->Arg(kInsert)
    ->Arg(kUpdate)
    ->Arg(kDelete)
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
