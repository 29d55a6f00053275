// What a person does with the main dialog, key by key, in each window the program has. The
// keys go through the window system as a keyboard's would; what is checked is what the person
// sees: the boxes' texts, the caret, the focus, the windows that open, the files written.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "scenarios/UserDriver.h"
#include "shell/ResourceIds.h"
#include "support/Process.h"
#include "support/TempDir.h"

namespace tavrin::testing {
namespace {

using namespace shell;  // the control IDs

// Waits for what the person expects to see; windows answer keys a little later.
bool Eventually(const std::function<bool()>& seen) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!seen()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

#define EXPECT_SHOWS(user, id, expected)                                                          \
    do {                                                                                          \
        const std::string want_ = (expected);                                                     \
        EXPECT_TRUE(Eventually([&] { return (user).Text(id) == want_; }))                         \
            << "box " << (id) << " shows \"" << (user).Text(id) << "\", not \"" << want_ << "\""; \
    } while (false)

#define EXPECT_FOCUS(user, id, after)                               \
    EXPECT_TRUE(Eventually([&] { return (user).Focus() == (id); })) \
        << "after " << (after) << " the focus is on " << (user).Focus() << ", not on " << (id)

// Waits for a box to open and returns it; a failure when none opens.
std::optional<OpenBox> WaitForBox(IUser& user) {
    std::optional<OpenBox> box;
    Eventually([&] { return (box = user.Box()).has_value(); });
    EXPECT_TRUE(box.has_value()) << "no window opened over the dialog";
    return box;
}

void ExpectBoxClosed(IUser& user, std::string_view after) {
    EXPECT_TRUE(Eventually([&] { return !user.Box().has_value(); }))
        << "the box is still open after " << after;
}

class UserScenario : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::string why; !CanShowWindows(why)) {
            GTEST_SKIP() << why;
        }
        std::filesystem::copy(Utf8Path(TAVRIN_EXAMPLES_DIR), Utf8Path(m_dir.Path()),
                              std::filesystem::copy_options::recursive);
    }
    void Run(const std::function<void(IUser&)>& scenario) {
        RunAsUser(m_dir.Path(), m_opener, scenario);
    }

    // Selects the dialog template (the first) with the keyboard.
    static void ChooseDialogTemplate(IUser& user) {
        // Down alone selects the first entry in one list and the second in another.
        user.Press("alt+t");
        user.Press("Down");
        user.Press("Home");
        EXPECT_TRUE(Eventually([&] { return user.ListSelection(kIdcTemplateList) == 0; }));
        EXPECT_SHOWS(user, kIdcBasicClassName, "CDialogEx");
    }
    // Replaces a box's whole text by typing, as a person does: into the box by its access
    // key, everything selected, the new text typed over it.
    static void Retype(IUser& user, const char* accessKey, int id, std::string_view text) {
        user.Press(accessKey);
        EXPECT_FOCUS(user, id, accessKey);
        user.Press("End");
        user.Press("shift+Home");
        user.Press("Delete");
        user.Type(text);
        EXPECT_SHOWS(user, id, std::string(text));
    }

    TempDir m_dir;
    ScriptedOpener m_opener;
};

// The file names follow the derived class name as it is typed, edited and pasted, and the
// caret stays where the person types.
TEST_F(UserScenario, TypingTheDerivedClassNameNamesTheFiles) {
    Run([](IUser& user) {
        user.Press("alt+d");
        EXPECT_FOCUS(user, kIdcDerivedClassName, "alt+d");
        user.Type("CSettingsDlg");
        EXPECT_SHOWS(user, kIdcDerivedClassName, "CSettingsDlg");
        EXPECT_EQ(user.Caret(kIdcDerivedClassName), 12);
        EXPECT_SHOWS(user, kIdcHeaderFileName, "SettingsDlg.h");
        EXPECT_SHOWS(user, kIdcSourceFileName, "SettingsDlg.cpp");

        // Editing in the middle: "Dlg" becomes "View", then a character goes from "Settings".
        for (const char* key : {"BackSpace", "BackSpace", "BackSpace"}) {
            user.Press(key);
        }
        user.Type("View");
        EXPECT_SHOWS(user, kIdcHeaderFileName, "SettingsView.h");
        user.Press("Home");
        for (int i = 0; i < 9; ++i) {
            user.Press("Right");
        }
        user.Press("BackSpace");
        EXPECT_SHOWS(user, kIdcDerivedClassName, "CSettingView");
        EXPECT_EQ(user.Caret(kIdcDerivedClassName), 8);
        user.Type("X");
        EXPECT_SHOWS(user, kIdcDerivedClassName, "CSettingXView");
        EXPECT_SHOWS(user, kIdcSourceFileName, "SettingXView.cpp");

        // Japanese comes pasted (an input method's result arrives the same way: as text).
        user.Press("End");
        user.Press("shift+Home");
        user.CopyToClipboard("C設定Dlg");
        user.Press("ctrl+v");
        EXPECT_SHOWS(user, kIdcDerivedClassName, "C設定Dlg");
        user.Type("2");
        EXPECT_SHOWS(user, kIdcDerivedClassName, "C設定Dlg2");
        EXPECT_SHOWS(user, kIdcHeaderFileName, "設定Dlg2.h");

        // A character code page 932 cannot hold turns into "?" where it was entered, and
        // typing goes on after it.
        user.Press("End");
        user.Press("shift+Home");
        user.CopyToClipboard("C😀");
        user.Press("ctrl+v");
        user.Type("Dlg");
        EXPECT_SHOWS(user, kIdcDerivedClassName, "C?Dlg");
        EXPECT_SHOWS(user, kIdcHeaderFileName, "?Dlg.h");
    });
}

// Every access key lands on its box, Tab walks the dialog in its order, and the template list
// is used with the arrow keys.
TEST_F(UserScenario, TheKeyboardReachesEveryControl) {
    Run([](IUser& user) {
        EXPECT_FOCUS(user, kIdcTemplateList, "opening");
        EXPECT_EQ(user.ListSelection(kIdcTemplateList), -1);
        EXPECT_FALSE(user.Enabled(kIdcResourceFile));
        ChooseDialogTemplate(user);
        EXPECT_TRUE(Eventually([&] { return user.Enabled(kIdcResourceFile); }));
        EXPECT_TRUE(user.Enabled(kIdcDialogResourceId));

        const std::pair<const char*, int> accessKeys[] = {
            {"alt+f", kIdcOutputFolder},     {"alt+b", kIdcBasicClassName},
            {"alt+d", kIdcDerivedClassName}, {"alt+h", kIdcHeaderFileName},
            {"alt+c", kIdcSourceFileName},   {"alt+o", kIdcResourceFile},
            {"alt+r", kIdcDialogResourceId}, {"alt+t", kIdcTemplateList},
        };
        for (const auto& [key, id] : accessKeys) {
            user.Press(key);
            EXPECT_FOCUS(user, id, key);
        }

        const int order[] = {kIdcOutputFolder,     kIdcDerivedClassName,   kIdcHeaderFileName,
                             kIdcSourceFileName,   kIdcResourceFile,       kIdcBrowseResourceFile,
                             kIdcDialogResourceId, kIdcGenerate,           kIdOk,
                             kIdcBasicClassName,   kIdcBrowseOutputFolder, kIdcTemplateList};
        for (int id : order) {
            user.Press("Tab");
            EXPECT_FOCUS(user, id, "Tab");
        }
        user.Press("shift+Tab");
        EXPECT_FOCUS(user, kIdcBrowseOutputFolder, "shift+Tab");

        // A template without a dialog resource ID disables the resource controls again.
        user.Press("alt+t");
        user.Press("End");
        EXPECT_TRUE(Eventually([&] { return !user.Enabled(kIdcResourceFile); }));
        EXPECT_FALSE(user.Enabled(kIdcDialogResourceId));
    });
}

// The resource script is chosen in the system's file dialog by entering its path there; its
// dialogs are offered, the first one shown.
TEST_F(UserScenario, ChoosingAResourceScriptOffersItsDialogs) {
    const std::string script = Utf8Path(m_dir.File("sample/sample.rc")).make_preferred().string();
    Run([&](IUser& user) {
        ChooseDialogTemplate(user);
        user.Press("alt+o");
        user.Press("Tab");
        EXPECT_FOCUS(user, kIdcBrowseResourceFile, "Tab");
        user.Press("space");
        ASSERT_TRUE(WaitForBox(user).has_value());
        // Pasted, as a path copied from elsewhere: typed, it would race the dialog's completion.
        user.CopyToClipboard(script);
        user.Press("ctrl+v");
        user.Press("Return");
        ExpectBoxClosed(user, "Return");
        EXPECT_SHOWS(user, kIdcResourceFile, script);
        EXPECT_SHOWS(user, kIdcDialogResourceId, "IDD_ABOUTBOX");
    });
}

// The folder browser opens at the folder in the box, and confirmed at once it gives that
// folder back, not one of the folders inside it.
TEST_F(UserScenario, TheFolderBrowserGivesBackTheFolderItOpensAt) {
    const std::string folder = Utf8Path(m_dir.Path()).make_preferred().string();
    Run([&](IUser& user) {
        Retype(user, "alt+f", kIdcOutputFolder, folder);
        user.Press("alt+b");
        user.Press("Tab");
        EXPECT_FOCUS(user, kIdcBrowseOutputFolder, "Tab");
        user.Press("space");
        ASSERT_TRUE(WaitForBox(user).has_value());
        user.ConfirmChooser();
        ExpectBoxClosed(user, "confirming");
        EXPECT_SHOWS(user, kIdcOutputFolder, folder);
    });
}

// Generating writes what tavrin-cli writes for the same request; generating again asks
// before the files are replaced, and only Yes replaces them.
TEST_F(UserScenario, OnlyYesOverwritesTheFiles) {
    Run([this](IUser& user) {
        ChooseDialogTemplate(user);
        Retype(user, "alt+d", kIdcDerivedClassName, "CSettingsDlg");
        Retype(user, "alt+r", kIdcDialogResourceId, "IDD_INPUT_DIALOG");
        user.Press("Tab");
        EXPECT_FOCUS(user, kIdcGenerate, "Tab");
        user.Press("space");
        ASSERT_TRUE(Eventually([&] { return m_dir.Exists("SettingsDlg.cpp"); }));
        EXPECT_FALSE(user.Box().has_value());
        // The same request through tavrin-cli writes the same bytes.
        TempDir cli;
        std::filesystem::copy(Utf8Path(TAVRIN_EXAMPLES_DIR), Utf8Path(cli.Path()),
                              std::filesystem::copy_options::recursive);
        ASSERT_EQ(
            RunProgram(TAVRIN_CLI_PATH, {"-C", cli.Path(), "generate", "-t", "ダイアログ", "-d",
                                         "CSettingsDlg", "-i", "IDD_INPUT_DIALOG", "-o", "."})
                .status,
            0);
        for (const char* name : {"SettingsDlg.h", "SettingsDlg.cpp"}) {
            EXPECT_EQ(MaskGuids(m_dir.Read(name)), MaskGuids(cli.Read(name))) << name;
        }

        const std::pair<const char*, bool> answers[] = {
            {"Escape", false}, {"alt+F4", false}, {"alt+n", false}, {"Return", true}};
        for (const auto& [key, replaces] : answers) {
            SCOPED_TRACE(key);
            m_dir.Write("SettingsDlg.h", "old");
            user.Press("space");
            const std::optional<OpenBox> box = WaitForBox(user);
            ASSERT_TRUE(box.has_value());
            EXPECT_EQ(box->caption, "Tavrin");
            EXPECT_NE(box->text.find("SettingsDlg.h]"), std::string::npos) << box->text;
            EXPECT_NE(box->text.find("を上書きしますか"), std::string::npos) << box->text;
            user.Press(key);
            ExpectBoxClosed(user, key);
            EXPECT_TRUE(user.DialogOpen());
            EXPECT_EQ(m_dir.Read("SettingsDlg.h") != "old", replaces);
            EXPECT_FOCUS(user, kIdcGenerate, "the question");
        }
    });
}

// The close button keeps what was typed for the next start; Escape drops it.
TEST_F(UserScenario, ClosingKeepsTheFieldsForTheNextStart) {
    Run([](IUser& user) {
        ChooseDialogTemplate(user);
        Retype(user, "alt+b", kIdcBasicClassName, "CMyBase");
        Retype(user, "alt+f", kIdcOutputFolder, "out");
        Retype(user, "alt+r", kIdcDialogResourceId, "IDD_KEPT");
        user.Press("Tab");
        user.Press("Tab");
        EXPECT_FOCUS(user, kIdOk, "Tab");
        user.Press("space");
        EXPECT_TRUE(Eventually([&] { return !user.DialogOpen(); }));
    });
    Run([](IUser& user) {
        EXPECT_SHOWS(user, kIdcBasicClassName, "CMyBase");
        EXPECT_SHOWS(user, kIdcOutputFolder, "out");
        EXPECT_SHOWS(user, kIdcDialogResourceId, "IDD_KEPT");
        Retype(user, "alt+b", kIdcBasicClassName, "CDropped");
        user.Press("Escape");
        EXPECT_TRUE(Eventually([&] { return !user.DialogOpen(); }));
    });
    Run([](IUser& user) { EXPECT_SHOWS(user, kIdcBasicClassName, "CMyBase"); });
}

// A path longer than its box shows its end, which tells folders apart, with the whole path in
// the box's tooltip: as typed, and as the dialog writes it back at the next start.
TEST_F(UserScenario, LongPathsShowTheirEndWithTheWholePathInATooltip) {
    const std::string sep(1, std::filesystem::path::preferred_separator == L'\\' ? '\\' : '/');
    const std::string folder = m_dir.Path() + sep + "a-folder-name-long-enough-to-push-the-end" +
                               sep + "of-the-path-out-of-the-box" + sep + "MyProject";
    const std::string script = folder + sep + "MyProject.rc";
    Run([&](IUser& user) {
        ChooseDialogTemplate(user);
        Retype(user, "alt+f", kIdcOutputFolder, folder);
        EXPECT_EQ(user.Tooltip(kIdcOutputFolder), folder);
        Retype(user, "alt+o", kIdcResourceFile, script);
        EXPECT_EQ(user.Tooltip(kIdcResourceFile), script);
        user.Press("alt+r");
        user.Press("Tab");
        user.Press("Tab");
        EXPECT_FOCUS(user, kIdOk, "Tab");
        user.Press("space");
        EXPECT_TRUE(Eventually([&] { return !user.DialogOpen(); }));
    });
    Run([&](IUser& user) {
        for (const auto& [id, path] :
             {std::pair{kIdcOutputFolder, folder}, {kIdcResourceFile, script}}) {
            EXPECT_SHOWS(user, id, path);
            EXPECT_TRUE(user.ShowsEnd(id)) << id;
            EXPECT_EQ(user.Tooltip(id), path);
        }
    });
}

// The dialog opens in the middle of the screen. The About box comes from its menu with the
// program's version; its links open their targets, or say why they cannot.
TEST_F(UserScenario, OpensCentredWithTheAboutBoxInItsMenu) {
    Run([this](IUser& user) {
        const ScreenRect dialog = user.DialogRect();
        const ScreenRect area = user.WorkArea();
        // Within a few pixels: a frame drawn around the dialog may be counted or not.
        EXPECT_NEAR(dialog.left + dialog.right, area.left + area.right, 40);
        EXPECT_NEAR(dialog.top + dialog.bottom, area.top + area.bottom, 80);

        user.ChooseMenuCommand("a");
        const std::optional<OpenBox> about = WaitForBox(user);
        ASSERT_TRUE(about.has_value());
        EXPECT_EQ(about->caption, "ﾊﾞｰｼﾞｮﾝ情報");
        EXPECT_EQ(about->text, "Version " TAVRIN_VERSION);
        const auto boxIs = [&](const char* caption) {
            return Eventually([&] {
                const std::optional<OpenBox> box = user.Box();
                return box.has_value() && box->caption == caption;
            });
        };
        user.Click(kIdcMailLink);  // opening fails: the file was not found
        ASSERT_TRUE(boxIs("Tavrin")) << "no message over the About box";
        EXPECT_EQ(user.Box()->text.rfind("Unable to open hyperlink:", 0), 0U) << user.Box()->text;
        user.Press("Return");
        EXPECT_TRUE(boxIs("ﾊﾞｰｼﾞｮﾝ情報"));
        m_opener.result = 42;
        user.Click(kIdcHomeLink);
        EXPECT_TRUE(Eventually([&] { return m_opener.opened.size() == 2; }));
        EXPECT_EQ(user.Box()->caption, "ﾊﾞｰｼﾞｮﾝ情報");  // no message this time
        user.Press("Escape");
        ExpectBoxClosed(user, "Escape");
        EXPECT_TRUE(user.DialogOpen());
        EXPECT_EQ(m_opener.opened, (std::vector<std::string>{"mailto:feedback@tavrin.example",
                                                             "https://www.tavrin.example/"}));
    });
}

// The class goes into the project its folder belongs to when the box says so, and the box
// keeps its state for the next start; the preview and the template check are a menu command
// away.
TEST_F(UserScenario, AddsTheClassToTheProjectAndShowsWhatItWrote) {
    Run([](IUser& user) { EXPECT_FALSE(user.Enabled(kIdcAddToProject)); });
    for (const char* name : {"App.vcxproj", "App.vcxproj.filters"}) {
        m_dir.Write(name, ReadFixture(std::string("project/vs2022-mfc/") + name));
    }
    Run([this](IUser& user) {
        EXPECT_TRUE(user.Enabled(kIdcAddToProject));
        ChooseDialogTemplate(user);
        Retype(user, "alt+d", kIdcDerivedClassName, "CSettingsDlg");
        Retype(user, "alt+r", kIdcDialogResourceId, "IDD_INPUT_DIALOG");
        user.Press("alt+p");
        EXPECT_TRUE(Eventually([&] { return user.Checked(kIdcAddToProject); }));
        user.Press("alt+r");
        user.Press("Tab");
        user.Press("space");
        EXPECT_TRUE(Eventually([&] {
            return user.Title().find("を書き込み、プロジェクトに追加しました。") !=
                   std::string::npos;
        })) << user.Title();
        EXPECT_NE(user.Title().find("SettingsDlg.cpp"), std::string::npos) << user.Title();
        for (const char* name : {"App.vcxproj", "App.vcxproj.filters"}) {
            EXPECT_NE(m_dir.Read(name).find("SettingsDlg.h"), std::string::npos) << name;
        }

        user.ChooseMenuCommand("v");
        std::optional<OpenBox> preview = WaitForBox(user);
        ASSERT_TRUE(preview.has_value());
        EXPECT_EQ(preview->caption, "プレビュー");
        EXPECT_NE(preview->text.find("置き換えます（内容は同じです）: "), std::string::npos)
            << preview->text;
        EXPECT_NE(preview->text.find("プロジェクトに登録済みです"), std::string::npos);
        user.Press("Escape");
        ExpectBoxClosed(user, "Escape");
    });
    Run([](IUser& user) {
        EXPECT_TRUE(user.Checked(kIdcAddToProject));
        user.ChooseMenuCommand("k");
        std::optional<OpenBox> report = WaitForBox(user);
        ASSERT_TRUE(report.has_value());
        EXPECT_EQ(report->caption, "テンプレートの検査");
        EXPECT_NE(report->text.find("問題は見つかりませんでした。"), std::string::npos);
        user.Press("Escape");
        ExpectBoxClosed(user, "Escape");
    });
}

}  // namespace
}  // namespace tavrin::testing
