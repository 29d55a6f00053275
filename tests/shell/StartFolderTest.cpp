#include "shell/StartFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/StringTable.h"
#include "platform/CurrentDirectory.h"
#include "platform/NativePath.h"
#include "support/CurrentDirectoryScope.h"
#include "support/TempDir.h"

namespace tavrin::shell {
namespace {

// A folder that cannot be entered stops the run with a message naming it, and the current
// directory stays where it was: the program must not quietly work in another folder.
TEST(StartFolderTest, AnswersOptionsAndNamesAFolderItCannotEnter) {
    tavrin::testing::TempDir dir;
    tavrin::testing::CurrentDirectoryScope restore(dir.Path());
    const std::filesystem::path before = platform::NativeCurrentDirectory();
    const std::filesystem::path missing = std::filesystem::path(dir.Path()) / "missing";
    EXPECT_EQ(EnterStartFolder({missing}),
              FormatString(IDS_START_FOLDER_FAILED, {dir.File("missing")}));
    EXPECT_EQ(EnterStartFolder({std::filesystem::path()}),
              FormatString(IDS_START_FOLDER_FAILED, {""}));
    EXPECT_EQ(platform::NativeCurrentDirectory(), before);

    // `tavrin --help` and `--version` are answered, not taken for a folder; anything else is.
    EXPECT_EQ(StartOptionAnswer({"--help"})->rfind("usage: tavrin [FOLDER]\n", 0), 0U);
    EXPECT_EQ(StartOptionAnswer({"-h"}), StartOptionAnswer({"--help"}));
    EXPECT_EQ(StartOptionAnswer({"--version"}), "tavrin " TAVRIN_VERSION "\n");
    for (const char* folder : {"", "--helpful", "project"}) {
        EXPECT_EQ(StartOptionAnswer({folder}), std::nullopt) << folder;
    }
    EXPECT_EQ(StartOptionAnswer({"--help", "project"}), std::nullopt);
}

}  // namespace
}  // namespace tavrin::shell
