#include "engine/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/IniFile.h"
#include "support/TempDir.h"

namespace tavrin {
namespace {

// The cases, with what each shows, are in the fixture.
TEST(TextEncoding, DecodesByTheMarkAndEncodesBackTheSameBytes) {
    const char* const kNames[] = {"cp932", "utf-8", "utf-16le", "utf-16be"};
    for (const std::vector<std::string>& c : testing::ReadCases("encoding/decode.txt")) {
        const DecodedText decoded = DecodeText(c.at(0));
        EXPECT_EQ(kNames[static_cast<int>(decoded.encoding)], c.at(1)) << c[0];
        EXPECT_EQ(decoded.lossless, c.at(3) == "1") << c[0];
        if (decoded.lossless) {
            EXPECT_EQ(decoded.cp932, c.at(2)) << c[0];
            EXPECT_EQ(EncodeText(decoded.cp932, decoded.encoding), c[0]);
        }
    }
}

// A settings file saved as UTF-16 stays UTF-16 when a value changes, and one holding a
// character code page 932 cannot hold is left alone rather than rewritten without it.
TEST(TextEncoding, IniFilesKeepTheirEncoding) {
    testing::TempDir dir;
    const std::string path = dir.File("user.cfg");
    dir.Write("user.cfg", EncodeText("[Settings]\r\nFolder=\x95\x5c\r\n", TextEncoding::kUtf16Le));
    EXPECT_EQ(ReadIniString(path, "Settings", "Folder", ""), "\x95\x5c");
    ASSERT_TRUE(WriteIniString(path, "Settings", "Base", "CDialog"));
    EXPECT_EQ(dir.Read("user.cfg"), EncodeText("[Settings]\r\nFolder=\x95\x5c\r\nBase=CDialog\r\n",
                                               TextEncoding::kUtf16Le));

    const std::string lossy = "\xEF\xBB\xBF[Settings]\r\nName=\xC3\xA4\r\n";
    dir.Write("user.cfg", lossy);
    EXPECT_FALSE(WriteIniString(path, "Settings", "Base", "CDialog"));
    EXPECT_EQ(dir.Read("user.cfg"), lossy);
}

}  // namespace
}  // namespace tavrin
