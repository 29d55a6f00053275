// The real dialog on the toolkit: the controls of dialog 301, what the window adds to the
// dialog's behaviour (whose rules the toolkit-free tests pin down with the fake window), and
// whole runs of it, from opening in a copy of the examples to generating and closing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <filesystem>
#include <functional>

#include "WxTestSupport.h"
#include "engine/IniFile.h"
#include "platform/CurrentDirectory.h"
#include "platform/UserName.h"
#include "shell/GeneratorApp.h"
#include "shell/ResourceIds.h"
#include "shell/wx/AboutBox.h"
#include "shell/wx/MainDialog.h"
#include "shell/wx/WxText.h"
#include "support/Process.h"
#include "support/TempDir.h"

namespace tavrin::shell {
namespace {

namespace fs = std::filesystem;
using tavrin::testing::MaskGuids;
using tavrin::testing::RunProgram;
using tavrin::testing::TempDir;
using testing::ExpectMessage;
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
    // The window the helpers act on: the one Open made, or one a test made itself.
    CMainDialog& Window() { return m_borrowed != nullptr ? *m_borrowed : *m_window; }
    wxWindow& Control(int id) { return *Window().FindWindow(id); }
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
    CMainDialog* m_borrowed = nullptr;  // not owned
};

// The tab order of dialog 301: each label comes just before its box, so that its access key
// ("&T") moves the focus there. -1: a label without an ID.
TEST_F(MainDialogTest, HasTheControlsOfDialog301InTemplateOrder) {
    CMainDialog& window = Open();
    EXPECT_EQ(window.GetTitle(), "Tavrin");
    std::vector<int> ids;
    for (wxWindow* child : window.GetChildren()) {
        ids.push_back(child->GetId() < 0 ? -1 : child->GetId());
    }
    EXPECT_THAT(ids, ::testing::ElementsAre(-1, 2010, -1, 2008, -1, 2005, -1, 2006, -1, 2007, 2012,
                                            2009, 2002, 2011, 2003, 2000, 1, -1, 2004, 2001));
    EXPECT_EQ(window.FindWindow(2012)->GetLabel(), U("リソースファイル名(&O) :"));
}

TEST_F(MainDialogTest, GeneratesTheSameBytesAsTavrinCli) {
    TempDir cliDir;
    fs::copy(TAVRIN_EXAMPLES_DIR, cliDir.Path(), fs::copy_options::recursive);
    fs::create_directory(cliDir.File("out"));
    ASSERT_EQ(RunProgram(TAVRIN_CLI_PATH, {"-C", cliDir.Path(), "generate", "-t", "ダイアログ",
                                           "-d", "C表Dlg", "-i", "IDD_INPUT_DIALOG", "-o", "out"})
                  .status,
              0);

    fs::create_directory("out");
    Open();
    m_choosers->file = FromFsPath(fs::current_path() / "sample.rc");
    Select(0);
    Entry(kIdcDerivedClassName).SetValue(U("C表Dlg"));  // typed: derives the file names
    Entry(kIdcOutputFolder).ChangeValue("out");
    Entry(kIdcDialogResourceId).ChangeValue("idd_inp");
    Click(kIdcBrowseResourceFile);
    EXPECT_EQ(Text(kIdcDialogResourceId), "IDD_INPUT_DIALOG");
    Click(kIdcGenerate);

    EXPECT_THAT(m_dir.Read("out/表Dlg.h"), ::testing::HasSubstr("IDD = IDD_INPUT_DIALOG"));
    for (std::string name : {"out/表Dlg.h", "out/表Dlg.cpp"}) {
        EXPECT_EQ(MaskGuids(m_dir.Read(name)), MaskGuids(cliDir.Read(name))) << name;
    }
}

// A Yes/No box closed without Yes (GTK lets Escape do that) must count as No.
TEST_F(MainDialogTest, ReportsAndAsksInMessageBoxes) {
    Open();
    wxTEST_DIALOG(Click(kIdcGenerate), ExpectMessage(U("テンプレートが選択されていません。")));

    Select(3);
    Entry(kIdcOutputFolder).ChangeValue("");
    Click(kIdcGenerate);
    ASSERT_TRUE(fs::exists("SampleWnd.cpp"));
    const wxString question =
        U("派成クラスのヘッダ又はソースが存在します。\n[SampleWnd.h]\n[SampleWnd.cpp]\n"
          "を上書きしますか?");
    for (int answer : {wxID_CANCEL, wxID_YES}) {
        m_dir.Write("SampleWnd.cpp", "old");
        wxTEST_DIALOG(Click(kIdcGenerate), ExpectMessage(question, wxYES_NO, answer));
        EXPECT_EQ(m_dir.Read("SampleWnd.cpp") == "old", answer != wxID_YES);
    }
}

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
    fs::copy_file("sample.rc", "rc/sample.rc");
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

    // Code page 932 has no emoji: a typed one becomes "?", in the box as in the names.
    Entry(kIdcDerivedClassName).SetValue(U("C😀Dlg"));
    EXPECT_EQ(Text(kIdcDerivedClassName), "C?Dlg");
    EXPECT_EQ(Text(kIdcHeaderFileName), "?Dlg.h");

    // Only a change the user makes derives the names; a program's write does not.
    Entry(kIdcDerivedClassName).ChangeValue(U("COtherDlg"));
    EXPECT_EQ(Text(kIdcHeaderFileName), "?Dlg.h");
}

TEST_F(MainDialogTest, OffersTheAboutCommand) {
    CMainDialog& window = Open();
    std::unique_ptr<wxMenu> menu = window.CreateAboutMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(menu->FindItem(kIdmAboutBox), nullptr);
    EXPECT_EQ(menu->FindItem(kIdmAboutBox)->GetItemLabel(), U("バージョン情報(&A)..."));
    ASSERT_NE(menu->FindItem(kIdmOpenTemplateFolder), nullptr);
    wxCommandEvent about(wxEVT_MENU, kIdmAboutBox);
    wxTEST_DIALOG(window.ProcessWindowEvent(about), wxExpectDismissableModal<CAboutBox>(wxID_OK));
}

// The program's whole run: settings restored, the dialog closed one of three ways, settings
// saved. Only the close button reads what was typed since the last exchange.
TEST_F(MainDialogTest, ClosingSavesTheSettingsAndOnlyTheCloseButtonReadsTheBoxes) {
    const struct {
        const char* how;
        std::function<void(CMainDialog&)> close;
        const char* savedBase;
    } cases[] = {
        {"close button", [this](CMainDialog&) { Click(kIdOk); }, "CTyped"},
        {"Escape",
         [](CMainDialog& window) {
             wxKeyEvent escape(wxEVT_CHAR_HOOK);
             escape.m_keyCode = WXK_ESCAPE;
             escape.SetEventObject(&window);
             window.ProcessWindowEvent(escape);
         },
         "CStored"},
        {"close box", [](CMainDialog& window) { window.Close(); }, "CStored"},
    };
    const std::string settings =
        platform::CurrentDirectory() + "/" + platform::AccountUserName() + ".cfg";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        WriteIniString(settings, "TavrinDlg", "BasicClassName", "CStored");
        WriteIniString(settings, "TavrinDlg", "DialogResourceId", "IDD_STORED");
        CGeneratorApp app;
        EXPECT_FALSE(app.InitInstance([&](CGeneratorDlg& dialog) {
            CMainDialog window(nullptr, dialog, std::make_unique<ScriptedChoosers>());
            m_borrowed = &window;
            window.CallAfter([&] {
                // Shown, with the focus on the template list: GTK has selected nothing,
                // so no template's defaults replaced the restored fields. The window manager
                // hands the focus over a little after the window appeared.
                for (int i = 0; i < 100 && wxWindow::FindFocus() == nullptr; ++i) {
                    wxYield();
                    wxMilliSleep(20);
                }
                EXPECT_EQ(wxWindow::FindFocus(), window.FindWindow(kIdcTemplateList));
                EXPECT_EQ(window.ListGetSelection(kIdcTemplateList), -1);
                EXPECT_EQ(window.GetText(kIdcBasicClassName), "CStored");
                Entry(kIdcBasicClassName).ChangeValue("CTyped");
                c.close(window);
                if (window.IsModal()) {
                    ADD_FAILURE() << "the dialog did not close";
                    window.EndModal(kIdCancel);
                }
            });
            window.ShowModal();
            m_borrowed = nullptr;
        }));
        EXPECT_EQ(ReadIniString(settings, "TavrinDlg", "BasicClassName", "-"), c.savedBase);
        EXPECT_EQ(ReadIniString(settings, "TavrinDlg", "DialogResourceId", "-"), "IDD_STORED");
    }
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
    m_choosers->file = FromFsPath(fs::current_path() / "sample.rc");
    Select(0);
    Entry(kIdcDialogResourceId).ChangeValue("IDD_INPUT_DIALOG");
    Click(kIdcBrowseResourceFile);
    Entry(kIdcResourceFile).ChangeValue("/home/user/sample/sample.rc");
    Entry(kIdcOutputFolder).ChangeValue("/home/user/sample");
    testing::SaveScreenshot(*m_window, "TAVRIN_SCREENSHOT");
}

}  // namespace
}  // namespace tavrin::shell
