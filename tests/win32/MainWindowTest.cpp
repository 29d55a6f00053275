// The main dialog as a native window from its resource, driven with the messages a person's
// actions send, under Wine in CI.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/UrlOpener.h"
#include "shell/GeneratorApp.h"
#include "shell/GeneratorDlg.h"
#include "shell/win32/MainWindow.h"
#include "support/CurrentDirectoryScope.h"
#include "support/TempDir.h"
#include "win32/WindowTestSupport.h"

namespace tavrin::testing {
namespace {

using shell::win32::Narrow;
using shell::win32::Wide;

// A UTF-8 literal as code page 932, the dialog's text.
std::string Sjis(const char* utf8) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), size);
    wide.resize(wide.size() - 1);
    return Narrow(wide);
}

class NoOpener : public platform::IUrlOpener {
public:
    int OpenWithDefaultHandler(std::string_view) override { return 2; }
    std::optional<std::string> RegisteredBrowserCommand() override { return std::nullopt; }
    int RunCommand(std::string_view) override { return 2; }
};

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
    // What a person's typing does: the text changes and the control says so.
    void Type(int id, const char* utf8) {
        SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(Sjis(utf8)).c_str()));
    }
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

TEST_F(MainWindowTest, OpensWithTheTemplatesInFileOrderAndResourceControlsDisabled) {
    ModalWatcher watcher;
    HWND hwnd = Open();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(watcher.seen.empty());
    const char* expected[] = {"ダイアログ", "フォームビュー", "プロパティページ", "ウィンドウ",
                              "汎用クラス"};
    ASSERT_EQ(SendMessageW(Item(2010), LB_GETCOUNT, 0, 0), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(m_window->ListGetText(2010, i), Sjis(expected[i]));
    }
    EXPECT_EQ(m_window->ListGetSelection(2010), -1);
    for (int id : {2012, 2009, 2002, 2011, 2003}) {
        EXPECT_FALSE(IsWindowEnabled(Item(id))) << id;
    }
    EXPECT_EQ(GetFocus(), Item(2010));
    Choose(0);  // the dialog template declares the dialog ID
    for (int id : {2012, 2009, 2002, 2011, 2003}) {
        EXPECT_TRUE(IsWindowEnabled(Item(id))) << id;
    }
}

struct LiveControl {
    int id;
    const wchar_t* windowClass;
    RECT units;  // x, y, width, height in dialog units, as the template gives them
};

// clang-format off
const LiveControl kLiveControls[] = {
    {2010, L"ListBox", {3, 17, 181, 97}},   {2008, L"Edit", {81, 120, 92, 12}},
    {2005, L"Edit", {81, 152, 103, 12}},     {2006, L"Edit", {81, 168, 103, 12}},
    {2007, L"Edit", {81, 184, 103, 12}},     {2012, L"Static", {3, 200, 76, 12}},
    {2009, L"Edit", {81, 200, 92, 12}},     {2002, L"Button", {173, 200, 11, 12}},
    {2011, L"Static", {3, 216, 76, 12}},     {2003, L"ComboBox", {81, 216, 103, 0}},
    {2000, L"Button", {3, 234, 50, 20}},     {1, L"Button", {134, 234, 50, 20}},
    {2004, L"Edit", {81, 136, 103, 12}},     {2001, L"Button", {173, 120, 11, 12}},
};
// clang-format on

TEST_F(MainWindowTest, EveryControlIsInPlaceAndTabsInTemplateOrder) {
    HWND hwnd = Open();
    ASSERT_NE(hwnd, nullptr);
    for (const LiveControl& control : kLiveControls) {
        SCOPED_TRACE(control.id);
        HWND item = Item(control.id);
        ASSERT_NE(item, nullptr);
        wchar_t windowClass[32] = {};
        GetClassNameW(item, windowClass, 32);
        EXPECT_EQ(_wcsicmp(windowClass, control.windowClass), 0);
        // Position and size are converted separately, as the dialog manager does.
        RECT want = control.units;
        MapDialogRect(hwnd, &want);
        want.right += want.left;
        want.bottom += want.top;
        RECT have{};
        GetWindowRect(item, &have);
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&have), 2);
        EXPECT_EQ(have.left, want.left);
        EXPECT_EQ(have.top, want.top);
        EXPECT_EQ(have.right, want.right);
        if (control.units.bottom != 0) {  // a combo box is as high as its edit part
            EXPECT_EQ(have.bottom, want.bottom);
        }
    }
    // With the resource controls enabled, Tab walks the template order.
    Choose(0);
    const int order[] = {2010, 2008, 2005, 2006, 2007, 2009, 2002, 2003, 2000, 1, 2004, 2001};
    HWND at = Item(2010);
    for (std::size_t i = 1; i <= std::size(order); ++i) {
        at = GetNextDlgTabItem(hwnd, at, FALSE);
        EXPECT_EQ(GetDlgCtrlID(at), order[i % std::size(order)]) << "after " << order[i - 1];
    }
}

TEST_F(MainWindowTest, ComboSortsIgnoringCaseAndKeepsDuplicatesListDoesNotSort) {
    Open();
    m_window->ListReset(2010);
    for (const char* item : {"b", "A", "c"}) {
        m_window->ListAdd(2010, item);
    }
    EXPECT_EQ(m_window->ListGetText(2010, 0), "b");
    for (const char* item : {"IDD_b", "idd_A", "IDD_C", "IDD_b"}) {
        m_window->ComboAdd(2003, item);
    }
    ASSERT_EQ(m_window->ComboGetCount(2003), 4);
    EXPECT_EQ(m_window->ComboGetText(2003, 0), "idd_A");
    EXPECT_EQ(m_window->ComboGetText(2003, 1), "IDD_b");
    EXPECT_EQ(m_window->ComboGetText(2003, 2), "IDD_b");
    EXPECT_EQ(m_window->ComboGetText(2003, 3), "IDD_C");
}

TEST_F(MainWindowTest, WritingTheDerivedNameDerivesNothingTypingItDoes) {
    Open();
    m_dialog.m_strDerivedClassName = "CView";
    m_dialog.UpdateData(false);
    m_window->SetText(2005, "CView");  // the same text once more: still no change event
    EXPECT_EQ(Text(2006), "");
    EXPECT_EQ(Text(2007), "");
    Type(2005, "C表示");
    EXPECT_EQ(Text(2006), Sjis("表示.h"));
    EXPECT_EQ(Text(2007), Sjis("表示.cpp"));
}

TEST_F(MainWindowTest, SystemMenuHoldsTheAboutCommandWhichOpensTheAboutBox) {
    HWND hwnd = Open();
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), 1200U);
    wchar_t text[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(count - 1), text, 64, MF_BYPOSITION);
    EXPECT_EQ(Narrow(text), Sjis("バージョン情報(&A)..."));
    MENUITEMINFOW separator{};
    separator.cbSize = sizeof separator;
    separator.fMask = MIIM_FTYPE;
    EXPECT_EQ(GetMenuItemID(menu, count - 2), 1216U);  // the template folder
    GetMenuItemInfoW(menu, static_cast<UINT>(count - 3), TRUE, &separator);
    EXPECT_NE(separator.fType & MFT_SEPARATOR, 0U);

    ModalWatcher watcher;
    SendMessageW(hwnd, WM_SYSCOMMAND, 1200, 0);
    ASSERT_EQ(watcher.seen.size(), 1U);
    EXPECT_EQ(watcher.seen[0].caption, "ﾊﾞｰｼﾞｮﾝ情報");
}

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

// The dialog writes what tavrin-cli writes for the same request.
TEST_F(MainWindowTest, GenerationWritesWhatTheCommandLineProgramWrites) {
    Open();
    ModalWatcher watcher(IDNO);
    Choose(0);
    Type(2005, "C表示Dlg");
    m_window->SetText(2008, "out");
    m_window->SetText(2003, "IDD_INPUT_DIALOG");
    std::filesystem::create_directory(Utf8Path(m_dir.File("out")));
    Click(2000);
    EXPECT_TRUE(watcher.seen.empty()) << watcher.seen[0].text;
    EXPECT_TRUE(IsWindow(m_window->Handle())) << "the dialog stays open after generating";

    // The same request through tavrin-cli.exe, into a copy of the examples.
    TempDir cli;
    std::filesystem::copy(Utf8Path(TAVRIN_EXAMPLES_DIR), Utf8Path(cli.Path()),
                          std::filesystem::copy_options::recursive);
    std::filesystem::create_directory(Utf8Path(cli.File("out")));
    std::wstring command = L"\"" + Utf8Path(TAVRIN_CLI_PATH).wstring() + L"\" -C \"" +
                           Utf8Path(cli.Path()).wstring() + L"\" generate -t " +
                           Wide(Sjis("ダイアログ")) + L" -d " + Wide(Sjis("C表示Dlg")) +
                           L" -i IDD_INPUT_DIALOG -o out --yes";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                               nullptr, nullptr, &startup, &process));
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_EQ(status, 0U);

    for (const char* name : {"out/表示Dlg.h", "out/表示Dlg.cpp"}) {
        SCOPED_TRACE(name);
        const std::string written = m_dir.Read(name);
        EXPECT_FALSE(written.empty());
        EXPECT_EQ(MaskGuids(written), MaskGuids(cli.Read(name)));
    }

    // Again: the overwrite question, answered No, keeps the files.
    const std::string before = m_dir.Read("out/表示Dlg.h");
    Click(2000);
    ASSERT_EQ(watcher.seen.size(), 1U);
    EXPECT_TRUE(watcher.seen[0].hasYesNo);
    EXPECT_EQ(watcher.seen[0].caption, "Tavrin");
    EXPECT_EQ(m_dir.Read("out/表示Dlg.h"), before);
}

TEST_F(MainWindowTest, ChoosingAResourceScriptListsItsDialogs) {
    Open();
    Choose(0);
    ModalWatcher watcher;
    // The file dialog's name box gets the script, then OK.
    watcher.onDialog = [this](HWND dialog) {
        const std::wstring path = Utf8Path(m_dir.File("sample.rc")).wstring();
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

// The program's whole run on the real modal dialog: the dialog opens from its resource, is
// closed with its close button, and what that read is saved in the start folder.
TEST_F(MainWindowTest, ProgramRunSavesWhatTheCloseButtonRead) {
    ModalWatcher watcher;
    watcher.includeUnowned = true;
    watcher.onDialog = [](HWND dialog) {
        SetDlgItemTextW(dialog, 2004, L"CMyBase");
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    };
    shell::CGeneratorApp app;
    app.InitInstance([this](shell::CGeneratorDlg& dialog) {
        shell::win32::CMainWindow window(dialog, m_opener);
        EXPECT_EQ(window.RunModal(), IDOK);
    });
    ASSERT_EQ(watcher.seen.size(), 1U);
    EXPECT_EQ(watcher.seen[0].caption, "Tavrin");
    std::ifstream file(app.SettingsPath(), std::ios::binary);
    std::stringstream settings;
    settings << file.rdbuf();
    EXPECT_NE(settings.str().find("BasicClassName=CMyBase"), std::string::npos) << settings.str();
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
