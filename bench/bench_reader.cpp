// Reading definition files: a full-size table (242 columns, 10 keys) and a 10 MB file of
// column lines, the latter set against plainly reading the same file and counting its lines.
// The input files are written to a temporary folder when the program starts.
#include "EditorCore.h"
#include "settings/Settings.h"
#include "tabledef/TableStore.h"
#include "text/Encoding.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

namespace
{

QString g_dir;
QString g_fullTable;   // 242 columns, 10 keys, CP932 with Japanese comments
QString g_bigUtf8;     // 10 MB of column lines, UTF-8
QString g_bigCp932;    // the same lines in CP932
qint64 g_bigSize = 0;  // bytes of the UTF-8 file
qint64 g_bigLines = 0; // its line count

const char* const kTypes[] = {"VARCHAR2(40)", "CHAR(1)", "NUMBER(9,2)", "DATE"};
const char* const kComments[] = {"商品名", "区分", "単価", "登録日"};

QString columnLine(int j)
{
    return QStringLiteral("    COLUMN_%1  %2,  -- %3 %1\n")
        .arg(j, 6, 10, QLatin1Char('0'))
        .arg(QLatin1String(kTypes[j % 4]), QString::fromUtf8(kComments[j % 4]));
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray toCp932(const QString& text)
{
    QByteArray bytes;
    if (!quillon::encodeCp932(text, &bytes))
        std::fprintf(stderr, "bench_reader: text has no CP932 form\n");
    return bytes;
}

bool makeInputs()
{
    static QTemporaryDir dir;
    if (!dir.isValid())
        return false;
    g_dir = dir.path();

    // A full table: 10 key columns, 242 ordinary columns, comments and a key clause.
    QString full =
        QStringLiteral("-- 受注明細\nDROP TABLE FULL_TABLE;\nCREATE TABLE FULL_TABLE (\n");
    for (int k = 0; k < 10; ++k)
        full += QStringLiteral("    KEY_%1  VARCHAR2(10)  NOT NULL,  -- キー%1\n").arg(k);
    for (int j = 0; j < kMaxColumns; ++j)
        full += columnLine(j);
    full += QStringLiteral("    CONSTRAINT PK_FULL PRIMARY KEY (");
    for (int k = 0; k < 10; ++k)
        full += (k ? QStringLiteral(", KEY_%1") : QStringLiteral("KEY_%1")).arg(k);
    full += QStringLiteral(")\n);\nCOMMIT;\n");
    g_fullTable = g_dir + QStringLiteral("/FULL_TABLE.sql");
    if (!writeBytes(g_fullTable, toCp932(full)))
        return false;

    // 10 MB of column lines after one header; the store keeps the first 242.
    QString big = QStringLiteral("CREATE TABLE BIG (\n");
    big.reserve(11 * 1024 * 1024);
    for (int j = 0; big.size() < 10 * 1000 * 1000; ++j)
        big += columnLine(j);
    big += QStringLiteral(");\n");
    const QByteArray utf8 = big.toUtf8();
    g_bigSize = utf8.size();
    g_bigLines = utf8.count('\n');
    g_bigUtf8 = g_dir + QStringLiteral("/BIG_UTF8.sql");
    g_bigCp932 = g_dir + QStringLiteral("/BIG_CP932.sql");
    return writeBytes(g_bigUtf8, utf8) && writeBytes(g_bigCp932, toCp932(big));
}

void typeTable()
{
    ResetSettings();
    g_strTypeName[0] = QStringLiteral("VARCHAR2");
    g_strTypeName[1] = QStringLiteral("NUMBER");
    g_strTypeName[2] = QStringLiteral("CHAR");
    g_strTypeName[3] = QStringLiteral("DATE");
    g_nTypeProcCount = 4;
}

int readOnce(CEditorCore& core, const QString& path)
{
    core.m_strFilePath = path;
    return core.ReadDefinitionFile(0);
}

// Baselines: the same file read and its lines counted, in three plain ways: all bytes at
// once, std::getline, and decoded lines through QTextStream.
qint64 countLinesReadAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return f.readAll().count('\n');
}

qint64 countLinesGetline(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::string line;
    qint64 lines = 0;
    while (std::getline(in, line))
        ++lines;
    return lines;
}

qint64 countLinesTextStream(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    QTextStream in(&f);
    QString line;
    qint64 lines = 0;
    while (in.readLineInto(&line))
        ++lines;
    return lines;
}

// Best of a few runs of a baseline, in seconds.
template <typename F> double bestSeconds(F f)
{
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        benchmark::DoNotOptimize(f());
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    return best;
}

void BM_ReadFullTable(benchmark::State& state)
{
    typeTable();
    CEditorCore core;
    for (auto _ : state) {
        benchmark::DoNotOptimize(readOnce(core, g_fullTable));
    }
    if (g_columnCount[0] != kMaxColumns || g_keyColumnCount[0] != 10)
        state.SkipWithError("the full table was not read whole");
}
BENCHMARK(BM_ReadFullTable)->Unit(benchmark::kMicrosecond);

// The reader over 10 MB; the counters give its time as a multiple of each baseline.
void readBig(benchmark::State& state, const QString& path)
{
    typeTable();
    CEditorCore core;
    const double readAll = bestSeconds([&] { return countLinesReadAll(path); });
    const double getline = bestSeconds([&] { return countLinesGetline(path); });
    const double textStream = bestSeconds([&] { return countLinesTextStream(path); });
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) {
        benchmark::DoNotOptimize(readOnce(core, path));
    }
    const double perRead = timer.nsecsElapsed() / 1e9 / double(state.iterations());
    state.counters["x_readAll"] = perRead / readAll;
    state.counters["x_getline"] = perRead / getline;
    state.counters["x_textStream"] = perRead / textStream;
    state.counters["lines"] = double(g_bigLines);
    state.SetBytesProcessed(state.iterations() * g_bigSize);
    if (g_columnCount[0] != kMaxColumns)
        state.SkipWithError("the columns were not read");
}

void BM_Read10MbUtf8(benchmark::State& state)
{
    readBig(state, g_bigUtf8);
}
BENCHMARK(BM_Read10MbUtf8)->Unit(benchmark::kMillisecond);

void BM_Read10MbCp932(benchmark::State& state)
{
    readBig(state, g_bigCp932);
}
BENCHMARK(BM_Read10MbCp932)->Unit(benchmark::kMillisecond);

void BM_CountLines10MbReadAll(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(countLinesReadAll(g_bigUtf8));
    state.SetBytesProcessed(state.iterations() * g_bigSize);
}
BENCHMARK(BM_CountLines10MbReadAll)->Unit(benchmark::kMillisecond);

void BM_CountLines10MbGetline(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(countLinesGetline(g_bigUtf8));
    state.SetBytesProcessed(state.iterations() * g_bigSize);
}
BENCHMARK(BM_CountLines10MbGetline)->Unit(benchmark::kMillisecond);

void BM_CountLines10MbTextStream(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(countLinesTextStream(g_bigUtf8));
    state.SetBytesProcessed(state.iterations() * g_bigSize);
}
BENCHMARK(BM_CountLines10MbTextStream)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!makeInputs()) {
        std::fprintf(stderr, "bench_reader: cannot write the input files\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
