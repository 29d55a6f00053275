#include "engine/StringTable.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "support/TempDir.h"

namespace tavrin {
namespace {

// Expected texts are written as code page 932 bytes, so that a wrong conversion (or a
// UTF-8 text leaking through) cannot pass.
// ダイアログリソースＩＤが指定されていません。 -- full-width letters, and "ソ" whose trail
// byte is a backslash.
constexpr std::string_view kNoDialogResourceId =
    "\x83\x5f\x83\x43\x83\x41\x83\x8d\x83\x4f\x83\x8a\x83\x5c\x81\x5b\x83\x58\x82\x68\x82\x63"
    "\x82\xaa\x8e\x77\x92\xe8\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1\x81\x42";

TEST(StringTableTest, LoadsCodePage932Bytes) {
    EXPECT_EQ(LoadText(505), kNoDialogResourceId);
    EXPECT_EQ(LoadText(IDS_APP_TITLE), "Tavrin");
}

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
