#include "engine/SubstitutionSet.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/Faults.h"
#include "support/PerPassSubstitutionSet.h"
#include "support/TempDir.h"

namespace tavrin {
namespace {

using testing::MaskGuids;
using testing::ReadFixture;
using testing::TempDir;
using Generation = CSubstitutionSet::Generation;
namespace faults = platform::faults;

// Every case runs on the engine's set, which keeps patterns per generation and passes over
// lines without a keyword, and on the oracle that compiles per pass: both must give the same
// bytes.
class ExpandTest : public ::testing::TestWithParam<bool> {
protected:
    CSubstitutionSet& Set(
        std::initializer_list<std::pair<std::string_view, std::string_view>> keywords) {
        if (GetParam()) {
            m_set = std::make_unique<testing::CPerPassSubstitutionSet>();
        } else {
            m_set = std::make_unique<CSubstitutionSet>();
        }
        for (const auto& [keyword, value] : keywords) {
            m_set->AddKeyword(keyword, value);
        }
        return *m_set;
    }
    std::unique_ptr<CSubstitutionSet> m_set;
};

TEST_P(ExpandTest, ReplacesAsTheRulesSay) {
    const struct {
        std::initializer_list<std::pair<std::string_view, std::string_view>> keywords;
        std::string line, expected;
    } cases[] = {
        // Every occurrence, exact case only; a value holding its own keyword is inserted once.
        {{{"$$S$$", "CDialog"}}, "$$S$$ $$S$$ $$s$$\n", "CDialog CDialog $$s$$\n"},
        {{{"$$X$$", "<$$X$$>"}}, "$$X$$", "<$$X$$>"},
        // Later entries see earlier values, earlier ones do not see later values.
        {{{"$$A$$", "$$B$$"}, {"$$B$$", "b"}, {"$$C$$", "$$A$$"}}, "$$A$$ $$C$$", "b $$A$$"},
        {{{"$$GUID()$$", "fixed"}}, "$$GUID()$$", "fixed"},  // a declared one takes its value
        // LARGE upper-cases and turns dots into underscores; two on a line are one greedy
        // match; a double-byte character with a trail byte in a..z keeps both bytes.
        {{{"$$HFILE$$", "my.dlg.h"}}, "#define $$LARGE($$HFILE$$)$$_H\n", "#define MY_DLG_H_H\n"},
        {{}, "$$LARGE(a.b)$$ x $$LARGE(c)$$", "A_B)$$ X $$LARGE(C"},
        {{}, "$$LARGE(\x83\x61x.\x82\xa0)$$", "\x83\x61X_\x82\xa0"},
        // No match inside a double-byte character whose trail byte is the keyword; a
        // double-byte keyword whose trail byte is 0x5C is matched as itself.
        {{{"A", "!"}, {"\\", "/"}}, "\x83\x41 A \x83\x5c \\", "\x83\x41 ! \x83\x5c /"},
        {{{"$$\x95\x5c$$", "table"}}, "[$$\x95\x5c$$]", "[table]"},
        // Where a character starts can only be told from the start of the line: 83 83 is one
        // character, so the A after it is one of its own; after 83 83 83 it is a trail byte.
        {{{"A", "!"}}, "\x83\x83\x41 \x83\x83\x83\x41", "\x83\x83! \x83\x83\x83\x41"},
        // The search goes on after a replaced keyword, never inside it.
        {{{"$$A$$", "x"}}, "$$A$$A$$ $$A$$", "xA$$ x"},
        // Unescaped metacharacters keep their meaning; no valid expression changes nothing.
        {{{"$$A+$$", "a"}}, "$$AAA$$ $$A+$$", "a $$A+$$"},
        {{{"+x", "y"}}, "+x", "+x"},
        // A keyword that matches empty text still ends, character by character.
        {{{"x?", "-"}}, "ax\x83\x41", "-a--\x83\x41"},
        // NUL bytes are data, and nothing after them is lost.
        {{{"$$D$$", "d"}}, std::string("\0$$D$$\0x\n", 9), std::string("\0d\0x\n", 5)},
        // A fixed line buffer would have cut a keyword across byte 8191 in two.
        {{{"$$K$$", "value"}},
         std::string(8189, 'x') + "$$K$$" + std::string(20000, '\x82') + "\n",
         std::string(8189, 'x') + "value" + std::string(20000, '\x82') + "\n"},
    };
    for (const auto& c : cases) {
        CSubstitutionSet& set = Set(c.keywords);
        const Generation generation(set);
        EXPECT_EQ(set.ExpandLine(c.line), c.expected) << c.line.substr(0, 40);
    }
}

// Fixture template in, fixture bytes out.
TEST_P(ExpandTest, GoldenFiles) {
    for (const char* name : {"dialog_h", "source_lf", "empty"}) {
        TempDir dir;
        CSubstitutionSet& set = Set({{"$$SNAME$$", "CDialog"},
                                     {"$$DNAME$$", "CAboutDlg"},
                                     {"$$HFILE$$", "AboutDlg.h"},
                                     {"$$CPPFILE$$", "AboutDlg.cpp"},
                                     {"$$DDID$$", "IDD_ABOUTBOX"},
                                     {"$$AUTHOR$$", "\x8e\x52\x93\x63\x81\x40\x91\xbe\x98\x59"}});
        const Generation generation(set);
        std::string tpl = std::string(TAVRIN_FIXTURES_DIR) + "/expand/" + name + ".tpl";
        ASSERT_TRUE(set.ExpandFile(tpl, dir.File("out"))) << name;
        EXPECT_EQ(MaskGuids(dir.Read("out")),
                  ReadFixture(std::string("expand/") + name + ".expected"))
            << name;
    }
}

INSTANTIATE_TEST_SUITE_P(EngineAndPerPassOracle, ExpandTest, ::testing::Bool());

TEST(SubstitutionSet, SetKeywordValueTouchesOnlyTheFirstDeclaredEntry) {
    CSubstitutionSet set;
    set.AddKeyword("$$K$$", "one");
    set.AddKeyword("$$K$$", "two");
    set.SetKeywordValue("$$K$$", "set");
    set.SetKeywordValue("$$GUID()$$", "x");  // function entries are not keywords
    EXPECT_EQ(set.KeywordEntries()[0]->m_value + "|" + set.KeywordEntries()[1]->m_value, "set|two");
    const Generation generation(set);
    EXPECT_NE(set.ExpandLine("$$GUID()$$"), "x");
}

TEST(SubstitutionSet, EscapingNeverSplitsADoubleByteCharacter) {
    EXPECT_EQ(CSubstitutionSet::EscapePattern("\x83\x5c$\x95\x5c"), "\x83\x5c\\$\x95\x5c");
}

TEST(GuidEntry, OneGuidPerGenerationAndNothingWithoutRandomness) {
    CSubstitutionSet set;
    std::string first;
    {
        const Generation generation(set);
        first = set.ExpandLine("$$GUID()$$");
        EXPECT_EQ(set.ExpandLine("$$GUID()$$"), first);
    }
    EXPECT_EQ(MaskGuids(first), "<GUID>");
    {
        const Generation generation(set);
        EXPECT_NE(set.ExpandLine("$$GUID()$$"), first);
    }
    faults::ScopedFault fault(faults::Call::Random);
    const Generation generation(set);
    EXPECT_EQ(set.ExpandLine("[$$GUID()$$]"), "[]");
}

TEST(ExpandFile, FailuresLeaveTheOutputAsItWas) {
    TempDir dir;
    dir.Write("t.tpl", "$$K$$\n");
    dir.Write("out.h", "old");
    CSubstitutionSet set;
    set.AddKeyword("$$K$$", "new");
    const Generation generation(set);

    EXPECT_FALSE(set.ExpandFile(dir.File("missing.tpl"), dir.File("fresh.h")));
    EXPECT_FALSE(set.ExpandFile(dir.File("t.tpl"), dir.File("no/folder/out.h")));
    for (faults::Call call : {faults::Call::Write, faults::Call::Close, faults::Call::Read}) {
        faults::ScopedFault fault(call);
        EXPECT_FALSE(set.ExpandFile(dir.File("t.tpl"), dir.File("out.h")));
    }
    EXPECT_EQ(dir.Read("out.h"), "old");
    EXPECT_EQ(dir.List(), "out.h t.tpl");

    EXPECT_TRUE(set.ExpandFile(dir.File("t.tpl"), dir.File("out.h")));
    EXPECT_EQ(dir.Read("out.h"), "new\r\n");
}

}  // namespace
}  // namespace tavrin
