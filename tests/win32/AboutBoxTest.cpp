// What only the native window can get wrong: the About box's link labels as they are drawn,
// and the folder browser's callback, with a window that only records.
#include <windows.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scenarios/UserDriver.h"
#include "shell/ResourceIds.h"
#include "shell/win32/AboutBox.h"
#include "shell/win32/FolderBrowser.h"
#include "support/TempDir.h"
#include "win32/WindowTestSupport.h"

namespace tavrin::testing {
namespace {

// The colour the box gives a static control's text.
COLORREF TextColorOf(HWND box, HWND control) {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(box, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(control));
    const COLORREF color = GetTextColor(dc);
    DeleteDC(dc);
    return color;
}

// The links' colours: unopened, opened, and the highlight while the mouse is over one. (What a
// click opens, and the message when it cannot, the user scenarios play; which results count as
// opened is CLinkLabelState's, tested in shell/.) The home link fits its text, underlined.
TEST(AboutBox, LinksShowWhetherTheyWereOpenedAndWhereTheMouseIs) {
    TAVRIN_SKIP_WITHOUT_DISPLAY();
    ScriptedOpener opener;
    opener.result = 42;
    shell::win32::CAboutBox box(opener);
    HWND hwnd = box.CreateModeless(nullptr);
    ASSERT_NE(hwnd, nullptr);
    HWND mail = GetDlgItem(hwnd, shell::kIdcMailLink);
    EXPECT_EQ(TextColorOf(hwnd, mail), RGB(0, 0, 238));
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(shell::kIdcMailLink, STN_CLICKED),
                 reinterpret_cast<LPARAM>(mail));
    EXPECT_EQ(opener.opened, std::vector<std::string>{"mailto:feedback@tavrin.example"});
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

    // The home link shrinks to its text: narrower than its 125 units.
    HWND home = GetDlgItem(hwnd, shell::kIdcHomeLink);
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
