// Expansion throughput. Also writes the benchmark's template for bench/compare:
//   tavrin_bench_expand --write-input FILE
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "TemplateCorpus.h"
#include "engine/SubstitutionSet.h"
#include "platform/TextFile.h"
#include "support/PerPassSubstitutionSet.h"

namespace {

using tavrin::CSubstitutionSet;

constexpr int kLines = 20000;

std::string WriteCorpus() {
    std::string path = (std::filesystem::temp_directory_path() / "tavrin-bench.tpl").string();
    tavrin::platform::WriteTextFile(path, tavrin::bench::MakeTemplate(kLines));
    return path;
}

template <typename Set>
void ExpandFile(benchmark::State& state) {
    static const std::string input = WriteCorpus();
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

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-input") == 0) {
        return tavrin::platform::WriteTextFile(argv[2], tavrin::bench::MakeTemplate(kLines)) ? 0
                                                                                             : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
