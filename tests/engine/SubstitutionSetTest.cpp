#include "engine/SubstitutionSet.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/Faults.h"
#include "support/TempDir.h"

namespace tavrin {
namespace {

using testing::MaskGuids;
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
}

// Fixture template in, fixture bytes out; a template that cannot be read gives nothing.
// long_line has a keyword across byte 8191, which a fixed line buffer would have cut in two.
TEST(SubstitutionSet, GoldenFiles) {
    CSubstitutionSet set;
    for (const std::vector<std::string>& keyword : testing::ReadCases("expand/keywords.txt")) {
        set.AddKeyword(keyword[0], keyword[1]);
    }
    const Generation generation(set);
    for (const char* name : {"dialog_h", "source_lf", "empty", "long_line"}) {
        const std::string tpl = std::string(TAVRIN_FIXTURES_DIR) + "/expand/" + name + ".tpl";
        std::string bytes;
        ASSERT_TRUE(set.ExpandTemplate(tpl, bytes)) << name;
        EXPECT_EQ(MaskGuids(bytes),
                  testing::ReadFixture(std::string("expand/") + name + ".expected"));
        faults::ScopedFault fault(faults::Call::Read);
        EXPECT_FALSE(set.ExpandTemplate(tpl, bytes)) << name;
    }
}

// A run has one GUID (the command's cases check it in both files); the next has another, and
// without randomness there is none.
TEST(GuidEntry, OneGuidPerGenerationAndNothingWithoutRandomness) {
    CSubstitutionSet set;
    std::optional<Generation> generation(std::in_place, set);
    const std::string first = set.ExpandLine("$$GUID()$$");
    EXPECT_EQ(MaskGuids(first), "<GUID>");
    generation.emplace(set);  // the first ends before the next begins
    EXPECT_NE(set.ExpandLine("$$GUID()$$"), first);
    faults::ScopedFault fault(faults::Call::Random);
    generation.emplace(set);
    EXPECT_EQ(set.ExpandLine("[$$GUID()$$]"), "[]");
}

}  // namespace
}  // namespace tavrin
