// The real dialog on the toolkit: what the window adds to the dialog's behaviour (whose rules
// the toolkit-free tests pin down with the fake window, and whose use by a person the user
// scenarios play): the paths it gives the choosers and takes back, its message boxes, and the
// code page 932 bytes behind what it shows.
#include <gtest/gtest.h>

#include <wx/arrstr.h>
#include <wx/textentry.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "WxTestSupport.h"
#include "shell/ResourceIds.h"
#include "shell/wx/MainDialog.h"
#include "shell/wx/WxText.h"

namespace tavrin::shell::wx {
namespace {

namespace fs = std::filesystem;

// Answers the choosers in place of the user (nothing: cancelled) and records what they got.
struct ScriptedChoosers : INativeChoosers {
    std::optional<wxString> ChooseFolder(wxWindow*, const wxString&,
                                         const wxString& initial) override {
        m_folderInitial = initial;
        return m_folder;
    }
    std::optional<wxString> ChooseFileToOpen(wxWindow*, const wxString&,
                                             const wxString& wildcard) override {
        m_fileWildcard = wildcard;
        return m_file;
    }
    std::optional<wxString> m_folder, m_file;
    wxString m_folderInitial, m_fileWildcard;
};

class MainDialogTest : public InCopyOfExamples {
protected:
    wxTextEntry& Entry(int id) { return *dynamic_cast<wxTextEntry*>(m_window.FindWindow(id)); }
    wxString Text(int id) { return Entry(id).GetValue(); }
    void Click(int id) {
        wxCommandEvent click(wxEVT_BUTTON, id);
        click.SetEventObject(m_window.FindWindow(id));
        m_window.FindWindow(id)->GetEventHandler()->ProcessEvent(click);
    }

    CGeneratorDlg m_dialog;
    ScriptedChoosers* m_choosers = new ScriptedChoosers;
    CMainDialog m_window{nullptr, m_dialog, std::unique_ptr<INativeChoosers>(m_choosers)};
};

// A relative folder in the box opens the browser where generation would write.
TEST_F(MainDialogTest, BrowsesForTheOutputFolderFromTheFolderInTheBox) {
    fs::create_directories("出力/下");
    Entry(kIdcOutputFolder).ChangeValue(wxString::FromUTF8("出力/"));
    Click(kIdcBrowseOutputFolder);
    EXPECT_EQ(m_choosers->m_folderInitial, FromFsPath(fs::current_path() / "出力"));

    m_choosers->m_folder = FromFsPath(fs::current_path() / "出力" / "下");
    Click(kIdcBrowseOutputFolder);
    EXPECT_EQ(Text(kIdcOutputFolder), *m_choosers->m_folder);
}

// The script is taken with its default extension, and its folder becomes the current
// directory, as the Windows dialog leaves it. (Its dialogs offered, the user scenarios play.)
TEST_F(MainDialogTest, ChoosingAResourceScriptAddsItsExtensionAndMovesTheCurrentDirectory) {
    fs::create_directory("rc");
    fs::copy_file("sample/sample.rc", "rc/sample.rc");
    m_dir.Write("rc/Makefile", "");  // an existing name is taken as it is
    const fs::path script = fs::current_path() / "rc" / "sample.rc";
    m_choosers->m_file = FromFsPath(fs::current_path() / "rc" / "sample");  // typed without ".rc"
    Click(kIdcBrowseResourceFile);

    EXPECT_EQ(m_choosers->m_fileWildcard, "Resource files(*.rc)|*.rc");
    EXPECT_EQ(Text(kIdcResourceFile), FromFsPath(script));
    EXPECT_EQ(fs::current_path(), script.parent_path());
    for (const char* name : {"sample.RC", "Makefile"}) {
        EXPECT_EQ(WithDefaultExtension(name, ".rc"), name);
    }
}

// The boxes show the exclamation mark with the buttons asked for (what the answers do, the user
// scenarios play).
TEST_F(MainDialogTest, MessageBoxesShowTheExclamationMarkAndTheButtonsAskedFor) {
    wxTEST_DIALOG(EXPECT_EQ(m_window.ShowMessageBox("OK?", kMbOkExclamation), kIdOk),
                  ExpectMessage("OK?"));
    wxTEST_DIALOG(EXPECT_EQ(m_window.ShowMessageBox("Yes?", kMbYesNoExclamation), kIdNo),
                  ExpectMessage("Yes?", wxYES_NO, wxID_NO));
}

// "Ⅰ" from the IBM extension rows is the same Unicode character as the NEC row's 0x8754: the
// list gives the table's bytes back, not those of the text it shows.
TEST_F(MainDialogTest, KeepsCodePage932Bytes) {
    m_window.ListReset(kIdcTemplateList);
    m_window.ListAdd(kIdcTemplateList, "\xFA\x4A");
    EXPECT_EQ(m_window.ListGetText(kIdcTemplateList, 0), "\xFA\x4A");
}

}  // namespace
}  // namespace tavrin::shell::wx
