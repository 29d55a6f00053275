#include "shell/VersionInfo.h"

#include <gtest/gtest.h>

#include "shell/AboutInfo.h"

namespace tavrin::shell {
namespace {

using platform::FixedVersionInfo;
using platform::VersionResource;
using platform::VersionTranslation;

// A resource with a product-name block for each translation, named as the resource compiler
// writes it (lower case), holding "Name of XXXX" for language XXXX.
VersionResource Resource(std::vector<VersionTranslation> translations,
                         FixedVersionInfo fixed = {0x00010001, 0x00000000, 0x00010001, 0}) {
    VersionResource resource;
    for (std::size_t i = 0; i < translations.size(); ++i) {
        char block[16];
        std::snprintf(block, sizeof block, "%04x%04x", translations[i].language,
                      translations[i].codePage);
        char name[48];
        std::snprintf(name, sizeof name, "Name %zu of %04X", i, translations[i].language);
        resource.stringBlocks[block]["ProductName"] = name;
    }
    resource.translations = std::move(translations);
    resource.fixed = fixed;
    return resource;
}

TEST(VersionInfoTest, ChoosesTheTranslationAndFormatsTheProductVersion) {
    struct Case {
        const char* what;
        VersionResource resource;
        std::uint16_t user;
        const char* name;
        const char* version;
    };
    const Case cases[] = {
        {"the user's language", Resource({{0x0409, 1200}, {0x0411, 1200}}), 0x0411,
         "Name 1 of 0411", "1.1.0.0"},
        {"not listed: the first entry", Resource({{0x0411, 1200}}), 0x0409, "Name 0 of 0411",
         "1.1.0.0"},
        {"the last of two matches", Resource({{0x0407, 1200}, {0x0411, 932}, {0x0411, 1200}}),
         0x0411, "Name 2 of 0411", "1.1.0.0"},
        {"whole IDs compare: 0x0804 is not 0x0404", Resource({{0x0411, 1200}, {0x0404, 1200}}),
         0x0804, "Name 0 of 0411", "1.1.0.0"},
        {"decimal, no leading zeros, never the file version",
         Resource({{0x0411, 1200}}, {0x0001000A, 0x000000FF, 0x00020003, 0x00040005}), 0x0411,
         "Name 0 of 0411", "1.10.0.255"},
        {"16-bit parts are unsigned", Resource({{0x0411, 1200}}, {0xFFFF8000, 0x0000FFFF, 0, 0}),
         0x0411, "Name 0 of 0411", "65535.32768.0.65535"},
    };
    for (const Case& c : cases) {
        std::string name = "old";
        std::string version = "old";
        EXPECT_TRUE(ReadVersionInfo(c.resource, c.user, name, version)) << c.what;
        EXPECT_EQ(name, c.name) << c.what;
        EXPECT_EQ(version, c.version) << c.what;
    }
}

TEST(VersionInfoTest, KeepsWhatItFoundWhenAPartIsMissing) {
    VersionResource noBlock = Resource({{0x0411, 1200}});
    noBlock.stringBlocks.clear();
    VersionResource noFixed = Resource({{0x0411, 1200}});
    noFixed.fixed.reset();
    VersionResource noTable = Resource({{0x0411, 1200}});
    noTable.translations.reset();
    VersionResource emptyTable = Resource({{0x0411, 1200}});
    emptyTable.translations->clear();
    VersionResource emptyName = Resource({{0x0411, 1200}});
    emptyName.stringBlocks["041104b0"]["ProductName"] = "";

    struct Case {
        const char* what;
        const VersionResource& resource;
        const char* name;
        const char* version;
    };
    const Case cases[] = {
        {"no string block", noBlock, "", "1.1.0.0"},
        {"no root block", noFixed, "Name 0 of 0411", ""},
        {"no translation table", noTable, "", "1.1.0.0"},
        {"an empty translation table", emptyTable, "", "1.1.0.0"},
        {"an empty product name", emptyName, "", "1.1.0.0"},
        {"nothing at all", VersionResource{}, "", ""},
    };
    for (const Case& c : cases) {
        std::string name = "old";
        std::string version = "old";
        EXPECT_FALSE(ReadVersionInfo(c.resource, 0x0411, name, version)) << c.what;
        EXPECT_EQ(name, c.name) << c.what;
        EXPECT_EQ(version, c.version) << c.what;
    }
}

TEST(VersionInfoTest, FindsStringsAsTheVersionApiDoes) {
    VersionResource resource;
    resource.stringBlocks["041104B0"]["productname"] = std::string("Tav\0rin", 7);
    resource.stringBlocks["041104B0"]["Comments"] = "";
    std::string value;

    EXPECT_TRUE(QueryVersionString(resource, "\\StringFileInfo\\041104b0\\ProductName", value));
    EXPECT_EQ(value, "Tav");  // a string ends at its first NUL
    EXPECT_TRUE(QueryVersionString(resource, "\\stringfileinfo\\041104B0\\comments", value));
    EXPECT_EQ(value, "");

    for (const char* missing :
         {"\\StringFileInfo\\041104b0\\CompanyName", "\\StringFileInfo\\040904b0\\ProductName",
          "\\StringFileInfo\\041104b0", "\\StringFileInfo\\",
          "\\VarFileInfo\\041104b0\\ProductName", "", "\\"}) {
        value = "untouched";
        EXPECT_FALSE(QueryVersionString(resource, missing, value)) << missing;
        EXPECT_EQ(value, "untouched") << missing;
    }
}

TEST(VersionInfoTest, TheProgramsOwnResourceNamesTavrin) {
    std::string name;
    std::string version;
    ASSERT_TRUE(ReadVersionInfo(name, version));
    EXPECT_EQ(name, "Tavrin");
    EXPECT_EQ(version, "1.1.0.0");

    VersionResource resource = platform::BuiltInVersionResource();
    ASSERT_TRUE(resource.translations.has_value());
    ASSERT_EQ(resource.translations->size(), 1u);
    EXPECT_EQ(resource.translations->front().language, 0x0411);
    EXPECT_EQ(resource.translations->front().codePage, 0x04B0);
    const std::map<std::string, std::string> expected = {
        {"Comments", ""},
        {"CompanyName", "Tavrin Project"},
        {"FileDescription", "Tavrin"},
        {"FileVersion", "1, 1, 0, 0"},
        {"InternalName", "Tavrin"},
        {"LegalCopyright", "Copyright (C) 2026 Tavrin Project"},
        {"LegalTrademarks", ""},
        {"OriginalFilename", "Tavrin.EXE"},
        {"PrivateBuild", ""},
        {"ProductName", "Tavrin"},
        {"ProductVersion", "1, 1, 0, 0"},
        {"SpecialBuild", ""},
    };
    EXPECT_EQ(resource.stringBlocks,
              (std::map<std::string, std::map<std::string, std::string>>{{"041104b0", expected}}));
    ASSERT_TRUE(resource.fixed.has_value());
    EXPECT_EQ(resource.fixed->fileVersionMS, resource.fixed->productVersionMS);
    EXPECT_EQ(resource.fixed->fileVersionLS, resource.fixed->productVersionLS);
}

TEST(AboutInfoTest, VersionLineAppendsToTheTemplateText) {
    VersionResource resource = Resource({{0x0411, 1200}});
    std::string name = "Program Name";
    std::string line = "Version ";
    ApplyVersionInfo(resource, 0x0411, name, line);
    EXPECT_EQ(name, "Name 0 of 0411");
    EXPECT_EQ(line, "Version 1.1.0.0");

    // Only both together replace the template's texts.
    resource.fixed.reset();
    name = "Program Name";
    line = "Ver. ";
    ApplyVersionInfo(resource, 0x0411, name, line);
    EXPECT_EQ(name, "Program Name");
    EXPECT_EQ(line, "Ver. ");

    name = "Program Name";
    line = "Version ";
    ApplyVersionInfo(name, line);
    EXPECT_EQ(name, "Tavrin");
    EXPECT_EQ(line, "Version 1.1.0.0");
}

TEST(AboutInfoTest, TheMailTargetIsTheShownAddress) {
    EXPECT_FALSE(ContactMailAddress().empty());
    EXPECT_EQ(MailTarget(), "mailto:" + std::string(ContactMailAddress()));
    EXPECT_EQ(HomePageUrl().substr(0, 8), "https://");
    EXPECT_EQ(CopyrightLine(), "Copyright (C) 2026 Tavrin Project");
}

}  // namespace
}  // namespace tavrin::shell
