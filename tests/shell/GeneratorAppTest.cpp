#include "shell/GeneratorApp.h"

#include <gtest/gtest.h>

#include "engine/IniFile.h"
#include "platform/UserName.h"
#include "shell/FakeWindow.h"
#include "support/TempDir.h"

namespace tavrin::shell {
namespace {

using tavrin::testing::TempDir;
using testing::CurrentDirectoryScope;
using testing::FakeWindow;

class GeneratorAppTest : public ::testing::Test {
protected:
    std::string Stored(std::string_view key) {
        return ReadIniString(SettingsPath(), "TavrinDlg", key, "<missing>");
    }
    std::string SettingsPath() { return dir.Path() + "/" + platform::AccountUserName() + ".cfg"; }

    // One run in which the user types a base class name and then closes the dialog.
    void RunTypingThen(void (CGeneratorDlg::*close)()) {
        CGeneratorApp app;
        EXPECT_FALSE(app.InitInstance([&](CGeneratorDlg& dialog) {
            FakeWindow window(dialog);
            dialog.OnInitDialog();
            window.texts[IDC_BASIC_CLASS_NAME] = "CTyped";
            (dialog.*close)();
        }));
        EXPECT_EQ(app.SettingsPath(), SettingsPath());
    }

    TempDir dir;
    CurrentDirectoryScope inDir{dir.Path()};
};

TEST_F(GeneratorAppTest, CancelKeepsTheLastExchangedValueAndCloseStoresTheTypedOne) {
    WriteIniString(SettingsPath(), "TavrinDlg", "BasicClassName", "CStored");

    RunTypingThen(&CGeneratorDlg::OnCancel);
    EXPECT_EQ(Stored("BasicClassName"), "CStored");
    // Nothing was stored: the output folder became the start folder when the dialog opened.
    EXPECT_EQ(Stored("OutputFolder"), dir.Path());
    EXPECT_EQ(Stored("DialogResourceId"), "");

    RunTypingThen(&CGeneratorDlg::OnOK);
    EXPECT_EQ(Stored("BasicClassName"), "CTyped");
}

}  // namespace
}  // namespace tavrin::shell
