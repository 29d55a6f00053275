#include "shell/FolderPicker.h"

#include <gtest/gtest.h>

#include "engine/StringTable.h"
#include "shell/FakeWindow.h"

namespace tavrin::shell {
namespace {

using testing::FakeWindow;

TEST(FolderPickerTest, PreSelectsTheInitialFolderWithoutOneTrailingSeparator) {
    struct Case {
        const char* initial;
        const char* preSelected;
    };
    const Case cases[] = {
        {"C:\\Work\\", "C:\\Work"},
        {"C:\\", "C:"},
        {"C:\\Work\\\\", "C:\\Work\\"},
        {"", ""},
        // The last character is a double-byte one whose trail byte is 0x5C.
        {"C:\\\x95\x5C", "C:\\\x95\x5C"},
        {"C:\\\x95\x5C\\", "C:\\\x95\x5C"},
        {"/home/user/", "/home/user"},
        {"/home/user//", "/home/user/"},
        {"/", "/"},  // the root keeps its only character
    };
    CGeneratorDlg dialog;
    FakeWindow window(dialog);
    for (const Case& c : cases) {
        CFolderPicker picker;
        EXPECT_EQ(picker.Browse(&window, "title", c.initial), 0);
        EXPECT_EQ(window.browsedFrom, c.preSelected) << c.initial;
        EXPECT_EQ(window.browsedTitle, "title");
    }
}

TEST(FolderPickerTest, ReturnsTheConfirmedFolder) {
    CGeneratorDlg dialog;
    FakeWindow window(dialog);
    CFolderPicker picker;

    window.folderAnswer = "/chosen/folder";
    EXPECT_EQ(picker.Browse(&window, IDS_OUTPUT_FOLDER_TITLE, "/start/"), 1);
    EXPECT_EQ(picker.m_szFolder, "/chosen/folder");
    EXPECT_EQ(window.browsedTitle, LoadText(IDS_OUTPUT_FOLDER_TITLE));

    // Confirming something that is no file-system folder is no choice.
    window.folderAnswer = "";
    EXPECT_EQ(picker.Browse(&window, "title", "/start"), 0);
}

}  // namespace
}  // namespace tavrin::shell
