// Listing a definition folder of 10,000 files: the directory scan alone, and File > Open's
// whole listing into the main window's table list.
#include "app/DefinitionFolder.h"
#include "app/EditorDlg.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace
{

constexpr int kFiles = 10000;

// 10,000 definition files and a few others, made once.
const QString& definitionFolder()
{
    static QTemporaryDir dir;
    static const bool made = [] {
        for (int i = 0; i < kFiles; ++i) {
            // Not in name order on disk, upper and lower case endings.
            const int n = (i * 7919) % kFiles;
            QFile f(dir.filePath(QStringLiteral("TABLE_%1.%2")
                                     .arg(n, 5, 10, QLatin1Char('0'))
                                     .arg(n % 3 ? QStringLiteral("sql") : QStringLiteral("SQL"))));
            if (!f.open(QIODevice::WriteOnly))
                return false;
            f.write("CREATE TABLE T (A CHAR(1));\n");
        }
        for (int i = 0; i < 100; ++i) {
            QFile f(dir.filePath(QStringLiteral("note_%1.txt").arg(i)));
            if (!f.open(QIODevice::WriteOnly))
                return false;
        }
        return QDir(dir.path()).mkdir(QStringLiteral("sub.sql"));
    }();
    static const QString path = made ? dir.path() : QString();
    return path;
}

void BM_ScanFolder(benchmark::State& state)
{
    const QString folder = definitionFolder() + QLatin1Char('/');
    for (auto _ : state) {
        const QStringList names = quillon::ListDefinitionFiles(folder);
        if (names.size() != kFiles)
            state.SkipWithError("wrong count");
        benchmark::DoNotOptimize(names);
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_ScanFolder)->Unit(benchmark::kMillisecond);

void BM_OpenFolder(benchmark::State& state)
{
    const QString folder = definitionFolder();
    CEditorDlg dlg;
    const bool shown = state.range(0) != 0;
    if (shown)
        dlg.show();
    for (auto _ : state) {
        dlg.OpenFolder(folder);
        if (shown)
            QCoreApplication::processEvents(); // the list lays out and paints its items
        if (dlg.m_listTables->count() != kFiles)
            state.SkipWithError("wrong count");
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_OpenFolder)->Arg(0)->Arg(1)->ArgName("shown")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
