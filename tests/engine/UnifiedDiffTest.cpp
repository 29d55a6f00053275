#include "engine/UnifiedDiff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <numeric>
#include <random>
#include <vector>

#include "support/ApplyDiff.h"
#include "support/TempDir.h"

namespace tavrin {
namespace {

// The cases, each with what it shows, are in the fixture.
TEST(UnifiedDiff, WritesHunksAsDiffDoes) {
    for (const std::vector<std::string>& c : testing::ReadCases("diff/cases.txt")) {
        ASSERT_EQ(c.size(), 3u) << c[0];
        EXPECT_EQ(UnifiedDiff(c[0], c[1], "o", "n"), c[2]) << c[0];
        EXPECT_EQ(testing::ApplyUnifiedDiff(c[0], c[2]), c[1]) << c[0];
    }
}

// The lines `numbers`, one "line N" each.
std::string Text(auto begin, auto end) {
    std::string text;
    for (auto number = begin; number != end; ++number) {
        text += "line " + std::to_string(*number) + "\n";
    }
    return text;
}

// Files whose lines moved about in bulk are compared in near linear time (the shortest
// difference would take quadratic time), and the difference still turns one into the other.
TEST(UnifiedDiff, StaysFastWhenManyLinesMove) {
    std::vector<int> numbers(100000);
    std::iota(numbers.begin(), numbers.end(), 0);
    const std::string first = Text(numbers.begin(), numbers.begin() + 40000);
    const std::string reversed = Text(numbers.rend() - 40000, numbers.rend());
    const std::string all = Text(numbers.begin(), numbers.end());
    std::shuffle(numbers.begin(), numbers.end(), std::mt19937(25));
    const std::string shuffled = Text(numbers.begin(), numbers.end());
    const auto start = std::chrono::steady_clock::now();
    for (const auto& [from, to] : {std::pair(&first, &reversed), std::pair(&all, &shuffled)}) {
        EXPECT_EQ(testing::ApplyUnifiedDiff(*from, UnifiedDiff(*from, *to, "o", "n")), *to);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

// Random texts over a few distinct lines (each side has one the other lacks, which the search
// leaves out): the diff must turn the old text into the new one and change no more lines than
// a shortest edit needs, the lines of both less twice a longest common subsequence.
TEST(UnifiedDiff, IsCorrectAndMinimalOnRandomTexts) {
    std::mt19937 random(15);
    for (int round = 0; round < 400; ++round) {
        std::vector<int> a(random() % 30), b(random() % 30);
        std::generate(a.begin(), a.end(), [&] { return random() % 5; });
        std::generate(b.begin(), b.end(), [&] { return 1 + random() % 5; });
        std::vector<std::vector<std::size_t>> lcs(a.size() + 1,
                                                  std::vector<std::size_t>(b.size() + 1));
        for (std::size_t i = 1; i <= a.size(); ++i) {
            for (std::size_t j = 1; j <= b.size(); ++j) {
                lcs[i][j] = a[i - 1] == b[j - 1] ? lcs[i - 1][j - 1] + 1
                                                 : std::max(lcs[i - 1][j], lcs[i][j - 1]);
            }
        }
        const std::string before = Text(a.begin(), a.end()), after = Text(b.begin(), b.end());
        const std::string diff = UnifiedDiff(before, after, "o", "n", round % 4);
        ASSERT_EQ(testing::ApplyUnifiedDiff(before, diff), after) << diff;
        std::size_t changed = 0;
        for (std::size_t pos = 0; (pos = diff.find('\n', pos)) != std::string::npos; ++pos) {
            const char kind = pos + 1 < diff.size() ? diff[pos + 1] : ' ';
            changed += (kind == '-' || kind == '+') && diff.compare(pos + 1, 4, "+++ ") != 0;
        }
        EXPECT_EQ(changed, a.size() + b.size() - 2 * lcs[a.size()][b.size()]) << diff;
    }
}

}  // namespace
}  // namespace tavrin
