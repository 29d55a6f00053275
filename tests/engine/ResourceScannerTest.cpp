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

// The scripts and what each shows are in the fixture.
TEST(ResourceScannerTest, ListsDialogDeclarationsInFileOrder) {
    CResourceScanner scanner;
    for (const std::vector<std::string>& c : testing::ReadCases("rc/scans.txt")) {
        const std::vector<std::string> ids(c.begin() + 1, c.end());
        EXPECT_EQ(scanner.Scan(Fixture(c[0].c_str())), !ids.empty()) << c[0];
        EXPECT_EQ(scanner.GetIds(), ids) << c[0];
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
