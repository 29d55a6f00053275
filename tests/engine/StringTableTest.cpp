#include "engine/StringTable.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

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

struct FormatCase {
    const char* name;
    std::string_view format;
    std::initializer_list<std::string_view> inserts;
    std::string_view expected;
};

TEST(StringTableTest, FormatTextFillsLikePrintfS) {
    const FormatCase cases[] = {
        {"in order", "[%s]-[%s]", {"a", "b"}, "[a]-[b]"},
        {"percent pair", "100%% [%s]", {"x"}, "100% [x]"},
        {"missing insert gives nothing", "[%s][%s]", {"a"}, "[a][]"},
        {"extra inserts ignored", "[%s]", {"a", "b"}, "[a]"},
        {"other directive kept", "%d%s", {"a"}, "%da"},
        {"trailing percent kept", "50%", {}, "50%"},
        {"empty insert", "[%s]", {""}, "[]"},
        {"inserts are not formats", "[%s][%s]", {"100%s", "%%"}, "[100%s][%%]"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FormatText(c.format, c.inserts), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace tavrin
