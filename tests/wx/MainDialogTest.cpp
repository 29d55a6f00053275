// The real dialog on the toolkit: what the window adds to the dialog's behaviour (whose rules
// the toolkit-free tests pin down with the fake window, and whose use by a person the user
// scenarios play), from the choosers it opens to the bytes it generates.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <filesystem>

#include "WxTestSupport.h"
#include "shell/ResourceIds.h"
#include "shell/wx/MainDialog.h"
#include "shell/wx/WxText.h"
#include "support/TempDir.h"

namespace tavrin::shell::wx {
namespace {

namespace fs = std::filesystem;
using tavrin::testing::TempDir;
using testing::U;

// Answers the choosers in place of the user (nothing: cancelled) and records what they got.
struct ScriptedChoosers : INativeChoosers {
    std::optional<wxString> ChooseFolder(wxWindow*, const wxString&,
                                         const wxString& initial) override {
        folderInitial = initial;
        return folder;
    }
    std::optional<wxString> ChooseFileToOpen(wxWindow*, const wxString&,
                                             const wxString& wildcard) override {
        fileWildcard = wildcard;
        return file;
    }
    std::optional<wxString> folder, file;
    wxString folderInitial, fileWildcard;
};

// Each test runs in its own copy of the examples, as the program is meant to be started.
class MainDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy(TAVRIN_EXAMPLES_DIR, m_dir.Path(), fs::copy_options::recursive);
        fs::current_path(m_dir.Path());
    }
    void TearDown() override {
        m_window.reset();
        fs::current_path(m_previousDir);
    }

    CMainDialog& Open() {
        auto choosers = std::make_unique<ScriptedChoosers>();
        m_choosers = choosers.get();
        m_window = std::make_unique<CMainDialog>(nullptr, m_dialog, std::move(choosers));
        return *m_window;
    }
    wxWindow& Control(int id) { return *m_window->FindWindow(id); }
    wxTextEntry& Entry(int id) { return *dynamic_cast<wxTextEntry*>(&Control(id)); }
    wxString Text(int id) { return Entry(id).GetValue(); }

    // What a click of the user's raises.
    void Click(int id) {
        wxCommandEvent click(wxEVT_BUTTON, id);
        click.SetEventObject(&Control(id));
        Control(id).GetEventHandler()->ProcessEvent(click);
    }
    void Select(int index) {
        auto& list = dynamic_cast<wxListBox&>(Control(kIdcTemplateList));
        list.SetSelection(index);
        wxCommandEvent selected(wxEVT_LISTBOX, kIdcTemplateList);
        selected.SetEventObject(&list);
        selected.SetInt(index);
        list.GetEventHandler()->ProcessEvent(selected);
    }

    TempDir m_dir;
    fs::path m_previousDir = fs::current_path();
    CGeneratorDlg m_dialog;
    ScriptedChoosers* m_choosers = nullptr;
    std::unique_ptr<CMainDialog> m_window;
};

TEST_F(MainDialogTest, BrowsesForTheOutputFolderFromTheFolderInTheBox) {
    fs::create_directories("出力/下");
    Open();
    Entry(kIdcOutputFolder).ChangeValue(U("出力/"));
    Click(kIdcBrowseOutputFolder);
    // A relative folder opens resolved as generation would resolve it.
    EXPECT_EQ(m_choosers->folderInitial, FromFsPath(fs::current_path() / "出力"));

    m_choosers->folder = FromFsPath(fs::current_path() / "出力" / "下");
    Click(kIdcBrowseOutputFolder);
    EXPECT_EQ(Text(kIdcOutputFolder), *m_choosers->folder);
}

TEST_F(MainDialogTest, ChoosingAResourceScriptOffersItsDialogsAndMovesTheCurrentDirectory) {
    fs::create_directory("rc");
    fs::copy_file("sample/sample.rc", "rc/sample.rc");
    const fs::path script = fs::current_path() / "rc" / "sample.rc";
    Open();
    m_choosers->file = FromFsPath(fs::current_path() / "rc" / "sample");  // typed without ".rc"
    Click(kIdcBrowseResourceFile);

    EXPECT_EQ(m_choosers->fileWildcard, "Resource files(*.rc)|*.rc");
    EXPECT_EQ(Text(kIdcResourceFile), FromFsPath(script));
    // Sorted by the combo box itself; the empty ID offers the first.
    EXPECT_THAT(dynamic_cast<wxComboBox&>(Control(kIdcDialogResourceId)).GetStrings(),
                ::testing::ElementsAre("IDD_ABOUTBOX", "IDD_DISPLAY_PAGE", "IDD_GENERAL_PAGE",
                                       "IDD_INPUT_DIALOG", "IDD_SAMPLE_DIALOG", "IDD_SAMPLE_FORM"));
    EXPECT_EQ(Text(kIdcDialogResourceId), "IDD_ABOUTBOX");
    EXPECT_EQ(fs::current_path(), script.parent_path());
}

TEST_F(MainDialogTest, KeepsCodePage932Bytes) {
    CMainDialog& window = Open();
    // "Ⅰ" from the IBM extension rows is the same Unicode character as the NEC row's 0x8754:
    // the list must give the table's bytes back, not those of the text it shows.
    window.ListReset(kIdcTemplateList);
    window.ListAdd(kIdcTemplateList, "\xFA\x4A");
    EXPECT_EQ(window.ListGetText(kIdcTemplateList, 0), "\xFA\x4A");

    // Only a change the user makes derives the names; a program's write does not.
    Entry(kIdcDerivedClassName).ChangeValue(U("COtherDlg"));
    EXPECT_EQ(Text(kIdcHeaderFileName), "");
}

TEST(WithDefaultExtensionTest, AddsTheExtensionOnlyToANameTypedWithoutOne) {
    TempDir dir;
    dir.Write("Makefile", "");
    const struct {
        std::string name;
        std::string_view extension;
        std::string expected;
    } cases[] = {
        {"a", ".rc", "a.rc"},
        {"a", "rc", "a.rc"},
        {"a.RC", ".rc", "a.RC"},
        {"a", "", "a"},
        {"Makefile", ".rc", "Makefile"},  // an existing file as it is
    };
    for (const auto& c : cases) {
        fs::path path = fs::path(dir.Path()) / c.name;
        EXPECT_EQ(WithDefaultExtension(path, c.extension), fs::path(dir.Path()) / c.expected);
    }
}

// Not a test: the picture of the dialog for the README (scripts/screenshot).
TEST_F(MainDialogTest, DISABLED_Screenshot) {
    Open();
    m_choosers->file = FromFsPath(fs::current_path() / "sample" / "sample.rc");
    Select(0);
    Entry(kIdcDialogResourceId).ChangeValue("IDD_INPUT_DIALOG");
    Click(kIdcBrowseResourceFile);
    Entry(kIdcResourceFile).ChangeValue("/home/user/sample/sample.rc");
    Entry(kIdcOutputFolder).ChangeValue("/home/user/sample");
    testing::SaveScreenshot(*m_window, "TAVRIN_SCREENSHOT");
}

}  // namespace
}  // namespace tavrin::shell::wx
