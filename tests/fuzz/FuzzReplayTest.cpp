// Replays every input that once made a fuzzing target fail, kept under fixtures/fuzz/ in a
// folder named after the target, so that the ordinary tests guard against its return.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/FuzzTargets.h"

namespace tavrin::fuzz {
namespace {

namespace fs = std::filesystem;

using Target = int (*)(const std::uint8_t*, std::size_t);

const struct {
    const char* folder;
    Target target;
} kTargets[] = {
    {"ini_file", FuzzIniFile},
    {"template_table", FuzzTemplateTable},
    {"resource_scanner", FuzzResourceScanner},
    {"pattern_matcher", FuzzPatternMatcher},
    {"expand_line", FuzzExpandLine},
    {"cli_arguments", FuzzCliArguments},
    {"project_xml", FuzzProjectXml},
    {"unified_diff", FuzzUnifiedDiff},
};

TEST(FuzzReplay, EveryInputThatOnceFoundAFaultPasses) {
    const fs::path root = fs::path(TAVRIN_FIXTURES_DIR) / "fuzz";
    int replayed = 0;
    for (const auto& [folder, target] : kTargets) {
        std::error_code none;  // a target without a kept input has no folder
        for (const fs::directory_entry& file : fs::directory_iterator(root / folder, none)) {
            std::ifstream stream(file.path(), std::ios::binary);
            const std::string input((std::istreambuf_iterator<char>(stream)),
                                    std::istreambuf_iterator<char>());
            // A failure aborts the program, with the file's name on standard error.
            std::fprintf(stderr, "replaying %s\n", file.path().string().c_str());
            target(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0);
}

}  // namespace
}  // namespace tavrin::fuzz
