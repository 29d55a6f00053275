#include "engine/ClassGeneration.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace tavrin {
namespace {

using testing::TempDir;

// Where the project of a class is looked for: the output folder, the script's folder, then
// upwards. Each case lays out its files and names the project expected (empty: none).
TEST(FindProject, LooksInTheOutputFolderTheScriptsFolderThenAbove) {
    const struct {
        const char* what;
        std::vector<const char*> files;
        const char* output;
        const char* script;
        const char* expected;
    } cases[] = {
        {"in the output folder",
         {"app/App.vcxproj", "lib/Lib.vcxproj"},
         "app",
         "lib/x.rc",
         "app/App.vcxproj"},
        {"upper-case extension", {"app/APP.VCXPROJ"}, "app/", "", "app/APP.VCXPROJ"},
        {"beside the script",
         {"lib/Lib.vcxproj", "out/readme.txt"},
         "out",
         "lib/x.rc",
         "lib/Lib.vcxproj"},
        {"above the output folder",
         {"App.vcxproj", "src/dlg/readme.txt"},
         "src/dlg",
         "",
         "App.vcxproj"},
        {"two side by side are passed over",
         {"a/A.vcxproj", "a/B.vcxproj", "a/b/c.txt"},
         "a/b",
         "",
         ""},
        {"a folder named like one", {"app/Dir.vcxproj/x.txt"}, "app", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        for (const char* file : c.files) {
            dir.Write(file, "<Project/>");
        }
        const std::string script = *c.script != '\0' ? dir.File(c.script) : std::string();
        std::optional<std::string> found = FindProject(dir.File(c.output), script);
        if (*c.expected == '\0') {
            EXPECT_FALSE(found.has_value()) << *found;
        } else {
            ASSERT_TRUE(found.has_value());
            EXPECT_TRUE(std::filesystem::equivalent(testing::Utf8Path(*found),
                                                    testing::Utf8Path(dir.File(c.expected))))
                << *found;
        }
    }
}

}  // namespace
}  // namespace tavrin
