// Expansion throughput, with each pattern compiled once per generation.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "BenchFiles.h"
#include "TemplateCorpus.h"
#include "engine/SubstitutionSet.h"

namespace {

using tavrin::CSubstitutionSet;

void ExpandTemplate(benchmark::State& state) {
    static const std::string input = tavrin::bench::WriteBenchFile(
        "tavrin-bench.tpl", tavrin::bench::MakeTemplate(tavrin::bench::kTemplateLines));
    std::string output;
    for (auto _ : state) {
        CSubstitutionSet set;
        for (const auto& [keyword, value] : tavrin::bench::CorpusKeywords()) {
            set.AddKeyword(keyword, value);
        }
        const CSubstitutionSet::Generation generation(set);
        if (!set.ExpandTemplate(input, output)) {
            state.SkipWithError("expansion failed");
        }
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(input)));
}

BENCHMARK(ExpandTemplate)->Unit(benchmark::kMillisecond);

}  // namespace
