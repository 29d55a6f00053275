#include "engine/PatternMatcher.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace tavrin {
namespace {

// "begin-end" of the whole match and of every group ("-" for an unset one), counted from
// `from`; "none" when nothing matches, "gave-up" when the search hit its bound.
std::string Find(SubjectSearch& search, int groupCount, std::size_t from) {
    if (!search.Find(from)) {
        return search.GaveUp() ? "gave-up" : "none";
    }
    std::string out;
    for (int i = 0; i <= groupCount; ++i) {
        const MatchSpan span = search.Group(i);
        out += i > 0 ? " " : "";
        out += span.matched
                   ? std::to_string(span.begin - from) + "-" + std::to_string(span.end - from)
                   : "-";
    }
    return out;
}

// One search of a freshly compiled pattern; "!" when the pattern does not compile.
std::string Search(const std::string& pattern, const std::string& subject, bool jit = false) {
    const CompiledPatternPtr compiled = CompilePattern(pattern, jit);
    if (!compiled) {
        return "!";
    }
    SubjectSearch search(*compiled, subject);
    return Find(search, compiled->GroupCount(), 0);
}

// The cases, each with what it shows, are in the fixture.
TEST(PatternMatcherTest, MatchesAsTable) {
    for (const std::vector<std::string>& c : testing::ReadCases("pattern/matches.txt")) {
        ASSERT_EQ(c.size(), 3u) << c[0];
        for (bool jit : {false, true}) {
            EXPECT_EQ(Search(c[0], c[1], jit), c[2]) << c[0] << " on " << c[1] << " jit " << jit;
        }
    }
}

// A search from any byte equals a fresh search of the rest, as the fixture's head says.
TEST(PatternMatcherTest, ASearchFromAnyByteEqualsASearchOfTheRest) {
    std::map<std::string, std::vector<std::string>> lists;
    for (const std::vector<std::string>& c : testing::ReadCases("pattern/from-any-byte.txt")) {
        lists[c.at(0)].push_back(c.at(1));
    }
    ASSERT_EQ(lists.size(), 2u);
    for (const std::string& expression : lists["expression"]) {
        const std::string pattern = "/" + expression + "/k";
        for (bool jit : {false, true}) {
            const CompiledPatternPtr compiled = CompilePattern(pattern, jit);
            ASSERT_NE(compiled, nullptr) << pattern;
            for (const std::string& subject : lists["subject"]) {
                SubjectSearch search(*compiled, subject);
                for (std::size_t from = 0; from < subject.size(); ++from) {
                    EXPECT_EQ(Find(search, compiled->GroupCount(), from),
                              Search(pattern, subject.substr(from)))
                        << pattern << " from " << from << " of " << subject;
                }
            }
        }
    }
}

}  // namespace
}  // namespace tavrin
