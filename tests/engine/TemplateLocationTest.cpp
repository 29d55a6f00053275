#include "engine/TemplateLocation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "platform/FileStatus.h"
#include "support/CurrentDirectoryScope.h"
#include "support/TempDir.h"

namespace tavrin {
namespace {

namespace fs = std::filesystem;

// Outside a template set, the user's own folder is made once from the examples; what stops
// that is said, and then no settings file is kept anywhere (not in the start folder).
TEST(LocateTemplates, MakesTheUsersFolderOnceOrSaysWhyNot) {
    testing::TempDir dir;
    dir.Write("file", "");
    dir.Write("start/sample.rc", "");
    dir.Write("own/template.tbl", "");
    dir.Write("emptied/tpl/mine.txt", "kept");
    // With the system's own separators, as the program finds its places.
    const fs::path root = testing::Utf8Path(dir.Path()).make_preferred();
    const fs::path examples = testing::Utf8Path(TAVRIN_EXAMPLES_DIR).make_preferred();
#ifdef _WIN32
    const int unnamed = 0;  // reached by its short name
#else
    const int unnamed = IDS_TEMPLATE_FOLDER_UNNAMED;
#endif
    const struct {
        const char* what;
        fs::path userFolder, examples;
        int problem;  // 0: none
        bool created;
    } cases[] = {
        {"first start", root / "user", examples, 0, true},
        {"second start", root / "user", examples, 0, false},
        {"a set of the user's own", root / "own", fs::path(), 0, false},
        {"a folder without its table", root / "emptied", examples, 0, true},
        {"no examples", root / "none", fs::path(), IDS_EXAMPLES_NOT_FOUND, false},
        {"a file in the way", root / "file" / "templates", examples, IDS_TEMPLATE_FOLDER_FAILED,
         false},
        {"a profile code page 932 cannot name", root / u8"café" / "templates", examples, unnamed,
         unnamed == 0},
    };
    testing::CurrentDirectoryScope inStart(dir.File("start"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TemplateLocation location = LocateTemplates({c.userFolder, c.examples, root});
        EXPECT_TRUE(location.userTemplateSet);
        EXPECT_EQ(location.problem ? location.problem->id : 0, c.problem);
        EXPECT_EQ(location.created, c.created);
        if (c.problem == 0) {
            EXPECT_TRUE(platform::IsRegularFile(location.tablePath)) << location.tablePath;
            EXPECT_EQ(fs::path(testing::Utf8Path(location.settingsPath)).parent_path(),
                      testing::Utf8Path(location.folder));
        } else {
            EXPECT_EQ(location.settingsPath, "");
        }
    }
    EXPECT_EQ(dir.List(), "caf\xc3\xa9 emptied file own start user");
    EXPECT_EQ(dir.Read("emptied/tpl/mine.txt"), "kept");
    // Nothing was written into the start folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(testing::Utf8Path(dir.File("start"))),
                            fs::directory_iterator()),
              1);
}

}  // namespace
}  // namespace tavrin
