#include "engine/StringTable.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "support/TempDir.h"

namespace tavrin {
namespace {

// Every message is numbered as the resource script numbers it; each text itself is checked
// where the programs show it (the Japanese CLI cases compare the messages word for word).
TEST(StringTableTest, EveryIdHasItsTextAndNoOtherHasOne) {
    for (int id = IDS_ABOUTBOX; id <= IDS_START_FOLDER_FAILED; ++id) {
        EXPECT_FALSE(LoadText(id).empty()) << id;
    }
    EXPECT_EQ(LoadText(IDS_ABOUTBOX - 1), "");
    EXPECT_EQ(LoadText(IDS_START_FOLDER_FAILED + 1), "");
    EXPECT_EQ(FormatString(-1, {"x"}), "");
}

// The cases, each with what it shows, are in the fixture.
TEST(StringTableTest, FormatTextFillsLikePrintfS) {
    for (const std::vector<std::string>& c : testing::ReadCases("strings/format.txt")) {
        const std::vector<std::string_view> inserts(c.begin() + 2, c.end());
        EXPECT_EQ(FormatText(c[0], inserts), c[1]) << c[0];
    }
}

}  // namespace
}  // namespace tavrin
