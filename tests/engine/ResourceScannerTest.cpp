#include "engine/ResourceScanner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TempDir.h"

namespace tavrin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string Fixture(const char* name) {
    return std::string(TAVRIN_FIXTURES_DIR) + "/rc/" + name;
}

// "IDD_表示1" in code page 932. Without its final digit no word character would stand before
// the space, and the line would not count as a declaration.
constexpr const char* kDisplayId =
    "IDD_\x95\x5c\x8e\xa6"
    "1";

TEST(ResourceScannerTest, ListsDialogDeclarationsInFileOrder) {
    CResourceScanner scanner;
    ASSERT_TRUE(scanner.Scan(Fixture("dialogs.rc")));
    // Not listed: DIALOGEX, DIALOG at the end of a line, lower-case dialog, an ID ending in a
    // double-byte character, and a declaration behind a zero byte.
    EXPECT_THAT(scanner.GetIds(), ElementsAre("IDD_ABOUTBOX", "//", "//IDD_OLDER", "IDD_INDENT",
                                              "\tIDD_TAB", kDisplayId, "IDS_HINT", "IDD_ABOUTBOX"));
}

TEST(ResourceScannerTest, UnicodeScriptsWithByteOrderMarkAreConverted) {
    for (const char* name : {"utf16le-bom.rc", "utf16be-bom.rc", "utf8-bom.rc"}) {
        SCOPED_TRACE(name);
        CResourceScanner scanner;
        ASSERT_TRUE(scanner.Scan(Fixture(name)));
        EXPECT_THAT(scanner.GetIds(), ElementsAre("IDD_MAIN", kDisplayId, "IDD_?1"));
    }
}

TEST(ResourceScannerTest, NothingFromUnmarkedUtf16OrUnreadableFile) {
    CResourceScanner scanner;
    ASSERT_TRUE(scanner.Scan(Fixture("dialogs.rc")));
    EXPECT_FALSE(scanner.Scan(Fixture("utf16le-nobom.rc")));
    EXPECT_THAT(scanner.GetIds(), IsEmpty());
    EXPECT_FALSE(scanner.Scan(Fixture("no-such-file.rc")));
    EXPECT_FALSE(scanner.Scan(""));
}

TEST(ResourceScannerTest, LongLinesAreTestedWhole) {
    // Cut into pieces, the second piece would match on its own and yield a run of x.
    testing::TempDir dir;
    dir.Write("long.rc", "IDD_LONG " + std::string(9000, 'x') + " DIALOG 0, 0, 1, 1\r\n");
    CResourceScanner scanner;
    ASSERT_TRUE(scanner.Scan(dir.File("long.rc")));
    EXPECT_THAT(scanner.GetIds(), ElementsAre("IDD_LONG"));
}

}  // namespace
}  // namespace tavrin
