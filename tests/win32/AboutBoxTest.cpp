// The About box and its link labels as native windows, with an opener that only records, and
// the folder browser's callback with a window that only records.
#include <windows.h>

#include <shlobj.h>

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/UrlOpener.h"
#include "shell/LinkLabelState.h"
#include "shell/win32/AboutBox.h"
#include "shell/win32/FolderBrowser.h"
#include "shell/win32/Win32Text.h"
#include "support/TempDir.h"
#include "win32/WindowTestSupport.h"

namespace tavrin::testing {
namespace {

using shell::win32::Narrow;
using shell::win32::WindowTextOf;

class RecordingOpener : public platform::IUrlOpener {
public:
    int OpenWithDefaultHandler(std::string_view target) override {
        opened.emplace_back(target);
        return result;
    }
    std::optional<std::string> RegisteredBrowserCommand() override { return std::nullopt; }
    int RunCommand(std::string_view) override { return result; }
    std::vector<std::string> opened;
    int result = 42;
};

// The colour the box gives a static control's text.
COLORREF TextColorOf(HWND box, HWND control) {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(box, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(control));
    const COLORREF color = GetTextColor(dc);
    DeleteDC(dc);
    return color;
}

// A failed open says why in a message box and leaves the link unvisited; a successful one
// turns it visited. (Which results count as opened is CLinkLabelState's, tested in shell/.)
TEST(AboutBox, LinkTurnsVisitedOnlyAfterItsOpenerSucceeded) {
    TAVRIN_SKIP_WITHOUT_DISPLAY();
    RecordingOpener opener;
    opener.result = 2;  // the file was not found
    shell::win32::CAboutBox box(opener);
    HWND hwnd = box.CreateModeless(nullptr);
    ASSERT_NE(hwnd, nullptr);
    HWND mail = GetDlgItem(hwnd, 8005);
    EXPECT_NE(GetWindowLongPtrW(mail, GWL_STYLE) & SS_NOTIFY, 0);
    EXPECT_EQ(Narrow(WindowTextOf(mail)), "feedback@tavrin.example");
    EXPECT_EQ(TextColorOf(hwnd, mail), RGB(0, 0, 238));

    ModalWatcher watcher;
    const auto click = [&] {
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(8005, STN_CLICKED),
                     reinterpret_cast<LPARAM>(mail));
    };
    click();
    ASSERT_EQ(watcher.seen.size(), 1U);
    EXPECT_EQ(watcher.seen[0].caption, "Tavrin");
    EXPECT_EQ(watcher.seen[0].text.rfind("Unable to open hyperlink:", 0), 0U);
    EXPECT_EQ(TextColorOf(hwnd, mail), RGB(0, 0, 238));
    opener.result = 42;
    click();
    EXPECT_EQ(watcher.seen.size(), 1U);
    EXPECT_EQ(opener.opened, std::vector<std::string>(2, "mailto:feedback@tavrin.example"));
    EXPECT_EQ(TextColorOf(hwnd, mail), RGB(85, 26, 139));

    // Hovering shows the highlight colour, even over a visited link, and holds the mouse.
    SendMessageW(mail, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(GetCapture(), mail);
    EXPECT_EQ(TextColorOf(hwnd, mail), GetSysColor(COLOR_HIGHLIGHT));
    SendMessageW(mail, WM_MOUSEMOVE, 0, MAKELPARAM(-5, -5));
    EXPECT_NE(GetCapture(), mail);
    EXPECT_EQ(TextColorOf(hwnd, mail), RGB(85, 26, 139));

    // A capture taken away while over the label ends the hover as leaving it would.
    SendMessageW(mail, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    ASSERT_EQ(GetCapture(), mail);
    SetCapture(hwnd);
    EXPECT_EQ(TextColorOf(hwnd, mail), RGB(85, 26, 139));
    ReleaseCapture();
    DestroyWindow(hwnd);
}

TEST(AboutBox, ShowsNameAndVersionFromTheOwnVersionResourceAndFitsTheLinks) {
    TAVRIN_SKIP_WITHOUT_DISPLAY();
    RecordingOpener opener;
    shell::win32::CAboutBox box(opener);
    HWND hwnd = box.CreateModeless(nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(Narrow(WindowTextOf(GetDlgItem(hwnd, 8002))), "Tavrin");
    EXPECT_EQ(Narrow(WindowTextOf(GetDlgItem(hwnd, 8003))), "Version 1.1.0.0");
    // The home link keeps its text as target and shrinks to it: narrower than its 125 units.
    HWND home = GetDlgItem(hwnd, 8006);
    EXPECT_EQ(box.HomeLink().State().Target(), "https://www.tavrin.example/");
    RECT units{0, 0, 125, 10};
    MapDialogRect(hwnd, &units);
    RECT client{};
    GetClientRect(home, &client);
    EXPECT_LT(client.right, units.right);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(home, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_TRUE(font.lfUnderline);
    DestroyWindow(hwnd);
}

// A window that records the browser messages the callback sends it.
struct BrowserDouble {
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == BFFM_SETSELECTIONW) {
            selections().push_back(std::wstring(reinterpret_cast<const wchar_t*>(lParam)) +
                                   (wParam != 0 ? L"" : L" (not a path)"));
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    static std::vector<std::wstring>& selections() {
        static std::vector<std::wstring> list;
        return list;
    }
};

TEST(FolderBrowserCallback, PreselectsTheInitialFolderUntilTheBrowserReportsIt) {
    TAVRIN_SKIP_WITHOUT_DISPLAY();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &BrowserDouble::Proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TavrinBrowserDouble";
    RegisterClassW(&windowClass);
    HWND browser = CreateWindowW(L"TavrinBrowserDouble", L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(browser, nullptr);
    BrowserDouble::selections().clear();

    TempDir dir;
    const std::wstring initial = Utf8Path(dir.Path()).wstring();
    shell::win32::FolderBrowseState state;
    state.initialFolder = initial;
    const auto data = reinterpret_cast<LPARAM>(&state);
    EXPECT_EQ(shell::win32::BrowseCallback(browser, BFFM_INITIALIZED, 0, data), 0);
    ASSERT_EQ(BrowserDouble::selections().size(), 1U);
    EXPECT_EQ(BrowserDouble::selections()[0], initial);

    // The browser reports another folder: asked again. Then it reports the initial one:
    // done, and the user's later changes are left alone.
    PIDLIST_ABSOLUTE other = ILCreateFromPathW(L"C:\\windows");
    PIDLIST_ABSOLUTE wanted = ILCreateFromPathW(initial.c_str());
    ASSERT_NE(other, nullptr);
    ASSERT_NE(wanted, nullptr);
    shell::win32::BrowseCallback(browser, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(other), data);
    EXPECT_EQ(BrowserDouble::selections().size(), 2U);
    shell::win32::BrowseCallback(browser, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(wanted), data);
    shell::win32::BrowseCallback(browser, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(other), data);
    EXPECT_EQ(BrowserDouble::selections().size(), 2U);

    // An empty initial folder: one request for the browser's default, no retries.
    shell::win32::FolderBrowseState empty;
    BrowserDouble::selections().clear();
    shell::win32::BrowseCallback(browser, BFFM_INITIALIZED, 0, reinterpret_cast<LPARAM>(&empty));
    shell::win32::BrowseCallback(browser, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(other),
                                 reinterpret_cast<LPARAM>(&empty));
    ASSERT_EQ(BrowserDouble::selections().size(), 1U);
    EXPECT_EQ(BrowserDouble::selections()[0], L"");
    ILFree(other);
    ILFree(wanted);
    DestroyWindow(browser);
}

}  // namespace
}  // namespace tavrin::testing
