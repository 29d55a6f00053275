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

// "ゾ" ends in the byte of "]"; "ア" and "ヂ" differ only in a trail byte that reads as A / a.
#define ZO "\x83\x5d"
#define A_KANA "\x83\x41"
#define DI_KANA "\x83\x61"

// "number:text" of every line the section delivers, then "header:number".
std::vector<std::string> Section(const IniDocument& document, std::string_view name) {
    std::vector<IniLine> lines;
    int header = 0;
    document.ReadSectionLines(name, lines, header);
    std::vector<std::string> texts;
    for (const IniLine& line : lines) {
        texts.push_back(std::to_string(line.number) + ":" + line.text);
    }
    texts.push_back("header:" + std::to_string(header));
    return texts;
}

TEST(IniFileTest, ReadsSectionLinesWhole) {
    std::string big = "[Big]\n";
    for (int i = 0; i < 500; ++i) {
        big += "key" + std::to_string(i) + " = a fairly long value to pass 4096 bytes\n";
    }
    const IniDocument document(
        "[First]\n  a = \"q\"  \n\n; comment\n  ;indented comment\nb\n"
        "[ first ]\nsecond occurrence\n"
        "[" ZO "]\nzo\n[" DI_KANA "]\ndi\n" +
        big);
    EXPECT_THAT(Section(document, "FIRST"), ElementsAre("2:a = \"q\"", "6:b", "header:1"));
    EXPECT_THAT(Section(document, ZO), ElementsAre("10:zo", "header:9"));
    EXPECT_THAT(Section(document, A_KANA), ElementsAre("header:0"));
    const std::vector<std::string> lines = Section(document, "big");
    ASSERT_EQ(lines.size(), 501u);
    EXPECT_EQ(lines[499], "513:key499 = a fairly long value to pass 4096 bytes");
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
