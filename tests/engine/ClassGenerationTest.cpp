#include "engine/ClassGeneration.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "engine/ClassFileNames.h"
#include "support/TempDir.h"

namespace tavrin {
namespace {

namespace fs = std::filesystem;

// The cases, each with what it shows, are in the fixture.
TEST(FindProject, LooksInTheOutputFolderTheScriptsFolderThenAbove) {
    for (std::vector<std::string> c : testing::ReadCases("find-project/cases.txt")) {
        c.resize(4);
        SCOPED_TRACE(c[0]);
        testing::TempDir dir;
        std::istringstream files(c[0]);
        for (std::string file; files >> file;) {
            dir.Write(file, "<Project/>");
        }
        const std::optional<std::string> found =
            FindProject(dir.File(c[1]), c[2].empty() ? std::string() : dir.File(c[2]));
        const fs::path relative =
            fs::relative(testing::Utf8Path(found.value_or("")), testing::Utf8Path(dir.Path()));
        EXPECT_EQ(found ? testing::Utf8Name(relative.generic_u8string()) : "", c[3]);
    }
}

// The cases, with the names that once lost every leading "C", are in the fixture.
TEST(DeriveFileNames, DropsOneClassPrefix) {
    for (const std::vector<std::string>& c : testing::ReadCases("names/derive.txt")) {
        const ClassFileNames names = DeriveFileNames(c.at(0));
        EXPECT_EQ(names.header + "|" + names.source, c.at(1) + "|" + c.at(2)) << c[0];
    }
}

}  // namespace
}  // namespace tavrin
