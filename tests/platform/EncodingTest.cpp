#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "platform/FileStatus.h"
#include "platform/NativePath.h"
#include "support/TempDir.h"

namespace tavrin::platform {
namespace {

// "ソ" is 0x83 0x5C: its trail byte is the backslash.
constexpr std::string_view kSo = "\x83\x5c";
constexpr std::string_view kSoUtf8 = "\xe3\x82\xbd";

TEST(CodePage, Cp932ToUtf8KeepsTrailBytesAndReplacesOneCharacterPerBadSequence) {
    std::string utf8;
    ASSERT_TRUE(Cp932ToUtf8(std::string(kSo) + "\\x", utf8));
    EXPECT_EQ(utf8, std::string(kSoUtf8) + "\\x");
    EXPECT_FALSE(Cp932ToUtf8("\x83", utf8));  // a lead byte without its trail
    EXPECT_EQ(Cp932ToUtf8(std::string(kSo) + "\\x"), std::string(kSoUtf8) + "\\x");
    EXPECT_EQ(Cp932ToUtf8("\x85\x40z"), "?z");   // unassigned double-byte: one "?", no "@"
    EXPECT_EQ(Cp932ToUtf8("\x81\x20z"), "? z");  // a lead byte before a byte that cannot trail
    EXPECT_EQ(Cp932ToUtf8("a\x80\xfd"), "a??");
    EXPECT_EQ(Cp932ToUtf8("a\x83"), "a?");  // cut short at the end
}

TEST(CodePage, Utf8ToCp932ReplacesWhatItCannotHold) {
    EXPECT_EQ(Utf8ToCp932(std::string(kSoUtf8) + "a"), std::string(kSo) + "a");
    EXPECT_EQ(Utf8ToCp932("a\xf0\x9f\x98\x80z"), "a?z");  // an emoji
    EXPECT_EQ(Utf8ToCp932("a\xffz"), "a?z");              // not UTF-8 at all
    EXPECT_EQ(Utf8ToCp932("a\xe3\x82"), "a?");            // cut short at the end
}

TEST(CodePage, Utf16ToCp932InBothByteOrders) {
    // "aソ" then U+1F600 as a surrogate pair, then an unpaired high surrogate, then "z".
    std::string le("a\0\xbd\x30\x3d\xd8\x00\xde\x3d\xd8z\0", 12);
    std::string be("\0a\x30\xbd\xd8\x3d\xde\x00\xd8\x3d\0z", 12);
    std::string expected = "a" + std::string(kSo) + "??z";
    EXPECT_EQ(Utf16ToCp932(le, Utf16ByteOrder::LittleEndian), expected);
    EXPECT_EQ(Utf16ToCp932(be, Utf16ByteOrder::BigEndian), expected);
    EXPECT_EQ(Utf16ToCp932(std::string("a\0b", 3), Utf16ByteOrder::LittleEndian), "a?");
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
