#include "engine/UnifiedDiff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "support/ApplyDiff.h"

namespace tavrin {
namespace {

TEST(UnifiedDiff, WritesHunksAsDiffDoes) {
    const struct {
        const char* name;
        std::string_view oldText;
        std::string_view newText;
        std::string_view expected;
    } cases[] = {
        {"equal", "a\nb\n", "a\nb\n", ""},
        {"one line changed, context cut at three", "1\n2\n3\n4\n5\n6\n7\n8\n9\n",
         "1\n2\n3\n4\nV\n6\n7\n8\n9\n",
         "--- o\n+++ n\n@@ -2,7 +2,7 @@\n 2\n 3\n 4\n-5\n+V\n 6\n 7\n 8\n"},
        {"changes far apart make two hunks", "a\n1\n2\n3\n4\n5\n6\n7\nb\n",
         "A\n1\n2\n3\n4\n5\n6\n7\nB\n",
         "--- o\n+++ n\n@@ -1,4 +1,4 @@\n-a\n+A\n 1\n 2\n 3\n@@ -6,4 +6,4 @@\n 5\n 6\n "
         "7\n-b\n+B\n"},
        {"into an empty file", "", "x\n", "--- o\n+++ n\n@@ -0,0 +1 @@\n+x\n"},
        {"everything removed", "x\ny\n", "", "--- o\n+++ n\n@@ -1,2 +0,0 @@\n-x\n-y\n"},
        {"only the line end differs, shown as it is", "a\r\nb\r\n", "a\r\nb\n",
         "--- o\n+++ n\n@@ -1,2 +1,2 @@\n a\r\n-b\r\n+b\n"},
        {"a last line without its line feed", "a\nb", "a\nb\n",
         "--- o\n+++ n\n@@ -1,2 +1,2 @@\n a\n-b\n\\ No newline at end of file\n+b\n"},
        {"lines that look like the header", "--- a\n+++ b\nc\n", "-- a\n++ b\nc\n",
         "--- o\n+++ n\n@@ -1,3 +1,3 @@\n---- a\n-+++ b\n+-- a\n+++ b\n c\n"},
        {"insertion after the last line names the line before", "a\nb\nc\nd\n", "a\nb\nc\nd\ne\n",
         "--- o\n+++ n\n@@ -2,3 +2,4 @@\n b\n c\n d\n+e\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UnifiedDiff(c.oldText, c.newText, "o", "n"), c.expected) << c.name;
        EXPECT_EQ(testing::ApplyUnifiedDiff(c.oldText, c.expected), std::string(c.newText))
            << c.name;
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
