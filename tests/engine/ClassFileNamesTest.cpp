#include "engine/ClassFileNames.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace tavrin {
namespace {

// The cases, with the names that once lost every leading "C", are in the fixture.
TEST(DeriveFileNames, DropsOneClassPrefix) {
    for (const std::vector<std::string>& c : testing::ReadCases("names/derive.txt")) {
        ASSERT_EQ(c.size(), 3u) << c[0];
        const ClassFileNames names = DeriveFileNames(c[0]);
        EXPECT_EQ(names.header + "|" + names.source, c[1] + "|" + c[2]) << c[0];
    }
}

}  // namespace
}  // namespace tavrin
