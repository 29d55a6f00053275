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

namespace {

using tavrin::CSubstitutionSet;
using Reuse = CSubstitutionSet::PatternReuse;

constexpr int kLines = 20000;

std::string WriteCorpus() {
    std::string path = (std::filesystem::temp_directory_path() / "tavrin-bench.tpl").string();
    tavrin::platform::WriteTextFile(path, tavrin::bench::MakeTemplate(kLines));
    return path;
}

void ExpandFile(benchmark::State& state, Reuse reuse) {
    static const std::string input = WriteCorpus();
    const std::string output = input + ".out";
    for (auto _ : state) {
        CSubstitutionSet set;
        set.SetPatternReuse(reuse);
        for (const auto& [keyword, value] : tavrin::bench::CorpusKeywords()) {
            set.AddKeyword(keyword, value);
        }
        set.BeginGeneration();
        if (!set.ExpandFile(input, output)) {
            state.SkipWithError("expansion failed");
        }
        set.EndGeneration();
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(input)));
    std::remove(output.c_str());
}

void CompilePerPass(benchmark::State& state) {
    ExpandFile(state, Reuse::PerPass);
}
void ReusePerGeneration(benchmark::State& state) {
    ExpandFile(state, Reuse::PerGeneration);
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
