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

// The cases, each with what it shows, are in the fixture.
TEST_P(ExpandTest, ReplacesAsTheRulesSay) {
    for (const std::vector<std::string>& c : testing::ReadCases("expand/lines.txt")) {
        ASSERT_EQ(c.size() % 2, 0u) << c[0];
        CSubstitutionSet& set = Set({});
        for (std::size_t i = 0; i + 2 < c.size(); i += 2) {
            set.AddKeyword(c[i], c[i + 1]);
        }
        const Generation generation(set);
        EXPECT_EQ(set.ExpandLine(c[c.size() - 2]), c.back()) << c[c.size() - 2];
    }
    // A fixed line buffer would have cut a keyword across byte 8191 in two.
    CSubstitutionSet& set = Set({{"$$K$$", "value"}});
    const Generation generation(set);
    const std::string after = std::string(20000, '\x82') + "\n";
    EXPECT_EQ(set.ExpandLine(std::string(8189, 'x') + "$$K$$" + after),
              std::string(8189, 'x') + "value" + after);
}

// Fixture template in, fixture bytes out.
TEST_P(ExpandTest, GoldenFiles) {
    for (const char* name : {"dialog_h", "source_lf", "empty"}) {
        TempDir dir;
        CSubstitutionSet& set = Set({});
        for (const std::vector<std::string>& keyword : testing::ReadCases("expand/keywords.txt")) {
            set.AddKeyword(keyword[0], keyword[1]);
        }
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
