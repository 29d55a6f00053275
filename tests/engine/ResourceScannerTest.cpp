#include "engine/ResourceScanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TempDir.h"

namespace tavrin {
namespace {

// The scripts and what each shows are in the fixture.
TEST(ResourceScannerTest, ListsDialogDeclarationsInFileOrder) {
    CResourceScanner scanner;
    for (const std::vector<std::string>& c : testing::ReadCases("rc/scans.txt")) {
        const std::vector<std::string> ids(c.begin() + 1, c.end());
        EXPECT_EQ(scanner.Scan(TAVRIN_FIXTURES_DIR "/rc/" + c[0]), !ids.empty()) << c[0];
        EXPECT_EQ(scanner.GetIds(), ids) << c[0];
    }
    EXPECT_FALSE(scanner.Scan(""));
}

}  // namespace
}  // namespace tavrin
