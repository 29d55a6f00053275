// The benchmarks, and the inputs bench/compare gives to perl and grep:
//   tavrin_bench --write-template FILE | --write-script FILE
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>

#include "BenchFiles.h"
#include "ResourceCorpus.h"
#include "TemplateCorpus.h"
#include "platform/TextFile.h"

namespace tavrin::bench {

std::string WriteBenchFile(std::string_view name, std::string_view bytes) {
    std::string path = (std::filesystem::temp_directory_path() / name).string();
    platform::WriteFileAtomically(path, bytes);
    return path;
}

}  // namespace tavrin::bench

int main(int argc, char** argv) {
    using namespace tavrin;
    if (argc == 3 && std::strcmp(argv[1], "--write-template") == 0) {
        return platform::WriteTextFile(argv[2], bench::MakeTemplate(bench::kTemplateLines)) ? 0 : 1;
    }
    if (argc == 3 && std::strcmp(argv[1], "--write-script") == 0) {
        return platform::WriteFileAtomically(argv[2],
                                             bench::MakeResourceScript(bench::kScriptLines))
                   ? 0
                   : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
