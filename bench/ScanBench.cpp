// Scanning a large resource script for its dialog IDs, and loading a large template table.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "BenchFiles.h"
#include "ResourceCorpus.h"
#include "engine/ResourceScanner.h"
#include "engine/TemplateTable.h"

namespace {

void ScanResourceScript(benchmark::State& state) {
    static const std::string script = tavrin::bench::WriteBenchFile(
        "tavrin-bench.rc", tavrin::bench::MakeResourceScript(tavrin::bench::kScriptLines));
    for (auto _ : state) {
        tavrin::CResourceScanner scanner;
        if (!scanner.Scan(script)) {
            state.SkipWithError("no dialog found");
        }
        benchmark::DoNotOptimize(scanner.GetIds().data());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(script)));
}

// Per template, so that the time of 200 and of 2,000 templates compare directly: equal when
// loading is linear.
void LoadTemplateTable(benchmark::State& state) {
    const int templates = static_cast<int>(state.range(0));
    const std::string table =
        tavrin::bench::WriteBenchFile("tavrin-bench-" + std::to_string(templates) + ".tbl",
                                      tavrin::bench::MakeTemplateTable(templates));
    for (auto _ : state) {
        tavrin::CTemplateTable loaded;
        loaded.SetFileName(table);
        if (!loaded.Load() || loaded.GetCount() != templates) {
            state.SkipWithError("table not loaded whole");
        }
    }
    state.SetItemsProcessed(state.iterations() * templates);
    std::filesystem::remove(table);
}

BENCHMARK(ScanResourceScript)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadTemplateTable)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace
