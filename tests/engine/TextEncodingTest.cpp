#include "engine/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/IniFile.h"
#include "support/TempDir.h"

namespace tavrin {
namespace {

// "表" is 0x95 0x5C in code page 932 (a backslash for a trail byte), U+8868 in Unicode.
constexpr std::string_view kHyoCp932 = "\x95\x5c";

TEST(TextEncoding, DecodesByTheMarkAndEncodesBackTheSameBytes) {
    const std::string cp932 = "a" + std::string(kHyoCp932) + "\r\n";
    const struct {
        TextEncoding encoding;
        std::string bytes;
    } cases[] = {
        {TextEncoding::kCp932, cp932},
        {TextEncoding::kUtf8,
         "\xEF\xBB\xBF"
         "a\xE8\xA1\xA8\r\n"},
        {TextEncoding::kUtf16Le, std::string("\xFF\xFE"
                                             "a\0\x68\x88\r\0\n\0",
                                             10)},
        {TextEncoding::kUtf16Be, std::string("\xFE\xFF\0a\x88\x68\0\r\0\n", 10)},
    };
    for (const auto& c : cases) {
        DecodedText decoded = DecodeText(c.bytes);
        EXPECT_EQ(decoded.encoding, c.encoding);
        EXPECT_EQ(decoded.cp932, cp932);
        EXPECT_TRUE(decoded.lossless);
        EXPECT_EQ(EncodeText(decoded.cp932, c.encoding), c.bytes);
    }
    // Without a mark nothing is judged: not even bytes that are no code page 932.
    EXPECT_EQ(DecodeText("\xE8\xA1\xA8\x80").cp932, "\xE8\xA1\xA8\x80");
}

TEST(TextEncoding, KnowsWhenCodePage932CannotHoldTheText) {
    const std::string lossy[] = {
        "\xEF\xBB\xBF"
        "\xC3\xA4",                                  // "ä"
        std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6),  // a character beyond the BMP
        std::string("\xFF\xFE\x3D\xD8", 4),          // a lone high surrogate
        std::string("\xFF\xFE"
                    "a",
                    3),  // an odd byte at the end
    };
    for (const std::string& bytes : lossy) {
        EXPECT_FALSE(DecodeText(bytes).lossless) << bytes.size();
    }
}

// A settings file saved as UTF-16 stays UTF-16 when a value changes, and one holding a
// character code page 932 cannot hold is left alone rather than rewritten without it.
TEST(TextEncoding, IniFilesKeepTheirEncoding) {
    testing::TempDir dir;
    const std::string path = dir.File("user.cfg");
    dir.Write("user.cfg", EncodeText("[Settings]\r\nFolder=" + std::string(kHyoCp932) + "\r\n",
                                     TextEncoding::kUtf16Le));
    EXPECT_EQ(ReadIniString(path, "Settings", "Folder", ""), kHyoCp932);
    ASSERT_TRUE(WriteIniString(path, "Settings", "Base", "CDialog"));
    EXPECT_EQ(dir.Read("user.cfg"),
              EncodeText("[Settings]\r\nFolder=" + std::string(kHyoCp932) + "\r\nBase=CDialog\r\n",
                         TextEncoding::kUtf16Le));

    const std::string lossy = "\xEF\xBB\xBF[Settings]\r\nName=\xC3\xA4\r\n";
    dir.Write("user.cfg", lossy);
    EXPECT_FALSE(WriteIniString(path, "Settings", "Base", "CDialog"));
    EXPECT_EQ(dir.Read("user.cfg"), lossy);
}

}  // namespace
}  // namespace tavrin
