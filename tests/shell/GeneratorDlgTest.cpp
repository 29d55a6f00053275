#include "shell/GeneratorDlg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/StringTable.h"
#include "shell/FakeWindow.h"
#include "support/TempDir.h"

namespace tavrin::shell {
namespace {

using tavrin::testing::CurrentDirectoryScope;
using tavrin::testing::ReadCases;
using tavrin::testing::TempDir;
using ::testing::ElementsAre;
using testing::FakeWindow;

// "Dialog" is listed twice: the second line names other template files, which must never be
// used. "NoHeader" supplies a derived class name but no header file name, and an empty
// source file name.
constexpr const char* kTable =
    "[Template]\r\nDialog = h.txt, cpp.txt\r\nView = h.txt, cpp.txt\r\n"
    "NoHeader = h.txt, cpp.txt\r\nDialog = other_h.txt, other_cpp.txt\r\n"
    "[Dialog]\r\n$$SNAME$$ = b, CDialog\r\n$$DNAME$$ = d, CMyDlg\r\n$$HFILE$$ = h, MyDlg.h\r\n"
    "$$CPPFILE$$ = s, MyDlg.cpp\r\n$$DDID$$ = id, IDD_MY\r\n"
    "[View]\r\n$$SNAME$$ = b, CView\r\n$$DNAME$$ = d, CMyView\r\n$$HFILE$$ = h, MyView.h\r\n"
    "$$CPPFILE$$ = s, MyView.cpp\r\n"
    "[NoHeader]\r\n$$DNAME$$ = d, CThing\r\n$$CPPFILE$$ = s\r\n";

constexpr int kView = 1, kNoHeader = 2, kSecondDialog = 3;

// The fake window raises the change event on the dialog's own writes unless they are locked
// out, so a write that derived the file names anew would show.
class GeneratorDlgTest : public ::testing::Test {
protected:
    void Open(bool withTable = true) {
        if (withTable) {
            dir.Write("template.tbl", kTable);
        }
        dialog.OnInitDialog();
    }

    // Whether the five controls of the dialog resource ID are enabled; they go together.
    bool ResourceControlsEnabled() {
        bool first = window.enabled.at(kIdcResourceFileLabel);
        for (int id : {kIdcResourceFile, kIdcBrowseResourceFile, kIdcDialogResourceIdLabel,
                       kIdcDialogResourceId}) {
            EXPECT_EQ(window.enabled.at(id), first) << id;
        }
        return first;
    }

    TempDir dir;
    CurrentDirectoryScope inDir{dir.Path()};
    CGeneratorDlg dialog;
    FakeWindow window{dialog};
};

TEST_F(GeneratorDlgTest, OpensWithTheTableListedAndTheStoredFieldsShown) {
    dialog.m_strBasicClassName = "CDialog";
    dialog.m_strDialogResourceId = "IDD_STORED";
    dialog.m_strResourceFile = dir.File("stored.rc");
    dir.Write("stored.rc", "IDD_B DIALOG 0, 0, 9, 9\r\nIDD_A DIALOGEX 0, 0, 9, 9\r\n");
    Open();

    EXPECT_THAT(window.listItems, ElementsAre("Dialog", "View", "NoHeader", "Dialog"));
    EXPECT_EQ(window.listSelection, -1);
    EXPECT_TRUE(window.messages.empty());
    // First run: the output folder is where the program started.
    EXPECT_EQ(window.texts[kIdcOutputFolder], dir.Path());
    EXPECT_EQ(window.texts[kIdcBasicClassName], "CDialog");
    // The stored script is scanned at once; the stored ID stands as it is.
    EXPECT_THAT(window.comboItems, ElementsAre("IDD_A", "IDD_B"));
    EXPECT_EQ(window.texts[kIdcDialogResourceId], "IDD_STORED");
    EXPECT_FALSE(ResourceControlsEnabled());
}

// The system-menu command opens the folder of the table in use, or says why it cannot.
TEST_F(GeneratorDlgTest, OpensTheTemplateFolder) {
    testing::FakeOpener opener;
    dialog.m_opener = &opener;
    Open();
    dialog.OnSysCommand(kIdmOpenTemplateFolder);
    opener.handlerResult = 2;
    dialog.OnSysCommand(kIdmOpenTemplateFolder | 2);  // the low bits are the system's
    EXPECT_THAT(opener.opened, ElementsAre(dir.Path(), dir.Path()));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, FormatString(IDS_TEMPLATE_FOLDER_OPEN_FAILED, {dir.Path()}));
}

TEST_F(GeneratorDlgTest, OpeningWithoutATableReportsTheFolderAndKeepsTheStoredOutputFolder) {
    dialog.m_strOutputFolder = "/stored/out";
    Open(false);

    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, FormatString(IDS_TEMPLATE_LOAD_FAILED, {dir.Path()}));
    EXPECT_EQ(window.messages[0].style, kMbOkExclamation);
    EXPECT_TRUE(window.listItems.empty());
    EXPECT_EQ(window.texts[kIdcOutputFolder], "/stored/out");
}

TEST_F(GeneratorDlgTest, SelectingATemplateFillsItsDefaultsAndEnablesByTheDialogId) {
    Open();
    window.SelectTemplate(kView);
    EXPECT_EQ(window.texts[kIdcBasicClassName], "CView");
    EXPECT_EQ(window.texts[kIdcDerivedClassName], "CMyView");
    EXPECT_EQ(window.texts[kIdcSourceFileName], "MyView.cpp");
    EXPECT_FALSE(ResourceControlsEnabled());

    // Its new derived class name does not derive the header name anew; the empty source
    // default empties its field; what it has no default for stays.
    window.SelectTemplate(kNoHeader);
    EXPECT_EQ(window.texts[kIdcDerivedClassName], "CThing");
    EXPECT_EQ(window.texts[kIdcHeaderFileName], "MyView.h");
    EXPECT_EQ(window.texts[kIdcSourceFileName], "");
    EXPECT_EQ(window.texts[kIdcBasicClassName], "CView");

    window.SelectTemplate(kSecondDialog);
    EXPECT_EQ(window.texts[kIdcDerivedClassName], "CMyDlg");
    EXPECT_TRUE(ResourceControlsEnabled());

    // Disabling keeps the resource controls' contents, and what was typed is not lost.
    window.texts[kIdcResourceFile] = "a.rc";
    window.texts[kIdcOutputFolder] = "typed/out";
    window.texts[kIdcDialogResourceId] = "IDD_A";
    window.SelectTemplate(kView);
    EXPECT_FALSE(ResourceControlsEnabled());
    EXPECT_EQ(window.texts[kIdcResourceFile], "a.rc");
    EXPECT_EQ(dialog.m_strDialogResourceId, "IDD_A");
    EXPECT_EQ(window.texts[kIdcOutputFolder], "typed/out");

    // Typing a derived class name replaces the file names, typed or not.
    window.texts[kIdcHeaderFileName] = "typed.h";
    window.Type(kIdcDerivedClassName, "CCNew");
    EXPECT_EQ(window.texts[kIdcHeaderFileName], "CNew.h");
    EXPECT_EQ(dialog.m_strSourceFileName, "CNew.cpp");
}

TEST_F(GeneratorDlgTest, WritingSelectsTheFirstComboEntryTheIdBegins) {
    Open();
    for (const char* id : {"IDD_MAIN", "idd_main2", "IDD_ABOUT", "IDD_MAIN", "IDD_\x83\x41"}) {
        window.ComboAdd(kIdcDialogResourceId, id);
    }
    ASSERT_THAT(window.comboItems,
                ElementsAre("IDD_ABOUT", "IDD_MAIN", "IDD_MAIN", "IDD_\x83\x41", "idd_main2"));
    for (const std::vector<std::string>& c : ReadCases("shell/combo-selection.txt")) {
        const int selected = std::stoi(c.at(1));
        window.comboSelection = -1;
        dialog.m_strDialogResourceId = c[0];
        dialog.UpdateData(false);
        EXPECT_EQ(window.comboSelection, selected) << c[0];
        EXPECT_EQ(window.texts[kIdcDialogResourceId],
                  selected < 0 ? c[0] : window.comboItems[selected]);
    }
}

TEST_F(GeneratorDlgTest, PickingAResourceScriptListsItsDialogs) {
    dir.Write("app.rc",
              "IDD_MAIN DIALOG 0, 0, 10, 10\r\n"
              "IDD_ABOUT DIALOG 0, 0, 10, 10\r\n");
    dialog.m_strDialogResourceId = "idd_ma";
    Open();

    window.fileAnswer = dir.File("app.rc");
    window.Click(kIdcBrowseResourceFile);
    EXPECT_EQ(window.fileFilter, "Resource files(*.rc)|*.rc|.rc");
    EXPECT_EQ(dialog.m_strResourceFile, dir.File("app.rc"));
    EXPECT_EQ(window.texts[kIdcResourceFile], dir.File("app.rc"));
    EXPECT_THAT(window.comboItems, ElementsAre("IDD_ABOUT", "IDD_MAIN"));
    EXPECT_EQ(window.texts[kIdcDialogResourceId], "IDD_MAIN");

    // A script without dialogs empties the list silently and keeps the typed ID.
    dir.Write("none.rc", "// nothing\r\n");
    window.fileAnswer = dir.File("none.rc");
    window.texts[kIdcDialogResourceId] = "IDD_TYPED";
    window.Click(kIdcBrowseResourceFile);
    EXPECT_TRUE(window.comboItems.empty());
    EXPECT_EQ(window.texts[kIdcDialogResourceId], "IDD_TYPED");
    EXPECT_TRUE(window.messages.empty());
}

// The browser opens at the folder in the box, typed or not. A cancelled browse, or a confirmed
// item that is no folder, changes nothing; a chosen folder keeps what was typed in the other
// boxes.
TEST_F(GeneratorDlgTest, BrowsingForTheOutputFolderKeepsWhatWasTyped) {
    Open();
    for (const std::vector<std::string>& c : ReadCases("shell/browse-from.txt")) {
        window.texts[kIdcOutputFolder] = c.at(0);
        window.Click(kIdcBrowseOutputFolder);
        EXPECT_EQ(window.browsedFrom, c.at(1)) << c[0];
    }
    EXPECT_EQ(window.browsedTitle, LoadText(IDS_OUTPUT_FOLDER_TITLE));

    window.texts[kIdcBasicClassName] = "CTyped";
    window.folderAnswer = "";
    window.Click(kIdcBrowseOutputFolder);
    EXPECT_EQ(dialog.m_strOutputFolder, dir.Path());
    window.folderAnswer = "/chosen";
    window.Click(kIdcBrowseOutputFolder);
    EXPECT_EQ(dialog.m_strOutputFolder, "/chosen");
    EXPECT_EQ(window.texts[kIdcOutputFolder], "/chosen");
    EXPECT_EQ(window.texts[kIdcBasicClassName], "CTyped");
}

TEST_F(GeneratorDlgTest, GeneratesWithTheFirstOfTwoSameNamedTemplates) {
    dir.Write("h.txt", "first $$DNAME$$ $$DDID$$\n");
    dir.Write("cpp.txt", "first $$HFILE$$\n");
    dir.Write("other_h.txt", "second\n");
    dir.Write("other_cpp.txt", "second\n");
    Open();
    window.SelectTemplate(kSecondDialog);
    window.texts[kIdcDialogResourceId] = "IDD_X";
    window.texts[kIdcOutputFolder] = dir.File("out");
    dir.Write("out/keep", "");

    window.Click(kIdcGenerate);
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(dir.Read("out/MyDlg.h"), "first CMyDlg IDD_X\r\n");
    EXPECT_EQ(dir.Read("out/MyDlg.cpp"), "first MyDlg.h\r\n");
}

}  // namespace
}  // namespace tavrin::shell
