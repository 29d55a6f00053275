#include "engine/StringTable.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace tavrin {
namespace {

// Expected texts are written as code page 932 bytes, so that a wrong conversion (or a
// UTF-8 text leaking through) cannot pass.
constexpr std::string_view kNoTemplateSelected =  // テンプレートが選択されていません。
    "\x83\x65\x83\x93\x83\x76\x83\x8c\x81\x5b\x83\x67\x82\xaa\x91\x49\x91\xf0\x82\xb3\x82\xea"
    "\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1\x81\x42";

// ダイアログリソースＩＤが指定されていません。 -- full-width letters, and "ソ" whose trail
// byte is a backslash.
constexpr std::string_view kNoDialogResourceId =
    "\x83\x5f\x83\x43\x83\x41\x83\x8d\x83\x4f\x83\x8a\x83\x5c\x81\x5b\x83\x58\x82\x68\x82\x63"
    "\x82\xaa\x8e\x77\x92\xe8\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1\x81\x42";

TEST(StringTableTest, LoadsCodePage932Bytes) {
    EXPECT_EQ(LoadText(IDS_NO_TEMPLATE_SELECTED), kNoTemplateSelected);
    EXPECT_EQ(LoadText(505), kNoDialogResourceId);
    EXPECT_EQ(LoadText(IDS_APP_TITLE), "Tavrin");
}

TEST(StringTableTest, EveryIdHasItsText) {
    for (int id = IDS_ABOUTBOX; id <= IDS_APP_TITLE; ++id) {
        EXPECT_FALSE(LoadText(id).empty()) << id;
    }
}

TEST(StringTableTest, UnknownIdIsEmpty) {
    EXPECT_EQ(LoadText(499), "");
    EXPECT_EQ(LoadText(515), "");
    EXPECT_EQ(FormatString(-1, {"x"}), "");
}

TEST(StringTableTest, OverwriteQuestionNamesBothPaths) {
    // 派成クラスのヘッダ又はソースが存在します。 ... を上書きしますか?
    constexpr std::string_view kHead =
        "\x94\x68\x90\xac\x83\x4e\x83\x89\x83\x58\x82\xcc\x83\x77\x83\x62\x83\x5f\x96\x94\x82\xcd"
        "\x83\x5c\x81\x5b\x83\x58\x82\xaa\x91\xb6\x8d\xdd\x82\xb5\x82\xdc\x82\xb7\x81\x42";
    constexpr std::string_view kTail =
        "\x82\xf0\x8f\xe3\x8f\x91\x82\xab\x82\xb5\x82\xdc\x82\xb7\x82\xa9?";
    // C:\表示\InputDlg.h: the trail byte of 表 is a backslash.
    const std::string header = "C:\\\x95\x5c\x8e\xa6\\InputDlg.h";
    // A "%s" inside an insert must come out as it went in.
    const std::string source = "C:\\100%s\\%%\\InputDlg.cpp";

    const std::string expected =
        std::string(kHead) + "\n[" + header + "]\n[" + source + "]\n" + std::string(kTail);
    EXPECT_EQ(FormatString(IDS_CONFIRM_OVERWRITE, {header, source}), expected);
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
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FormatText(c.format, c.inserts), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace tavrin
