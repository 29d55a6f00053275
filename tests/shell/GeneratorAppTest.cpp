#include "shell/GeneratorApp.h"

#include <gtest/gtest.h>

#include "engine/IniFile.h"
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

}  // namespace
}  // namespace tavrin::shell
