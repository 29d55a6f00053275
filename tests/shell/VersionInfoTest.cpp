#include "shell/VersionInfo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "shell/AboutInfo.h"
#include "support/TempDir.h"

namespace tavrin::shell {
namespace {

using platform::VersionResource;

// A resource as a case of shell/version-resources.txt describes it.
VersionResource ParseResource(const std::vector<std::string>& c) {
    VersionResource resource;
    std::istringstream translations(c.at(1));
    for (std::string word; translations >> word;) {
        unsigned language = 0, codePage = 0;
        EXPECT_EQ(std::sscanf(word.c_str(), "%x:%x", &language, &codePage), 2) << word;
        if (!resource.translations) {
            resource.translations.emplace();
        }
        resource.translations->push_back(
            {static_cast<std::uint16_t>(language), static_cast<std::uint16_t>(codePage)});
    }
    platform::FixedVersionInfo fixed;
    if (std::sscanf(c.at(2).c_str(), "%x %x %x %x", &fixed.productVersionMS,
                    &fixed.productVersionLS, &fixed.fileVersionMS, &fixed.fileVersionLS) == 4) {
        resource.fixed = fixed;
    }
    std::istringstream blocks(c.at(3));
    for (std::string block; std::getline(blocks, block, '|');) {
        const std::size_t equals = block.find('=');
        resource.stringBlocks[block.substr(0, equals)]["ProductName"] = block.substr(equals + 1);
    }
    return resource;
}

// The About box's lines keep their template texts unless both parts are found.
TEST(VersionInfoTest, ReadsTheNameAndVersionOfTheUsersTranslation) {
    for (const std::vector<std::string>& c :
         tavrin::testing::ReadCases("shell/version-resources.txt")) {
        const VersionResource resource = ParseResource(c);
        const auto user = static_cast<std::uint16_t>(std::stoul(c.at(0), nullptr, 16));
        std::string name = "old", version = "old";
        EXPECT_EQ(ReadVersionInfo(resource, user, name, version), c.at(4) == "1") << c.at(3);
        EXPECT_EQ(name + "|" + version, c.at(5));

        std::string nameLine = "Program", versionLine = "Version ";
        ApplyVersionInfo(resource, user, nameLine, versionLine);
        EXPECT_EQ(nameLine + "|" + versionLine,
                  c.at(4) == "1" ? name + "|Version " + version : "Program|Version ");
    }
}

TEST(VersionInfoTest, FindsStringsAsTheVersionApiDoes) {
    VersionResource resource;
    resource.stringBlocks["041104B0"]["productname"] = std::string("Tav\0rin", 7);
    resource.stringBlocks["041104B0"]["Comments"] = "";
    // A string ends at its first NUL.
    EXPECT_EQ(QueryVersionString(resource, "\\StringFileInfo\\041104b0\\ProductName"), "Tav");
    EXPECT_EQ(QueryVersionString(resource, "\\stringfileinfo\\041104B0\\comments"), "");
    for (const char* missing :
         {"\\StringFileInfo\\040904b0\\ProductName", "\\StringFileInfo\\041104b0", ""}) {
        EXPECT_EQ(QueryVersionString(resource, missing), std::nullopt) << missing;
    }
}

}  // namespace
}  // namespace tavrin::shell
