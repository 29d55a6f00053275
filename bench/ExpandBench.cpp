// Expansion throughput, with patterns compiled afresh for every line and once per generation.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "BenchFiles.h"
#include "TemplateCorpus.h"
#include "engine/SubstitutionSet.h"
#include "support/PerPassSubstitutionSet.h"

namespace {

using tavrin::CSubstitutionSet;

template <typename Set>
void ExpandFile(benchmark::State& state) {
    static const std::string input = tavrin::bench::WriteBenchFile(
        "tavrin-bench.tpl", tavrin::bench::MakeTemplate(tavrin::bench::kTemplateLines));
    const std::string output = input + ".out";
    for (auto _ : state) {
        Set set;
        for (const auto& [keyword, value] : tavrin::bench::CorpusKeywords()) {
            set.AddKeyword(keyword, value);
        }
        const CSubstitutionSet::Generation generation(set);
        if (!set.ExpandFile(input, output)) {
            state.SkipWithError("expansion failed");
        }
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(input)));
    std::remove(output.c_str());
}

void CompilePerPass(benchmark::State& state) {
    ExpandFile<tavrin::testing::CPerPassSubstitutionSet>(state);
}
void ReusePerGeneration(benchmark::State& state) {
    ExpandFile<CSubstitutionSet>(state);
}

BENCHMARK(CompilePerPass)->Unit(benchmark::kMillisecond);
BENCHMARK(ReusePerGeneration)->Unit(benchmark::kMillisecond);

}  // namespace
