#include "engine/IniFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Faults.h"
#include "support/TempDir.h"

namespace tavrin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// "ゾ" ends in the byte of "]"; "ア" and "ヂ" differ only in a trail byte that reads as A / a.
#define ZO "\x83\x5d"
#define A_KANA "\x83\x41"
#define DI_KANA "\x83\x61"

TEST(IniFileTest, ReadsSectionLinesWhole) {
    testing::TempDir dir;
    std::string big = "[Big]\n";
    for (int i = 0; i < 500; ++i) {
        big += "key" + std::to_string(i) + " = a fairly long value to pass 4096 bytes\n";
    }
    dir.Write("t.ini",
              "[First]\r\n  a = \"q\"  \r\n\r\n; comment\r\n  ;indented comment\r\nb\r\n"
              "[ first ]\r\nsecond occurrence\r\n"
              "[" ZO "]\r\nzo\r\n[" DI_KANA "]\r\ndi\r\n" +
                  big);
    EXPECT_THAT(ReadIniSection(dir.File("t.ini"), "FIRST"), ElementsAre("a = \"q\"", "b"));
    EXPECT_THAT(ReadIniSection(dir.File("t.ini"), ZO), ElementsAre("zo"));
    EXPECT_THAT(ReadIniSection(dir.File("t.ini"), A_KANA), IsEmpty());
    const std::vector<std::string> lines = ReadIniSection(dir.File("t.ini"), "big");
    ASSERT_EQ(lines.size(), 500u);
    EXPECT_EQ(lines.back(), "key499 = a fairly long value to pass 4096 bytes");
    EXPECT_THAT(ReadIniSection(dir.File("missing.ini"), "First"), IsEmpty());
}

TEST(IniFileTest, ReadsValuesOrDefault) {
    testing::TempDir dir;
    dir.Write("s.cfg", "[Dlg]\r\n;Key=commented\r\n key = \t value \r\nq=\"  x  \"\r\n");
    const std::string path = dir.File("s.cfg");
    EXPECT_EQ(ReadIniString(path, "dlg", "KEY", "-"), "value");
    EXPECT_EQ(ReadIniString(path, "Dlg", "q", "-"), "  x  ");
    EXPECT_EQ(ReadIniString(path, "Dlg", "none", "-"), "-");
    EXPECT_EQ(ReadIniString(path, "Other", "key", "-"), "-");
    EXPECT_EQ(ReadIniString(dir.File("none.cfg"), "Dlg", "key", "-"), "-");
}

TEST(IniFileTest, WriteKeepsEverythingElse) {
    testing::TempDir dir;
    dir.Write("s.cfg",
              "; settings\r\n[Dlg]\r\nOutputFolder = C:\\old\r\n; keep me\r\n\r\n"
              "[Other]\r\nx=1\r\n");
    const std::string path = dir.File("s.cfg");
    ASSERT_TRUE(WriteIniString(path, "dlg", "outputfolder", "D:\\new"));
    ASSERT_TRUE(WriteIniString(path, "Dlg", "ResourceFile", ""));
    ASSERT_TRUE(WriteIniString(path, "New", "Key", " padded "));
    const std::string written =
        "; settings\r\n[Dlg]\r\nOutputFolder = D:\\new\r\n; keep me\r\nResourceFile=\r\n\r\n"
        "[Other]\r\nx=1\r\n[New]\r\nKey=\" padded \"\r\n";
    EXPECT_EQ(dir.Read("s.cfg"), written);

    EXPECT_FALSE(WriteIniString(path, "Dlg", "Key", "two\r\nlines"));
    EXPECT_FALSE(WriteIniString(path, "Dlg", "A=B", "v"));
    // A lone lead byte would take the "]" as its trail byte: the key would never read back,
    // and every call would add a section.
    EXPECT_FALSE(WriteIniString(path, "Dlg\x82", "Key", "v"));
    EXPECT_FALSE(WriteIniString(path, "\x82 ", "Key", "v"));
    for (platform::faults::Call call :
         {platform::faults::Call::Read, platform::faults::Call::Write}) {
        platform::faults::ScopedFault fault(call);
        EXPECT_FALSE(WriteIniString(path, "Dlg", "OutputFolder", "E:\\lost"));
    }
    EXPECT_EQ(dir.Read("s.cfg"), written);
    EXPECT_EQ(dir.List(), "s.cfg");
}

TEST(IniFileTest, ValuesRoundTrip) {
    testing::TempDir dir;
    const std::string path = dir.File("sub.cfg");
    for (const std::string& value :
         {std::string(), std::string("\"quoted\""), std::string("\""), std::string("\t x "),
          std::string("\x95\x5c\x81\x40"), std::string(10000, 'v')}) {
        ASSERT_TRUE(WriteIniString(path, "TavrinDlg", "BasicClassName", value));
        EXPECT_EQ(ReadIniString(path, "TavrinDlg", "BasicClassName", "-"), value);
    }
}

}  // namespace
}  // namespace tavrin
