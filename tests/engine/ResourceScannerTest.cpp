#include "engine/ResourceScanner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/DialogDeclaration.h"
#include "engine/PatternMatcher.h"
#include "support/TempDir.h"

namespace tavrin {
namespace {

// The scripts and what each shows are in the fixture.
TEST(ResourceScannerTest, ListsDialogDeclarationsInFileOrder) {
    CResourceScanner scanner;
    for (const std::vector<std::string>& c : testing::ReadCases("rc/scans.txt")) {
        const std::vector<std::string> ids(c.begin() + 1, c.end());
        EXPECT_EQ(scanner.Scan(TAVRIN_FIXTURES_DIR "/rc/" + c[0]), !ids.empty()) << c[0];
        EXPECT_EQ(scanner.GetIds(), ids) << c[0];
    }
    EXPECT_FALSE(scanner.Scan(""));
}

// The rule as a byte-wise regular expression: the test must give the same answer on every
// line, only without the expression's backtracking.
constexpr std::string_view kOracle = "/\\w .*DIALOG(EX)? .*/";

TEST(DialogDeclarationTest, AgreesWithTheExpressionOnGeneratedLines) {
    const std::vector<std::string> pieces = testing::ReadCases("rc/declaration-pieces.txt").at(0);
    ASSERT_EQ(pieces.size(), 23u);
    std::mt19937 random(20261207);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    const std::size_t lengths[] = {0, 1, 3, 8, 20, 60, 200, 1000, 8192};
    const CompiledPatternPtr oracle = CompilePattern(kOracle);
    int declarations = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::size_t limit = lengths[static_cast<std::size_t>(round) % std::size(lengths)];
        std::string line;
        while (line.size() < limit) {
            line += pieces[pick(random)];
        }
        line.resize(limit);
        const bool expected = SubjectSearch(*oracle, line).Find(0);
        ASSERT_EQ(IsDialogDeclaration(line), expected) << '"' << line << '"';
        declarations += expected ? 1 : 0;
    }
    // Both answers must have come up often, or the comparison proves little.
    EXPECT_GT(declarations, 300);
    EXPECT_LT(declarations, 2700);
}

TEST(DialogDeclarationTest, LongLinesTakeLinearTime) {
    // Word-and-space pairs without a keyword after them made the expression try every pair
    // against the rest of the line: a megabyte line never finished.
    std::string pairs;
    for (int i = 0; i < 500000; ++i) {
        pairs += "a ";
    }
    std::string misses;
    for (int i = 0; i < 100000; ++i) {
        misses += "a DIALOGX ";
    }
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(IsDialogDeclaration(pairs));
    EXPECT_FALSE(IsDialogDeclaration(misses));
    EXPECT_TRUE(IsDialogDeclaration(pairs + "DIALOGEX "));
    EXPECT_TRUE(IsDialogDeclaration(misses + "DIALOG "));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    // Milliseconds even in a sanitizer build; the bound only has to tell linear from quadratic.
    EXPECT_LT(elapsed, std::chrono::seconds(1));
}

}  // namespace
}  // namespace tavrin
