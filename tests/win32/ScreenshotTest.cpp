// Not tests: the pictures of the README, taken by scripts/screenshot-windows under Wine. They
// run only when asked for by name (disabled), with TAVRIN_SCREENSHOT_DIR set.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/UrlOpener.h"
#include "shell/GeneratorDlg.h"
#include "shell/win32/AboutBox.h"
#include "shell/win32/MainWindow.h"
#include "support/CurrentDirectoryScope.h"
#include "support/TempDir.h"
#include "win32/WindowTestSupport.h"

namespace tavrin::testing {
namespace {

class NoOpener : public platform::IUrlOpener {
public:
    int OpenWithDefaultHandler(std::string_view) override { return 2; }
    std::optional<std::string> RegisteredBrowserCommand() override { return std::nullopt; }
    int RunCommand(std::string_view) override { return 2; }
};

std::string ScreenshotDir() {
    const char* dir = std::getenv("TAVRIN_SCREENSHOT_DIR");
    return dir == nullptr ? std::string() : std::string(dir);
}

// The window as the screen shows it, frame included, as a 24-bit bitmap file.
void SaveWindow(HWND window, const std::string& path) {
    for (int i = 0; i < 20; ++i) {
        PumpMessages();
        Sleep(50);
    }
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, previous);

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    const int stride = (width * 3 + 3) / 4 * 4;
    std::vector<char> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    std::FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr) << path;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&header, sizeof header, 1, out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    std::fclose(out);
}

TEST(Screenshot, DISABLED_MainDialog) {
    TAVRIN_SKIP_WITHOUT_DISPLAY();
    const std::string dir = ScreenshotDir();
    ASSERT_FALSE(dir.empty()) << "TAVRIN_SCREENSHOT_DIR is not set";
    TempDir work;
    std::filesystem::copy(Utf8Path(TAVRIN_EXAMPLES_DIR), Utf8Path(work.Path()),
                          std::filesystem::copy_options::recursive);
    CurrentDirectoryScope scope(work.Path());
    NoOpener opener;
    shell::CGeneratorDlg dialog;
    dialog.m_strOutputFolder = "C:\\Work\\MyApp";
    dialog.m_strResourceFile = "C:\\Work\\MyApp\\MyApp.rc";
    dialog.m_strDialogResourceId = "IDD_SETTINGS_DIALOG";
    shell::win32::CMainWindow window(dialog, opener);
    HWND hwnd = window.CreateModeless();
    ASSERT_NE(hwnd, nullptr);
    SetWindowPos(hwnd, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    HWND list = GetDlgItem(hwnd, 2010);
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(2010, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    SendMessageW(GetDlgItem(hwnd, 2005), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"CSettingsDlg"));
    SetFocus(list);
    SaveWindow(hwnd, dir + "/main-dialog.bmp");
}

TEST(Screenshot, DISABLED_AboutBox) {
    TAVRIN_SKIP_WITHOUT_DISPLAY();
    const std::string dir = ScreenshotDir();
    ASSERT_FALSE(dir.empty()) << "TAVRIN_SCREENSHOT_DIR is not set";
    NoOpener opener;
    shell::win32::CAboutBox box(opener);
    HWND hwnd = box.CreateModeless(nullptr);
    ASSERT_NE(hwnd, nullptr);
    SetWindowPos(hwnd, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    SaveWindow(hwnd, dir + "/about-box.bmp");
    DestroyWindow(hwnd);
}

}  // namespace
}  // namespace tavrin::testing
