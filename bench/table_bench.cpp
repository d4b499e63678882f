// Engine benchmarks over tables made by tools/benchgen in KVILBO_BENCH_DIR:
//   scan.dbf  1,000,000 records, ten fields, every tenth deletion-flagged
//   memo.dbf    100,000 records with a memo each (and memo.fpt), same flags
// Work copies are made in the same folder, outside the timed parts.
#include "engine/dbf_table.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

using kvilbo::engine::TDbfTable;
namespace fs = std::filesystem;

namespace {

fs::path benchDir()
{
    const char *dir = std::getenv("KVILBO_BENCH_DIR");
    if (!dir)
        throw std::runtime_error("KVILBO_BENCH_DIR is not set (bench/run_benchmarks.sh sets it)");
    return dir;
}

void openOrThrow(TDbfTable &table, const fs::path &path, bool exclusive)
{
    if (!table.OpenDatabase(path.string(), exclusive, false))
        throw std::runtime_error(path.string() + ": " + table.lastMessage());
}

// Copies a table and its memo file (any extension case) to work names in the
// same folder, dropping what an earlier pack of the work copy left.
fs::path workCopy(const std::string &stem)
{
    const fs::path dir = benchDir();
    for (const auto &entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("work_" + stem + ".", 0) == 0)
            fs::remove(entry.path());
    }
    for (const auto &entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(stem + ".", 0) == 0 && name.find(".backup") == std::string::npos)
            fs::copy_file(entry.path(), dir / ("work_" + name), fs::copy_options::overwrite_existing);
    }
    return dir / ("work_" + stem + ".dbf");
}

// Shared opening reads record by record; exclusive opening may read ahead.
void BM_GetFScan(benchmark::State &state)
{
    TDbfTable table;
    openOrThrow(table, benchDir() / "scan.dbf", state.range(0) != 0);
    const int fields = table.fieldCount();
    std::int64_t values = 0;
    for (auto _ : state) {
        for (int r = 1; r <= table.RecCount(); ++r) {
            table.Go(r);
            for (int f = 1; f <= fields; ++f) {
                std::string value = table.GetF(f);
                benchmark::DoNotOptimize(value);
                ++values;
            }
        }
    }
    state.counters["records"] = table.RecCount();
    state.SetItemsProcessed(values);
}
BENCHMARK(BM_GetFScan)->Arg(0)->Arg(1)->ArgName("exclusive")->Unit(benchmark::kMillisecond)->Iterations(3);

// New cards one by one, each under the write claim and the OS lock.
void BM_AppendBlank10k(benchmark::State &state)
{
    const bool withValues = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path path = benchDir() / "append.dbf";
        {
            TDbfTable maker;
            maker.LagFelt("KORTNR", 'N', 8, 0, 0);
            maker.LagFelt("NAVN", 'C', 30, 0, 0);
            maker.LagDatabase(path.string(), 0);
        }
        TDbfTable table;
        openOrThrow(table, path, false);
        state.ResumeTiming();
        for (int i = 1; i <= 10000; ++i) {
            table.AppendBlank();
            if (withValues) {
                table.Store("KORTNR", std::to_string(i));
                table.Store("NAVN", "Kort nummer " + std::to_string(i));
                table.Write(false);
            }
        }
        state.PauseTiming();
        if (table.RecCount() != 10000)
            state.SkipWithError("appends were refused");
        table.closedatabase();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AppendBlank10k)->Arg(0)->Arg(1)->ArgName("with_values")->Unit(benchmark::kMillisecond)->Iterations(5);

void packBenchmark(benchmark::State &state, const std::string &stem)
{
    int kept = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path path = workCopy(stem);
        TDbfTable table;
        openOrThrow(table, path, true);
        state.ResumeTiming();
        table.Pack();
        state.PauseTiming();
        kept = table.RecCount();
        table.closedatabase();
        state.ResumeTiming();
    }
    state.counters["records_after"] = kept;
}

void BM_Pack1MNoMemo(benchmark::State &state)
{
    packBenchmark(state, "scan");
}
BENCHMARK(BM_Pack1MNoMemo)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Pack100kWithMemos(benchmark::State &state)
{
    packBenchmark(state, "memo");
}
BENCHMARK(BM_Pack100kWithMemos)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
