#include "engine/SubstitutionSet.h"

#include <gtest/gtest.h>

#include "platform/Faults.h"
#include "support/TempDir.h"

namespace tavrin {
namespace {

using testing::MaskGuids;
using testing::ReadFixture;
using testing::TempDir;
using Generation = CSubstitutionSet::Generation;
namespace faults = platform::faults;

// The cases, each with what it shows, are in the fixture.
TEST(SubstitutionSet, ReplacesAsTheRulesSay) {
    for (const std::vector<std::string>& c : testing::ReadCases("expand/lines.txt")) {
        ASSERT_EQ(c.size() % 2, 0u) << c[0];
        CSubstitutionSet set;
        for (std::size_t i = 0; i + 2 < c.size(); i += 2) {
            set.AddKeyword(c[i], c[i + 1]);
        }
        const Generation generation(set);
        EXPECT_EQ(set.ExpandLine(c[c.size() - 2]), c.back()) << c[c.size() - 2];
    }
    // A fixed line buffer would have cut a keyword across byte 8191 in two.
    CSubstitutionSet set;
    set.AddKeyword("$$K$$", "value");
    const Generation generation(set);
    const std::string after = std::string(20000, '\x82') + "\n";
    EXPECT_EQ(set.ExpandLine(std::string(8189, 'x') + "$$K$$" + after),
              std::string(8189, 'x') + "value" + after);
}

// Fixture template in, fixture bytes out.
TEST(SubstitutionSet, GoldenFiles) {
    for (const char* name : {"dialog_h", "source_lf", "empty"}) {
        TempDir dir;
        CSubstitutionSet set;
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

// Of two entries of one keyword only the first takes the new value; the second then replaces
// what the first leaves. Function entries are no keywords.
TEST(SubstitutionSet, SetKeywordValueTouchesOnlyTheFirstDeclaredEntry) {
    CSubstitutionSet set;
    set.AddKeyword("$$K$$", "one");
    set.AddKeyword("$$K$$", "two");
    set.SetKeywordValue("$$K$$", "[$$K$$]");
    set.SetKeywordValue("$$GUID()$$", "x");
    const Generation generation(set);
    EXPECT_EQ(set.ExpandLine("$$K$$"), "[two]");
    EXPECT_NE(set.ExpandLine("$$GUID()$$"), "x");
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
