#include "engine/IniFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/TextEncoding.h"
#include "platform/Faults.h"
#include "support/TempDir.h"

namespace tavrin {
namespace {

// The cases, with what each shows, are in the fixture.
TEST(IniFileTest, ReadsAndWritesAsTable) {
    std::vector<std::vector<std::string>> cases = testing::ReadCases("ini/cases.txt");
    cases.push_back({"section", "[Big]\n", "big"});  // longer than a buffer of 4096 bytes
    for (int i = 0; i < 500; ++i) {
        const std::string line = "key" + std::to_string(i) + " = a long value to pass 4096 bytes";
        cases.back()[1] += line + "\n";
        cases.back().push_back(std::to_string(i + 2) + ":" + line);
    }
    cases.back().push_back("header:1");
    for (const std::vector<std::string>& c : cases) {
        const IniDocument document(c.at(1));
        std::vector<std::string> actual(c.begin(), c.begin() + 3);
        if (c[0] == "section") {
            std::vector<IniLine> lines;
            int header = 0;
            document.ReadSectionLines(c[2], lines, header);
            for (const IniLine& line : lines) {
                actual.push_back(std::to_string(line.number) + ":" + line.text);
            }
            actual.push_back("header:" + std::to_string(header));
        } else if (c[0] == "read") {
            actual = {c[0], c[1], c[2], c.at(3), document.ReadString(c[2], c[3], "-")};
        } else {  // what is written reads back
            const std::optional<std::string> written = document.WriteString(c[2], c.at(3), c.at(4));
            actual = {c[0], c[1], c[2], c[3], c[4], written.value_or("(refused)")};
            EXPECT_EQ(written ? IniDocument(*written).ReadString(c[2], c[3], "-") : c[4], c[4]);
        }
        EXPECT_EQ(actual, c);
    }
}

// On disk: CR LF or LF in, CR LF out, the encoding kept; a missing file gives the default; a
// failed read or write changes nothing and leaves nothing behind.
TEST(IniFileTest, FilesAreReplacedWholeOrNotAtAll) {
    testing::TempDir dir;
    const std::string path = dir.File("s.cfg");
    EXPECT_EQ(ReadIniString(path, "Dlg", "key", "-"), "-");
    dir.Write("s.cfg", "[Dlg]\r\nkey = old\r\n[Other]\nx=1\n");
    EXPECT_EQ(ReadIniString(path, "Dlg", "key", "-"), "old");
    ASSERT_TRUE(WriteIniString(path, "Dlg", "key", "new"));
    const std::string written = "[Dlg]\r\nkey = new\r\n[Other]\r\nx=1\r\n";
    EXPECT_EQ(dir.Read("s.cfg"), written);
    for (platform::faults::Call call :
         {platform::faults::Call::Read, platform::faults::Call::Write}) {
        platform::faults::ScopedFault fault(call);
        EXPECT_FALSE(WriteIniString(path, "Dlg", "key", "lost"));
    }
    EXPECT_EQ(dir.Read("s.cfg"), written);
    EXPECT_EQ(dir.List(), "s.cfg");
    ASSERT_TRUE(WriteIniString(path, "Dlg", "long", std::string(10000, 'v')));
    EXPECT_EQ(ReadIniString(path, "Dlg", "long", "-"), std::string(10000, 'v'));

    // A file saved as UTF-16 stays UTF-16 when a value changes, and one holding a character
    // code page 932 cannot hold is left alone rather than rewritten without it.
    dir.Write("s.cfg", EncodeText("[Settings]\r\nFolder=\x95\x5c\r\n", TextEncoding::kUtf16Le));
    EXPECT_EQ(ReadIniString(path, "Settings", "Folder", ""), "\x95\x5c");
    ASSERT_TRUE(WriteIniString(path, "Settings", "Base", "CDialog"));
    EXPECT_EQ(dir.Read("s.cfg"), EncodeText("[Settings]\r\nFolder=\x95\x5c\r\nBase=CDialog\r\n",
                                            TextEncoding::kUtf16Le));
    const std::string lossy = "\xEF\xBB\xBF[Settings]\r\nName=\xC3\xA4\r\n";
    dir.Write("s.cfg", lossy);
    EXPECT_FALSE(WriteIniString(path, "Settings", "Base", "CDialog"));
    EXPECT_EQ(dir.Read("s.cfg"), lossy);
}

}  // namespace
}  // namespace tavrin
