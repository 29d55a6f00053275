#include "shell/GeneratorApp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/IniFile.h"
#include "engine/StringTable.h"
#include "platform/CurrentDirectory.h"
#include "platform/UserName.h"
#include "shell/FakeWindow.h"
#include "shell/StartFolder.h"
#include "support/TempDir.h"

namespace tavrin::shell {
namespace {

using testing::FakeWindow;

// Whole runs: the four settings are restored, and stored however the dialog closes. Only OK
// reads what was typed since the last exchange; the derived class name is never stored.
TEST(GeneratorAppTest, ClosingStoresTheSettingsAndOnlyOkReadsTheBoxes) {
    tavrin::testing::TempDir dir;
    tavrin::testing::CurrentDirectoryScope inDir(dir.Path());
    const std::string settings = dir.File(platform::AccountUserName() + ".cfg");
    auto stored = [&](std::string_view key) {
        return ReadIniString(settings, "TavrinDlg", key, "<missing>");
    };
    dir.Write("template.tbl", "");  // a template set of its own: the settings stay beside it
    WriteIniString(settings, "TavrinDlg", "BasicClassName", "CStored");
    WriteIniString(settings, "TavrinDlg", "ResourceFile", "\x95\x5C.rc");

    for (auto [close, base] : {std::pair{&CGeneratorDlg::OnCancel, "CStored"},
                               std::pair{&CGeneratorDlg::OnOK, "CTyped"}}) {
        CGeneratorApp app;
        EXPECT_FALSE(app.InitInstance([&](CGeneratorDlg& dialog) {
            FakeWindow window(dialog);
            dialog.OnInitDialog();
            EXPECT_EQ(window.texts[kIdcResourceFile], "\x95\x5C.rc");
            window.texts[kIdcBasicClassName] = "CTyped";
            window.texts[kIdcDerivedClassName] = "CTyped";
            (dialog.*close)();
        }));
        EXPECT_EQ(app.SettingsPath(), settings);
        EXPECT_EQ(stored("BasicClassName"), base);
        // The output folder became the start folder when the dialog opened.
        EXPECT_EQ(stored("OutputFolder"), dir.Path());
        EXPECT_EQ(stored("ResourceFile"), "\x95\x5C.rc");
        EXPECT_EQ(stored("DialogResourceId"), "");
        EXPECT_EQ(stored("DerivedClassName"), "<missing>");
    }
}

// A start folder code page 932 cannot name: the settings are read from it and saved into it,
// although the dialog moved the current directory (as choosing a resource script does).
TEST(GeneratorAppTest, KeepsTheSettingsInAStartFolderCodePage932CannotName) {
    tavrin::testing::TempDir dir;
    const std::filesystem::path cafe = std::filesystem::path(dir.Path()) / u8"café";
    std::filesystem::create_directory(cafe);
    const std::string before = platform::CurrentDirectory();
    ASSERT_TRUE(platform::ChangeCurrentDirectoryNative(cafe));
    std::ofstream(std::filesystem::path(cafe) / "template.tbl").close();
    WriteIniString(platform::AccountUserName() + ".cfg", "TavrinDlg", "BasicClassName", "CCafe");
    CGeneratorApp app;
    app.InitInstance([&](CGeneratorDlg& dialog) {
        FakeWindow window(dialog);
        dialog.OnInitDialog();
        EXPECT_EQ(window.texts[kIdcBasicClassName], "CCafe");
        window.texts[kIdcBasicClassName] = "CMoved";
        platform::ChangeCurrentDirectory(dir.Path());
        dialog.OnOK();
    });
    platform::ChangeCurrentDirectory(before);
    // Opened by the path object: its narrow string would not name the file on Windows.
    const std::string text = tavrin::testing::ReadBytes(
                                 cafe / std::filesystem::path(platform::AccountUserName() + ".cfg"))
                                 .value_or("");
    EXPECT_NE(text.find("BasicClassName=CMoved"), std::string::npos) << text;
    EXPECT_FALSE(dir.Exists(platform::AccountUserName() + ".cfg"));
}

// The three ways users start the program. From a menu (a folder without a table): the user's
// own template set, made from the examples and announced once, keeps the settings. "Open
// with" on a project: the class goes into the project, with its one resource script scanned
// and no dialog ID yet; nothing is written into the project but the class. Picking a script
// elsewhere moves the current directory; the templates are still found beside the table.
TEST(GeneratorAppTest, WorksWhereverItIsStarted) {
    namespace fs = std::filesystem;
    tavrin::testing::TempDir dir;
    tavrin::testing::CurrentDirectoryScope restore(dir.Path());
    const fs::path root(dir.Path());
    const TemplatePlaces places{root / "user" / "templates", TAVRIN_EXAMPLES_DIR, root};
    const std::string user = dir.File("user/templates");
    const std::string cfg = platform::AccountUserName() + ".cfg";
    for (const char* folder : {"home", "project", "two"}) {
        fs::create_directory(root / folder);
    }
    fs::copy_file(TAVRIN_EXAMPLES_DIR "/sample/sample.rc", root / "project" / "app.rc");
    fs::copy_file(TAVRIN_EXAMPLES_DIR "/sample/sample.rc", root / "two" / "a.rc");
    fs::copy_file(TAVRIN_EXAMPLES_DIR "/sample/sample.rc", root / "two" / "b.RC");

    const struct {
        const char* start;
        bool folderGiven;
        std::vector<std::string> messages;
        std::string outputFolder, resourceFile;
    } runs[] = {
        {"home", false, {FormatString(IDS_TEMPLATE_FOLDER_CREATED, {user})}, dir.File("home"), ""},
        {"home", false, {}, dir.File("home"), ""},
        {"project", true, {}, dir.File("project"), dir.File("project/app.rc")},
        {"two", true, {}, dir.File("two"), "remembered.rc"},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.start);
        // A launcher's folder becomes the current directory; only the first argument counts.
        ASSERT_EQ(EnterStartFolder({root / run.start, "ignored"}), std::nullopt);
        CGeneratorApp app;
        app.SetTemplatePlaces(places);
        app.SetFolderGiven(run.folderGiven);
        app.InitInstance([&](CGeneratorDlg& dialog) {
            FakeWindow window(dialog);
            dialog.OnInitDialog();
            std::vector<std::string> shown;
            for (const FakeWindow::Shown& message : window.messages) {
                shown.push_back(message.text);
            }
            EXPECT_EQ(shown, run.messages);
            EXPECT_EQ(window.listItems.size(), 5U);
            EXPECT_EQ(window.texts[kIdcOutputFolder], run.outputFolder);
            EXPECT_EQ(window.texts[kIdcResourceFile], run.resourceFile);
            EXPECT_EQ(window.comboItems.size(),
                      run.resourceFile == dir.File("project/app.rc") ? 6U : 0U);
            EXPECT_EQ(window.texts[kIdcDialogResourceId], "");
            if (run.folderGiven) {
                // The script of another folder: the current directory moves there.
                window.SelectTemplate(0);
                window.Type(kIdcDerivedClassName, "CConfigDlg");
                window.texts[kIdcDialogResourceId] = "IDD_INPUT_DIALOG";
                platform::ChangeCurrentDirectory(dir.Path());
                window.Click(kIdcGenerate);
                EXPECT_EQ(window.messages.size(), run.messages.size());
                EXPECT_TRUE(fs::exists(root / run.start / "ConfigDlg.h"));
                window.texts[kIdcOutputFolder] = "remembered";
                window.texts[kIdcResourceFile] = "remembered.rc";
                window.texts[kIdcDialogResourceId] = "";
            }
            dialog.OnOK();
        });
        EXPECT_EQ(app.SettingsPath(), dir.File("user/templates/" + cfg));
    }
    EXPECT_EQ(dir.List(), "home project two user");
    EXPECT_EQ(ReadIniString(dir.File("user/templates/" + cfg), "TavrinDlg", "OutputFolder", ""),
              "remembered");
    for (const char* folder : {"home", "project", "two"}) {
        EXPECT_FALSE(fs::exists(root / folder / cfg)) << folder;
    }
}

}  // namespace
}  // namespace tavrin::shell
