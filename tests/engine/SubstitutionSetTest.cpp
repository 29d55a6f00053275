#include "engine/SubstitutionSet.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

#include "platform/Faults.h"
#include "support/TempDir.h"

namespace tavrin {
namespace {

using testing::ReadFixture;
using testing::TempDir;
using Reuse = CSubstitutionSet::PatternReuse;

std::string GuidOf(const CSubstitutionSet& set) {
    return static_cast<const CGuidEntry&>(*set.FunctionEntries()[0]).m_guidText;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t pos = 0; !from.empty() && (pos = text.find(from, pos)) != std::string::npos;
         pos += to.size()) {
        text.replace(pos, from.size(), to);
    }
    return text;
}

struct Keyword {
    std::string_view keyword;
    std::string_view value;
};

struct LineCase {
    const char* name;
    std::vector<Keyword> keywords;
    std::string_view line;
    std::string_view expected;
};

// Every case runs with patterns compiled per pass and kept per generation: both must give
// the same bytes.
class ExpandLineTest : public ::testing::TestWithParam<Reuse> {};

TEST_P(ExpandLineTest, ReplacesAsTheRulesSay) {
    const LineCase cases[] = {
        {"every occurrence, exact case only",
         {{"$$SNAME$$", "CDialog"}},
         "$$SNAME$$ $$SNAME$$ $$sname$$\n",
         "CDialog CDialog $$sname$$\n"},
        {"a value holding its own keyword is inserted once",
         {{"$$X$$", "<$$X$$>"}},
         "$$X$$",
         "<$$X$$>"},
        {"later entries see earlier values, earlier ones do not see later values",
         {{"$$A$$", "$$B$$"}, {"$$B$$", "b"}, {"$$C$$", "$$A$$"}},
         "$$A$$ $$C$$",
         "b $$A$$"},
        {"a declared $$GUID()$$ takes the table's value",
         {{"$$GUID()$$", "fixed"}},
         "$$GUID()$$",
         "fixed"},
        {"LARGE upper-cases and turns dots into underscores",
         {{"$$HFILE$$", "my.dlg.h"}},
         "#define $$LARGE($$HFILE$$)$$_H\n",
         "#define MY_DLG_H_H\n"},
        {"an empty LARGE gives nothing", {{"$$Z$$", "z"}}, "[$$LARGE()$$]", "[]"},
        {"two LARGE on one line are one greedy match",
         {{"$$Z$$", "z"}},
         "$$LARGE(a.b)$$ x $$LARGE(c)$$",
         "A_B)$$ X $$LARGE(C"},
        {"LARGE whose end is on another line stays",
         {{"$$Z$$", "z"}},
         "$$LARGE(a\n",
         "$$LARGE(a\n"},
        {"LARGE keeps both bytes of a double-byte character with a trail in a..z",
         {{"$$Z$$", "z"}},
         "$$LARGE(\x83\x61x.\x82\xa0)$$",
         "\x83\x61X_\x82\xa0"},
        {"no match inside a double-byte character whose trail byte is the keyword",
         {{"A", "!"}, {"\\", "/"}},
         "\x83\x41 A \x83\x5c \\",
         "\x83\x41 ! \x83\x5c /"},
        {"a double-byte keyword, trail byte 0x5C, is matched as itself",
         {{"$$\x95\x5c$$", "table"}},
         "[$$\x95\x5c$$]",
         "[table]"},
        {"unescaped metacharacters keep their meaning",
         {{"$$A+$$", "a"}},
         "$$AAA$$ $$A+$$",
         "a $$A+$$"},
        {"a keyword that is no valid expression changes nothing", {{"+x", "y"}}, "+x", "+x"},
        {"a keyword that matches empty text still ends, character by character",
         {{"x?", "-"}},
         "ax\x83\x41",
         "-a--\x83\x41"},
        {"NUL bytes are data and nothing after them is lost",
         {{"$$D$$", "d"}},
         std::string_view("\0$$D$$\0x\n", 9),
         std::string_view("\0d\0x\n", 5)},
    };
    for (const LineCase& c : cases) {
        CSubstitutionSet set;
        set.SetPatternReuse(GetParam());
        for (const Keyword& k : c.keywords) {
            set.AddKeyword(k.keyword, k.value);
        }
        set.BeginGeneration();
        EXPECT_EQ(set.ExpandLine(c.line), c.expected) << c.name;
        set.EndGeneration();
    }
}

TEST_P(ExpandLineTest, LongLinesAreExpandedWhole) {
    CSubstitutionSet set;
    set.SetPatternReuse(GetParam());
    set.AddKeyword("$$K$$", "value");
    set.BeginGeneration();
    // A keyword that straddles byte 8191 would have been cut in two by a fixed line buffer.
    std::string line = std::string(8189, 'x') + "$$K$$" + std::string(20000, '\x82') + "\n";
    std::string expected = std::string(8189, 'x') + "value" + std::string(20000, '\x82') + "\n";
    EXPECT_EQ(set.ExpandLine(line), expected);
    set.EndGeneration();
}

TEST(SubstitutionSet, SetKeywordValueTouchesOnlyTheFirstDeclaredEntry) {
    CSubstitutionSet set;
    set.AddKeyword("$$K$$", "one");
    set.AddKeyword("$$K$$", "two");
    set.SetKeywordValue("$$K$$", "set");
    set.SetKeywordValue("$$MISSING$$", "x");
    set.SetKeywordValue("$$GUID()$$", "x");  // function entries are not keywords
    ASSERT_EQ(set.KeywordEntries().size(), 2u);
    EXPECT_EQ(set.KeywordEntries()[0]->m_value, "set");
    EXPECT_EQ(set.KeywordEntries()[1]->m_value, "two");
    set.BeginGeneration();
    EXPECT_NE(set.ExpandLine("$$GUID()$$"), "x");
    set.EndGeneration();
}

TEST(SubstitutionSet, EscapingNeverSplitsADoubleByteCharacter) {
    EXPECT_EQ(CSubstitutionSet::EscapePattern("$$GUID()$$"), "\\$\\$GUID\\(\\)\\$\\$");
    EXPECT_EQ(CSubstitutionSet::EscapePattern("a+?^{}|*./[]\\"), "a+?^{}|\\*\\.\\/\\[\\]\\\\");
    EXPECT_EQ(CSubstitutionSet::EscapePattern("\x83\x5c$\x95\x5c"), "\x83\x5c\\$\x95\x5c");
}

TEST(GuidEntry, OneTextPerGenerationInTheWindowsShapeWithUnderscores) {
    CSubstitutionSet set;
    set.AddKeyword("$$K$$", "");
    set.BeginGeneration();
    std::string first = set.ExpandLine("$$GUID()$$");
    EXPECT_EQ(set.ExpandLine("$$GUID()$$"), first);
    set.EndGeneration();
    EXPECT_TRUE(std::regex_match(
        first, std::regex("[0-9A-F]{8}_[0-9A-F]{4}_[0-9A-F]{4}_[0-9A-F]{4}_[0-9A-F]{12}")))
        << first;
    set.BeginGeneration();
    EXPECT_NE(set.ExpandLine("$$GUID()$$"), first);
    set.EndGeneration();
}

TEST(GuidEntry, NoGuidToBeHadGivesNothing) {
    CSubstitutionSet set;
    set.AddKeyword("$$K$$", "");
    platform::faults::ScopedFault fault(platform::faults::Call::Random);
    set.BeginGeneration();
    EXPECT_EQ(set.ExpandLine("[$$GUID()$$]"), "[]");
    set.EndGeneration();
}

// Fixture template in, fixture bytes out; the generation's GUID is written as <GUID>.
TEST_P(ExpandLineTest, GoldenFiles) {
    const char* names[] = {"dialog_h", "source_lf", "empty"};
    for (const char* name : names) {
        TempDir dir;
        CSubstitutionSet set;
        set.SetPatternReuse(GetParam());
        set.AddKeyword("$$SNAME$$", "");
        set.AddKeyword("$$DNAME$$", "");
        set.AddKeyword("$$HFILE$$", "");
        set.AddKeyword("$$CPPFILE$$", "");
        set.AddKeyword("$$DDID$$", "");
        set.AddKeyword("$$AUTHOR$$", "\x8e\x52\x93\x63\x81\x40\x91\xbe\x98\x59");
        set.SetKeywordValue("$$SNAME$$", "CDialog");
        set.SetKeywordValue("$$DNAME$$", "CAboutDlg");
        set.SetKeywordValue("$$HFILE$$", "AboutDlg.h");
        set.SetKeywordValue("$$CPPFILE$$", "AboutDlg.cpp");
        set.SetKeywordValue("$$DDID$$", "IDD_ABOUTBOX");
        set.BeginGeneration();
        std::string tpl = std::string(TAVRIN_FIXTURES_DIR) + "/expand/" + name + ".tpl";
        ASSERT_TRUE(set.ExpandFile(tpl, dir.File("out"))) << name;
        EXPECT_EQ(ReplaceAll(dir.Read("out"), GuidOf(set), "<GUID>"),
                  ReadFixture(std::string("expand/") + name + ".expected"))
            << name;
        set.EndGeneration();
    }
}

TEST(ExpandFile, FailuresLeaveTheOutputAsItWas) {
    TempDir dir;
    dir.Write("t.tpl", "$$K$$\n");
    dir.Write("out.h", "old");
    CSubstitutionSet set;
    set.AddKeyword("$$K$$", "new");
    set.BeginGeneration();

    EXPECT_FALSE(set.ExpandFile(dir.File("missing.tpl"), dir.File("fresh.h")));
    EXPECT_FALSE(dir.Exists("fresh.h"));
    EXPECT_FALSE(set.ExpandFile(dir.File("t.tpl"), dir.File("no/folder/out.h")));
    {
        platform::faults::ScopedFault fullDisk(platform::faults::Call::Write);
        EXPECT_FALSE(set.ExpandFile(dir.File("t.tpl"), dir.File("out.h")));
    }
    {
        platform::faults::ScopedFault closeFails(platform::faults::Call::Close);
        EXPECT_FALSE(set.ExpandFile(dir.File("t.tpl"), dir.File("out.h")));
    }
    {
        platform::faults::ScopedFault readFails(platform::faults::Call::Read);
        EXPECT_FALSE(set.ExpandFile(dir.File("t.tpl"), dir.File("out.h")));
    }
    EXPECT_EQ(dir.Read("out.h"), "old");
    EXPECT_EQ(dir.List(), "out.h t.tpl");

    EXPECT_TRUE(set.ExpandFile(dir.File("t.tpl"), dir.File("out.h")));
    EXPECT_EQ(dir.Read("out.h"), "new\r\n");
    set.EndGeneration();
}

INSTANTIATE_TEST_SUITE_P(BothReuseModes, ExpandLineTest,
                         ::testing::Values(Reuse::PerPass, Reuse::PerGeneration));

}  // namespace
}  // namespace tavrin
