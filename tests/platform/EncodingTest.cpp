#include <gtest/gtest.h>

#include <algorithm>

#include "platform/CodePage.h"
#include "platform/FileStatus.h"
#include "platform/NativePath.h"
#include "support/TempDir.h"

namespace tavrin::platform {
namespace {

// "ソ" is 0x83 0x5C: its trail byte is the backslash.
constexpr std::string_view kSo = "\x83\x5c";
constexpr std::string_view kSoUtf8 = "\xe3\x82\xbd";

// A bad sequence becomes one "?"; trail bytes that are ASCII stay in their character.
TEST(CodePage, ReplacesOneCharacterPerSequenceItCannotConvert) {
    for (const std::vector<std::string>& c : testing::ReadCases("platform/code-page.txt")) {
        EXPECT_EQ(c.at(0) == "to-utf8" ? Cp932ToUtf8(c.at(1)) : Utf8ToCp932(c.at(1)), c.at(2))
            << c[0] << " " << c[1];
    }
    std::string utf8;
    ASSERT_TRUE(Cp932ToUtf8(std::string(kSo) + "\\x", utf8));
    EXPECT_EQ(utf8, std::string(kSoUtf8) + "\\x");
    EXPECT_FALSE(Cp932ToUtf8("\x83", utf8));  // a lead byte without its trail
}

// Broken UTF-16 (a lone surrogate, an odd byte) is caught through the files that hold it
// (TextEncodingTest); a character beyond the basic plane has no code page 932 form to show there.
TEST(CodePage, Utf16SurrogatePairsInBothByteOrders) {
    bool lossless = true;
    EXPECT_EQ(Utf16ToUtf8(std::string("\x3D\xD8\x00\xDE", 4), false, lossless), "\xF0\x9F\x98\x80");
    EXPECT_TRUE(lossless);
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80", true), std::string("\xD8\x3D\xDE\x00", 4));
}

TEST(NativePath, BackslashSeparatesButNeverInsideACharacter) {
    auto generic = [](const std::filesystem::path& path) {
        std::u8string text = path.generic_u8string();
        return std::string(text.begin(), text.end());
    };
    auto path = ToNativePath("tpl\\dialog_h.txt");
    ASSERT_TRUE(path);
    EXPECT_EQ(generic(*path), "tpl/dialog_h.txt");
    path = ToNativePath(std::string(kSo) + "\\a");
    ASSERT_TRUE(path);
    EXPECT_EQ(generic(*path), std::string(kSoUtf8) + "/a");
    EXPECT_FALSE(ToNativePath("bad\x83"));
    EXPECT_EQ(FromNativePath(testing::Utf8Path(std::string(kSoUtf8) + "/a")),
              std::string(kSo) + "/a");
}

// The cases are in the fixture, with "|" for the system's own separator.
TEST(NativePath, JoinPathPutsOneSeparatorBetweenFolderAndName) {
    for (std::vector<std::string> c : testing::ReadCases("names/join-path.txt")) {
        std::replace(c[1].begin(), c[1].end(), '|', kNativeSeparator);
        EXPECT_EQ(JoinPath(c[0], "a.h"), c[1]) << c[0];
    }
}

TEST(FileStatus, SeesFilesAndFoldersByTheirCp932Names) {
    testing::TempDir dir;
    dir.Write(std::string(kSoUtf8) + "/f.txt", "x");
    std::string folder = dir.Path() + "/" + std::string(kSo);
    EXPECT_TRUE(PathExists(folder));
    EXPECT_TRUE(IsDirectory(folder));
    EXPECT_TRUE(PathExists(folder + "\\f.txt"));
    EXPECT_FALSE(IsDirectory(folder + "\\f.txt"));
    EXPECT_FALSE(PathExists(folder + "\\g.txt"));
    EXPECT_FALSE(PathExists(""));
}

}  // namespace
}  // namespace tavrin::platform
