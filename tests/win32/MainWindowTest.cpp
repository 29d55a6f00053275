// The main dialog as a native window from its resource, driven with the messages a person's
// actions send, under Wine in CI.
#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "shell/GeneratorDlg.h"
#include "shell/win32/MainWindow.h"
#include "support/CurrentDirectoryScope.h"
#include "support/TempDir.h"
#include "win32/WindowTestSupport.h"

namespace tavrin::testing {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        TAVRIN_SKIP_WITHOUT_DISPLAY();
        std::filesystem::copy(Utf8Path(TAVRIN_EXAMPLES_DIR), Utf8Path(m_dir.Path()),
                              std::filesystem::copy_options::recursive);
        m_scope = std::make_unique<CurrentDirectoryScope>(m_dir.Path());
    }
    void TearDown() override {
        m_window.reset();
        m_scope.reset();
    }
    HWND Open() {
        m_window = std::make_unique<shell::win32::CMainWindow>(m_dialog, m_opener);
        HWND hwnd = m_window->CreateModeless();
        EXPECT_NE(hwnd, nullptr);
        return hwnd;
    }
    HWND Item(int id) const { return GetDlgItem(m_window->Handle(), id); }
    // What a person's click on a list entry does: the selection, then the notification.
    void Choose(int index) {
        SendMessageW(Item(2010), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(m_window->Handle(), WM_COMMAND, MAKEWPARAM(2010, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(2010)));
    }
    void Click(int id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }
    std::string Text(int id) { return m_window->GetText(id); }

    TempDir m_dir;
    std::unique_ptr<CurrentDirectoryScope> m_scope;
    NoOpener m_opener;
    shell::CGeneratorDlg m_dialog;
    std::unique_ptr<shell::win32::CMainWindow> m_window;
};

TEST_F(MainWindowTest, MissingTemplateTableIsReportedInAMessageBox) {
    std::filesystem::remove(Utf8Path(m_dir.File("template.tbl")));
    ModalWatcher watcher;
    Open();
    ASSERT_EQ(watcher.seen.size(), 1U);
    EXPECT_EQ(watcher.seen[0].caption, "Tavrin");
    EXPECT_NE(watcher.seen[0].text.find("テンプレートファイルの読み込みに失敗しました。["),
              std::string::npos);
    EXPECT_TRUE(watcher.seen[0].hasOk);
    EXPECT_FALSE(watcher.seen[0].hasYesNo);
    EXPECT_EQ(SendMessageW(Item(2010), LB_GETCOUNT, 0, 0), 0);
}

TEST_F(MainWindowTest, ChoosingAResourceScriptListsItsDialogs) {
    Open();
    Choose(0);
    ModalWatcher watcher;
    // The file dialog's name box gets the script, then OK.
    watcher.onDialog = [this](HWND dialog) {
        const std::wstring path = Utf8Path(m_dir.File("sample/sample.rc")).wstring();
        HWND box = GetDlgItem(dialog, 0x47C);
        if (box == nullptr) {
            box = GetDlgItem(dialog, 0x480);
        }
        SetWindowTextW(box, path.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    };
    Click(2002);
    ASSERT_EQ(watcher.seen.size(), 1U);
    EXPECT_NE(Text(2009).find("sample.rc"), std::string::npos);
    EXPECT_GT(m_window->ComboGetCount(2003), 0);
}

// The real folder browser, confirmed as soon as it opens: it returns the pre-selected folder.
// Wine's browser does not always take the pre-selection; then the test says so and skips.
TEST_F(MainWindowTest, FolderBrowserConfirmsThePreselectedFolder) {
    Open();
    const std::string folder = m_dir.Path() + "\\tpl";
    m_window->SetText(2008, folder + "\\");
    m_dialog.UpdateData(true);
    ModalWatcher watcher;
    watcher.onDialog = [](HWND browser) { PostMessageW(browser, WM_COMMAND, IDOK, 0); };
    Click(2001);
    ASSERT_EQ(watcher.seen.size(), 1U);
    const std::string chosen = Text(2008);
    if (_stricmp(chosen.c_str(), folder.c_str()) != 0) {
        GTEST_SKIP() << "Wine's folder browser did not take the pre-selection (" << chosen << ")";
    }
}

}  // namespace
}  // namespace tavrin::testing
