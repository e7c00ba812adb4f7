// Opening the column dialogs with full tables: from construction until the grids have
// been filled and painted once.
#include "columns/ColumnSelectDlg.h"
#include "columns/JoinSelectDlg.h"
#include "columns/SpreadSheet.h"
#include "tabledef/TableStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <benchmark/benchmark.h>

namespace
{

void fillTables(int tables)
{
    ResetTableStore();
    for (int t = 0; t < tables; ++t) {
        SetTableName(t, QStringLiteral("TABLE_%1").arg(t));
        AddKeyColumn(t, QStringLiteral("KEY_CD"));
        for (int j = 0; j < kMaxColumns; ++j)
            AddColumn(t, QStringLiteral("COLUMN_NAME_%1_%2").arg(t).arg(j, 3, 10, QLatin1Char('0')),
                      0);
    }
}

// Notes the first paint of a widget.
class PaintWatch : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

// Shows the dialog and runs the event loop until its grid has painted.
void showUntilPainted(QDialog& dlg, CSpreadSheet* grid, benchmark::State& state)
{
    PaintWatch watch;
    grid->viewport()->installEventFilter(&watch);
    dlg.show();
    QElapsedTimer guard;
    guard.start();
    while (!watch.painted && guard.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    if (!watch.painted)
        state.SkipWithError("the grid was never painted");
    grid->viewport()->removeEventFilter(&watch);
}

void BM_OpenJoinSelect(benchmark::State& state)
{
    const int tables = static_cast<int>(state.range(0));
    fillTables(tables);
    for (auto _ : state) {
        auto* dlg = new CJoinSelectDlg(tables);
        if (!dlg->OnInitDialog()) {
            state.SkipWithError("no grid");
            break;
        }
        showUntilPainted(*dlg, dlg->m_gridColumns, state);
        state.PauseTiming();
        delete dlg;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["cells"] = 2.0 * tables * kMaxColumns;
}
BENCHMARK(BM_OpenJoinSelect)->Arg(2)->Arg(5)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same without showing: construction and filling alone.
void BM_FillJoinSelect(benchmark::State& state)
{
    fillTables(5);
    for (auto _ : state) {
        auto* dlg = new CJoinSelectDlg(5);
        dlg->OnInitDialog();
        state.PauseTiming();
        delete dlg;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillJoinSelect)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenColumnSelect(benchmark::State& state)
{
    fillTables(1);
    for (auto _ : state) {
        auto* dlg = new CColumnSelectDlg;
        if (!dlg->OnInitDialog()) {
            state.SkipWithError("no grid");
            break;
        }
        showUntilPainted(*dlg, dlg->m_gridColumns, state);
        state.PauseTiming();
        delete dlg;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenColumnSelect)->Unit(benchmark::kMillisecond)->UseRealTime();

// Select-all in every table, then OK reading back every box.
void BM_JoinSelectAllAndOk(benchmark::State& state)
{
    fillTables(5);
    for (auto _ : state) {
        state.PauseTiming();
        auto* dlg = new CJoinSelectDlg(5);
        dlg->OnInitDialog();
        for (int t = 0; t < 5; ++t) {
            dlg->m_gridTables->SetCurrentRow(t + 1);
            dlg->m_gridTables->SetCurrentCol(2);
            dlg->m_gridTables->SetCellText(QStringLiteral("T%1").arg(t));
        }
        state.ResumeTiming();
        for (int t = 0; t < 5; ++t)
            dlg->OnSelectAll(t);
        dlg->OnOK();
        benchmark::DoNotOptimize(g_columnSelected[4][kMaxColumns - 1]);
        state.PauseTiming();
        delete dlg;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_JoinSelectAllAndOk)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
