#include "engine/UnifiedDiff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
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

// Files whose lines moved about in bulk are compared in near linear time (the shortest
// difference would take quadratic time), and the difference still turns one into the other.
TEST(UnifiedDiff, StaysFastWhenManyLinesMove) {
    std::vector<std::string> lines(100000);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        lines[i] = "line " + std::to_string(i) + "\n";
    }
    auto join = [](auto begin, auto end) {
        std::string text;
        for (auto line = begin; line != end; ++line) {
            text += *line;
        }
        return text;
    };
    const std::string first = join(lines.begin(), lines.begin() + 40000);
    const std::string reversed = join(lines.rend() - 40000, lines.rend());
    const std::string all = join(lines.begin(), lines.end());
    std::shuffle(lines.begin(), lines.end(), std::mt19937(25));
    const std::string shuffled = join(lines.begin(), lines.end());
    const auto start = std::chrono::steady_clock::now();
    for (const auto& [from, to] : {std::pair(&first, &reversed), std::pair(&all, &shuffled)}) {
        const std::string diff = UnifiedDiff(*from, *to, "o", "n");
        EXPECT_EQ(testing::ApplyUnifiedDiff(*from, diff), *to);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

// Length of a longest common subsequence of lines, the slow and obvious way.
std::size_t LcsLength(const std::vector<char>& a, const std::vector<char>& b) {
    std::vector<std::vector<std::size_t>> table(a.size() + 1,
                                                std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            table[i][j] = a[i - 1] == b[j - 1] ? table[i - 1][j - 1] + 1
                                               : std::max(table[i - 1][j], table[i][j - 1]);
        }
    }
    return table[a.size()][b.size()];
}

// Random texts over a few distinct lines: the diff must turn the old text into the new one
// and change no more lines than a shortest edit needs.
TEST(UnifiedDiff, IsCorrectAndMinimalOnRandomTexts) {
    std::mt19937 random(15);
    for (int round = 0; round < 400; ++round) {
        // Each side has a line the other lacks, which the search leaves out.
        auto make = [&](char first) {
            std::vector<char> lines(random() % 30);
            for (char& line : lines) {
                line = static_cast<char>(first + random() % 5);
            }
            return lines;
        };
        std::vector<char> a = make('a');
        std::vector<char> b = make('b');
        auto text = [](const std::vector<char>& lines) {
            std::string out;
            for (char line : lines) {
                out += std::string(1, line) + "\n";
            }
            return out;
        };
        std::string diff = UnifiedDiff(text(a), text(b), "o", "n", round % 4);
        std::optional<std::string> applied = testing::ApplyUnifiedDiff(text(a), diff);
        ASSERT_TRUE(applied.has_value()) << diff;
        ASSERT_EQ(*applied, text(b)) << diff;
        std::size_t changed = 0;
        for (std::size_t pos = 0; (pos = diff.find('\n', pos)) != std::string::npos; ++pos) {
            char kind = pos + 1 < diff.size() ? diff[pos + 1] : ' ';
            changed += (kind == '-' || kind == '+') && diff.compare(pos + 1, 4, "+++ ") != 0;
        }
        EXPECT_EQ(changed, a.size() + b.size() - 2 * LcsLength(a, b)) << diff;
    }
}

}  // namespace
}  // namespace tavrin
