#include "engine/PatternMatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Mbcs.h"
#include "support/TempDir.h"

namespace tavrin {
namespace {

using namespace std::string_literals;

std::string Span(bool matched, std::size_t begin, std::size_t end) {
    return matched ? std::to_string(begin) + "-" + std::to_string(end) : "-";
}

// "begin-end" of the whole match and of every group ("-" for an unset one), or "none".
std::string Describe(const CompiledPattern& pattern, const char* base) {
    std::string out;
    for (int i = 0; i <= pattern.GroupCount(); ++i) {
        const char* begin = pattern.MatchBegin(i);
        out += i > 0 ? " " : "";
        out += begin != nullptr ? Span(true, begin - base, pattern.MatchEnd(i) - base) : "-";
    }
    return out;
}

std::string Describe(const SubjectSearch& search, int groupCount, std::size_t shift) {
    std::string out;
    for (int i = 0; i <= groupCount; ++i) {
        const MatchSpan span = search.Group(i);
        out += (i > 0 ? " " : "") + Span(span.matched, span.begin - shift, span.end - shift);
    }
    return out;
}

// One BMatch with a fresh handle; "!" when the pattern does not compile.
std::string Search(const std::string& pattern, const std::string& subject) {
    CompiledPattern* handle = nullptr;
    const char* begin = subject.data();
    const int found = BMatch(pattern, begin, begin + subject.size(), &handle);
    if (handle == nullptr) {
        return "!";
    }
    std::string result = found != 0 ? Describe(*handle, begin) : "none";
    BRegfree(handle);
    return result;
}

// The cases, each with what it shows, are in the fixture.
TEST(PatternMatcherTest, MatchesAsTable) {
    for (const std::vector<std::string>& c : testing::ReadCases("pattern/matches.txt")) {
        ASSERT_EQ(c.size(), 3u) << c[0];
        EXPECT_EQ(Search(c[0], c[1]), c[2]) << c[0] << " on " << c[1];
    }
}

// Every search from a character boundary must equal a fresh BMatch of the rest: "^" and
// look-behind see the boundary as the start.
TEST(PatternMatcherTest, FindAgreesWithBMatchOnTheRest) {
    const std::string subject = "ab\x83\x41-Ab\x81\x40@A\n";
    for (const std::string pattern :
         {"/\\w+/k", "/^./k", "/(?<=a)b/k", "/A|(\x83\x41)|@/k", "/\\x{8341}*/k", "/.$/k"}) {
        const CompiledPatternPtr compiled = CompilePattern(pattern, true);
        ASSERT_NE(compiled, nullptr) << pattern;
        SubjectSearch search(*compiled, subject);
        for (std::size_t from = 0; from < subject.size(); from += mbcs::CharLength(subject, from)) {
            const std::string rest = subject.substr(from);
            const std::string found =
                search.Find(from) ? Describe(search, compiled->GroupCount(), from) : "none";
            EXPECT_EQ(found, Search(pattern, rest)) << pattern << " from " << from;
        }
    }
}

// An ASCII subject behind a double-byte prefix is searched through the mapped units, the bare
// subject through the byte code of the same expression; both must give the same answers.
TEST(PatternMatcherTest, AsciiShortcutAgreesWithMappedSearch) {
    const std::vector<std::string> subjects = {"a", "ab\n", "xaab b12_\n", "a\0b"s, "\n\n", "ba"};
    for (const char* expression :
         {"a",       "a*",      "^a",      "b$",    "\\w+",  "\\W",     ".*",
          "(a)|(b)", "(?<=a)b", "\\bx",    "a?",    "[^a]+", "\\d{2,}", "(a+)(b*)\\n",
          "$",       "\\z",     "\\x{62}", "(?i)A", "\\s",   "(?=b)"}) {
        const std::string pattern = "/"s + expression + "/k";
        const CompiledPatternPtr compiled = CompilePattern(pattern);
        ASSERT_NE(compiled, nullptr) << pattern;
        for (const std::string& subject : subjects) {
            const std::string mapped = "\x83\x41" + subject;
            SubjectSearch search(*compiled, mapped);
            const std::string found =
                search.Find(2) ? Describe(search, compiled->GroupCount(), 2) : "none";
            EXPECT_EQ(found, Search(pattern, subject)) << pattern << " on " << subject;
        }
    }
}

// Every search is bounded: one that would backtrack for hours gives up quickly and says so,
// compiled to machine code or not, in byte and in double-byte mode.
TEST(PatternMatcherTest, ASearchThatBacktracksWithoutEndGivesUp) {
    const std::string subject = std::string(64, 'a') + "b x";
    for (bool jit : {false, true}) {
        for (const char* text : {"/a+a+a+a+a+a+a+a+a+a+a+a+x/", "/a+a+a+a+a+a+a+a+a+a+a+a+x/k"}) {
            const CompiledPatternPtr pattern = CompilePattern(text, jit);
            ASSERT_NE(pattern, nullptr);
            SubjectSearch search(*pattern, subject);
            EXPECT_FALSE(search.Find(0)) << text;
            EXPECT_TRUE(search.GaveUp()) << text;
            const std::string enough = std::string(12, 'a') + "x";
            SubjectSearch easy(*pattern, enough);
            EXPECT_TRUE(easy.Find(0));
            EXPECT_FALSE(easy.GaveUp());
        }
    }
}

}  // namespace
}  // namespace tavrin
