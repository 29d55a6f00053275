#include "engine/ResourceScanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TempDir.h"

namespace tavrin {
namespace {

std::string Fixture(const char* name) {
    return std::string(TAVRIN_FIXTURES_DIR) + "/rc/" + name;
}

// "IDD_表示1" in code page 932. Without its final digit no word character would stand before
// the space, and the line would not count as a declaration.
constexpr const char* kDisplayId =
    "IDD_\x95\x5c\x8e\xa6"
    "1";

// Not listed from dialogs.rc: DIALOG at the end of a line, lower-case dialog, an ID ending in a
// double-byte character, and a declaration behind a zero byte. dialogex.rc is written as
// current resource editors do, with DIALOGEX beside DIALOG and mixed CR LF and LF line ends;
// not listed from it: DIALOGEX at the end of a line, in lower case, or starting a longer word.
// Unicode scripts with a byte order mark are converted first; UTF-16 without one yields
// nothing.
TEST(ResourceScannerTest, ListsDialogDeclarationsInFileOrder) {
    const std::vector<std::string> kDialogEx = {"IDD_ABOUTBOX",
                                                "IDD_OPTIONS",
                                                "IDD_SETTINGS",
                                                "//",
                                                "IDD_INDENT",
                                                "IDD_\x95\x5c\x8e\xa6"
                                                "2",
                                                "IDS_NOTE",
                                                "IDD_ABOUTBOX"};
    const struct {
        const char* name;
        std::vector<std::string> ids;
    } cases[] = {
        {"dialogs.rc",
         {"IDD_ABOUTBOX", "IDD_MAIN", "//", "//IDD_OLDER", "IDD_INDENT", "\tIDD_TAB", kDisplayId,
          "IDS_HINT", "IDD_ABOUTBOX"}},
        {"dialogex.rc", kDialogEx},
        {"dialogex-utf16le.rc", kDialogEx},
        {"dialogex-utf16be.rc", kDialogEx},
        {"utf16le-bom.rc", {"IDD_ABOUTBOX", "IDD_MAIN", kDisplayId, "IDD_?1"}},
        {"utf16be-bom.rc", {"IDD_ABOUTBOX", "IDD_MAIN", kDisplayId, "IDD_?1"}},
        {"utf8-bom.rc", {"IDD_ABOUTBOX", "IDD_MAIN", kDisplayId, "IDD_?1"}},
        {"utf16le-nobom.rc", {}},
        {"no-such-file.rc", {}},
    };
    CResourceScanner scanner;
    for (const auto& c : cases) {
        EXPECT_EQ(scanner.Scan(Fixture(c.name)), !c.ids.empty()) << c.name;
        EXPECT_EQ(scanner.GetIds(), c.ids) << c.name;
    }
    EXPECT_FALSE(scanner.Scan(""));

    // Cut into pieces, the second piece of a long line would match on its own.
    testing::TempDir dir;
    dir.Write("long.rc", "IDD_LONG " + std::string(9000, 'x') + " DIALOG 0, 0, 1, 1\r\n");
    ASSERT_TRUE(scanner.Scan(dir.File("long.rc")));
    EXPECT_EQ(scanner.GetIds(), std::vector<std::string>{"IDD_LONG"});
}

}  // namespace
}  // namespace tavrin
