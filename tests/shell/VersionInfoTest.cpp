#include "shell/VersionInfo.h"

#include <gtest/gtest.h>

#include "shell/AboutInfo.h"

namespace tavrin::shell {
namespace {

using platform::FixedVersionInfo;
using platform::VersionResource;
using platform::VersionTranslation;

// A resource with a product-name block for each translation, named as the resource compiler
// writes it (lower case), holding "Name <index> of <language>".
VersionResource Resource(std::vector<VersionTranslation> translations,
                         FixedVersionInfo fixed = {0x00010001, 0x00000000, 0x00010001, 0}) {
    VersionResource resource;
    for (std::size_t i = 0; i < translations.size(); ++i) {
        char block[16], name[48];
        std::snprintf(block, sizeof block, "%04x%04x", translations[i].language,
                      translations[i].codePage);
        std::snprintf(name, sizeof name, "Name %zu of %04X", i, translations[i].language);
        resource.stringBlocks[block]["ProductName"] = name;
    }
    resource.translations = std::move(translations);
    resource.fixed = fixed;
    return resource;
}

TEST(VersionInfoTest, ChoosesTheTranslationAndFormatsTheProductVersion) {
    const struct {
        VersionResource resource;
        std::uint16_t user;
        const char* found;  // the name and the version
    } cases[] = {
        // The user's language; not listed, the first entry; of two matches, the last.
        {Resource({{0x0409, 1200}, {0x0411, 1200}}), 0x0411, "Name 1 of 0411 1.1.0.0"},
        {Resource({{0x0411, 1200}}), 0x0409, "Name 0 of 0411 1.1.0.0"},
        {Resource({{0x0407, 1200}, {0x0411, 932}, {0x0411, 1200}}), 0x0411,
         "Name 2 of 0411 1.1.0.0"},
        // Whole IDs compare: 0x0804 is not 0x0404.
        {Resource({{0x0411, 1200}, {0x0404, 1200}}), 0x0804, "Name 0 of 0411 1.1.0.0"},
        // Decimal, no leading zeros, never the file version; 16-bit parts are unsigned.
        {Resource({{0x0411, 1200}}, {0x0001000A, 0x000000FF, 0x00020003, 0x00040005}), 0x0411,
         "Name 0 of 0411 1.10.0.255"},
        {Resource({{0x0411, 1200}}, {0xFFFF8000, 0x0000FFFF, 0, 0}), 0x0411,
         "Name 0 of 0411 65535.32768.0.65535"},
    };
    for (const auto& c : cases) {
        std::string name = "old", version = "old";
        EXPECT_TRUE(ReadVersionInfo(c.resource, c.user, name, version)) << c.found;
        EXPECT_EQ(name + " " + version, c.found);
    }
}

TEST(VersionInfoTest, KeepsWhatItFoundWhenAPartIsMissing) {
    VersionResource noBlock = Resource({{0x0411, 1200}});
    noBlock.stringBlocks.clear();
    VersionResource noFixed = Resource({{0x0411, 1200}});
    noFixed.fixed.reset();
    VersionResource emptyName = Resource({{0x0411, 1200}});
    emptyName.stringBlocks["041104b0"]["ProductName"] = "";

    const struct {
        const char* what;
        const VersionResource& resource;
        const char* found;  // the name and the version, blank-separated
    } cases[] = {
        {"no string block", noBlock, " 1.1.0.0"},
        {"no root block", noFixed, "Name 0 of 0411 "},
        {"an empty product name", emptyName, " 1.1.0.0"},
        {"nothing at all", VersionResource{}, " "},
    };
    for (const auto& c : cases) {
        std::string name = "old", version = "old";
        EXPECT_FALSE(ReadVersionInfo(c.resource, 0x0411, name, version)) << c.what;
        EXPECT_EQ(name + " " + version, c.found) << c.what;
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

// The program's own data shows in the About box (its window test checks that); here, that
// the lines keep their template texts unless both parts are found.
TEST(AboutInfoTest, VersionLineAppendsToTheTemplateTextOnlyWhenAllIsFound) {
    VersionResource resource = Resource({{0x0411, 1200}});
    std::string name = "Program Name", line = "Version ";
    ApplyVersionInfo(resource, 0x0411, name, line);
    EXPECT_EQ(name + "|" + line, "Name 0 of 0411|Version 1.1.0.0");

    resource.fixed.reset();
    name = "Program Name";
    line = "Ver. ";
    ApplyVersionInfo(resource, 0x0411, name, line);
    EXPECT_EQ(name + "|" + line, "Program Name|Ver. ");
}

}  // namespace
}  // namespace tavrin::shell
