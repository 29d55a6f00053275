#include "shell/GeneratorApp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/IniFile.h"
#include "platform/CurrentDirectory.h"
#include "platform/UserName.h"
#include "shell/FakeWindow.h"
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
    std::ifstream file(cafe / std::filesystem::path(platform::AccountUserName() + ".cfg"),
                       std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("BasicClassName=CMoved"), std::string::npos) << text;
    EXPECT_FALSE(dir.Exists(platform::AccountUserName() + ".cfg"));
}

}  // namespace
}  // namespace tavrin::shell
