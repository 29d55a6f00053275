// The person at the keyboard for the native window: keys go into the system's input queue
// (SendInput), as a keyboard's do, and reach the dialog through its own message loop; the
// dialog runs modally on the main thread while the scenario runs on its own and reads the
// controls with messages, which the dialog's thread answers between its other work.
#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "scenarios/UserDriver.h"
#include "shell/GeneratorApp.h"
#include "shell/ResourceIds.h"
#include "shell/win32/MainWindow.h"
#include "shell/win32/Win32Text.h"
#include "support/CurrentDirectoryScope.h"
#include "win32/WindowTestSupport.h"

namespace tavrin::testing {
namespace {

struct NamedKey {
    const char* name;
    WORD key;
};
constexpr NamedKey kKeys[] = {
    {"Tab", VK_TAB},       {"Return", VK_RETURN}, {"Escape", VK_ESCAPE}, {"BackSpace", VK_BACK},
    {"Delete", VK_DELETE}, {"Home", VK_HOME},     {"End", VK_END},       {"Left", VK_LEFT},
    {"Right", VK_RIGHT},   {"Up", VK_UP},         {"Down", VK_DOWN},     {"space", VK_SPACE},
    {"F4", VK_F4},         {"Menu", VK_APPS},     {"shift", VK_SHIFT},   {"ctrl", VK_CONTROL},
    {"alt", VK_MENU},
};

WORD KeyNamed(std::string_view name) {
    for (const NamedKey& key : kKeys) {
        if (name == key.name) {
            return key.key;
        }
    }
    if (name.size() == 1) {
        return static_cast<WORD>(LOBYTE(VkKeyScanW(static_cast<wchar_t>(name[0]))));
    }
    ADD_FAILURE() << "no such key: " << name;
    return 0;
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    const bool extended = key == VK_DELETE || key == VK_HOME || key == VK_END ||
                          (key >= VK_LEFT && key <= VK_DOWN) || key == VK_APPS;
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

class Win32User : public IUser {
public:
    explicit Win32User(DWORD dialogThread) : m_thread(dialogThread) {}

    void Press(std::string_view chord) override {
        std::vector<WORD> keys;
        for (std::size_t start = 0;;) {
            const std::size_t plus = chord.find('+', start);
            keys.push_back(KeyNamed(chord.substr(start, plus - start)));
            if (plus == std::string_view::npos) {
                break;
            }
            start = plus + 1;
        }
        Send(keys);
    }
    void Type(std::string_view ascii) override {
        for (char c : ascii) {
            const SHORT scan = VkKeyScanW(static_cast<wchar_t>(c));
            std::vector<WORD> keys;
            if ((HIBYTE(scan) & 1) != 0) {
                keys.push_back(VK_SHIFT);
            }
            keys.push_back(LOBYTE(scan));
            Send(keys);
        }
    }
    void CopyToClipboard(std::string_view text) override {
        const std::wstring wide = WideFromUtf8(text);
        const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        ASSERT_NE(memory, nullptr);
        std::memcpy(GlobalLock(memory), wide.c_str(), bytes);
        GlobalUnlock(memory);
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
            GlobalFree(memory);
            ADD_FAILURE() << "the clipboard took no text";
        }
        CloseClipboard();
    }
    void ChooseMenuCommand(std::string_view key) override {
        Press("alt+space");
        // The keys that follow go to the menu only once it is open.
        for (int i = 0; i < 250 && !InMenu(); ++i) {
            Sleep(20);
        }
        if (key == "a") {
            // The About command is the system menu's last entry; its access key is not
            // pressed, as Wine puts an entry of its own with the same key before it.
            Press("Up");
            Press("Return");
        } else {
            Press(key);
        }
    }

    void Click(int id) override {
        RECT rect{};
        GetWindowRect(GetDlgItem(OpenDialog(), id), &rect);
        SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        INPUT clicks[2] = {};
        clicks[0].type = clicks[1].type = INPUT_MOUSE;
        clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, clicks, sizeof(INPUT));
        Settle();
    }

    void ConfirmChooser() override { Press("Return"); }

    std::string Text(int id) override {
        return Utf8(shell::win32::WindowTextOf(GetDlgItem(m_dialog, id)));
    }
    int Caret(int id) override {
        HWND control = GetDlgItem(m_dialog, id);
        DWORD start = 0;
        DWORD end = 0;
        wchar_t windowClass[16] = {};
        GetClassNameW(control, windowClass, 16);
        SendMessageW(control, lstrcmpiW(windowClass, L"ComboBox") == 0 ? CB_GETEDITSEL : EM_GETSEL,
                     reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return static_cast<int>(end);
    }
    int Focus() override {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(m_thread, &info) || info.hwndFocus == nullptr) {
            return 0;
        }
        // The combo box's edit part is a window of its own inside it.
        HWND control = info.hwndFocus;
        while (control != nullptr && GetParent(control) != m_dialog) {
            control = GetParent(control);
        }
        return control != nullptr ? GetDlgCtrlID(control) : 0;
    }
    int ListSelection(int id) override {
        const LRESULT index = SendMessageW(GetDlgItem(m_dialog, id), LB_GETCURSEL, 0, 0);
        return index == LB_ERR ? -1 : static_cast<int>(index);
    }
    bool Enabled(int id) override { return IsWindowEnabled(GetDlgItem(m_dialog, id)) != FALSE; }
    bool Checked(int id) override {
        return SendMessageW(GetDlgItem(m_dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    std::string Title() override { return Utf8(shell::win32::WindowTextOf(m_dialog)); }
    bool ShowsEnd(int id) override {
        HWND box = GetDlgItem(m_dialog, id);
        const auto length = static_cast<WPARAM>(SendMessageW(box, WM_GETTEXTLENGTH, 0, 0));
        RECT client{};
        GetClientRect(box, &client);
        // Where the last character is drawn; an empty box shows all of its text.
        const LRESULT last = length == 0 ? 0 : SendMessageW(box, EM_POSFROMCHAR, length - 1, 0);
        const int x = static_cast<short>(LOWORD(last));
        return last != -1 && x >= 0 && x < client.right;
    }
    std::string Tooltip(int id) override {
        // The dialog's tooltip window that has a tool for the control.
        struct Search {
            HWND dialog, control;
            std::wstring text;
        } search{m_dialog, GetDlgItem(m_dialog, id), {}};
        EnumThreadWindows(
            m_thread,
            [](HWND window, LPARAM data) -> BOOL {
                auto* search = reinterpret_cast<Search*>(data);
                wchar_t windowClass[32] = {};
                GetClassNameW(window, windowClass, 32);
                if (lstrcmpiW(windowClass, L"tooltips_class32") != 0) {
                    return TRUE;
                }
                std::wstring text(1024, L'\0');
                TOOLINFOW tool{};
                tool.cbSize = sizeof tool;
                tool.hwnd = search->dialog;
                tool.uId = reinterpret_cast<UINT_PTR>(search->control);
                tool.lpszText = text.data();
                if (SendMessageW(window, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) {
                    search->text = text.c_str();
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return Utf8(search.text);
    }
    std::optional<OpenBox> Box() override {
        HWND box = OpenDialog();
        if (box == nullptr) {
            return std::nullopt;
        }
        OpenBox seen{Utf8(shell::win32::WindowTextOf(box)), {}};
        if (HWND message = GetDlgItem(box, 0xFFFF)) {
            seen.text = Utf8(shell::win32::WindowTextOf(message));
        } else if (HWND report = GetDlgItem(box, shell::kIdcReportText)) {
            seen.text = Utf8(shell::win32::WindowTextOf(report));
        } else if (HWND version = GetDlgItem(box, shell::kIdcProductVersion)) {
            seen.text = Utf8(shell::win32::WindowTextOf(version));
        }
        return seen;
    }
    bool DialogOpen() override { return IsWindow(m_dialog) && IsWindowVisible(m_dialog); }
    ScreenRect DialogRect() override {
        RECT rect{};
        GetWindowRect(m_dialog, &rect);
        return {rect.left, rect.top, rect.right, rect.bottom};
    }
    ScreenRect WorkArea() override {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(MonitorFromWindow(m_dialog, MONITOR_DEFAULTTOPRIMARY), &info);
        return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    }

    // Waits until the dialog is on the screen, active, with the focus in it, and the foreground
    // window: keys go to the foreground window's thread, and a dialog opened right after another
    // closed is active in its thread a moment before the system makes it the foreground.
    void WaitUntilActive() {
        for (int i = 0; i < 500; ++i) {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            if (GetGUIThreadInfo(m_thread, &info) && info.hwndActive != nullptr &&
                GetWindow(info.hwndActive, GW_OWNER) == nullptr && info.hwndFocus != nullptr &&
                IsWindowVisible(info.hwndActive) && GetForegroundWindow() == info.hwndActive) {
                m_dialog = info.hwndActive;
                return;
            }
            Sleep(20);
        }
        ADD_FAILURE() << "the dialog never became the active window";
    }

    // Closes what the scenario left open: a box still open is a failure.
    void CloseWhatIsOpen() {
        for (int i = 0; i < 5 && OpenDialog() != nullptr; ++i) {
            ADD_FAILURE() << "a window was left open over the dialog";
            HWND box = OpenDialog();
            PostMessageW(box, WM_COMMAND, IsWindowEnabled(GetDlgItem(box, IDNO)) ? IDNO : IDCANCEL,
                         0);
            Sleep(200);
        }
        if (IsWindow(m_dialog)) {
            PostMessageW(m_dialog, WM_COMMAND, IDCANCEL, 0);
        }
    }

private:
    bool InMenu() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(m_thread, &info) && (info.flags & GUI_POPUPMENUMODE) != 0;
    }

    // Presses the keys in order and lets them go in reverse.
    void Send(const std::vector<WORD>& keys) {
        std::vector<INPUT> inputs;
        for (WORD key : keys) {
            inputs.push_back(KeyInput(key, false));
        }
        for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
            inputs.push_back(KeyInput(*key, true));
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        Settle();
    }
    // Waits until the dialog's thread has dealt with the input sent.
    void Settle() {
        for (int i = 0; i < 3; ++i) {
            Sleep(15);
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(m_dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
        }
    }

    // The dialog window open over the main dialog, if any: a message box or the About box.
    HWND OpenDialog() {
        struct Search {
            HWND dialog;
            HWND found = nullptr;
        } search{m_dialog};
        EnumThreadWindows(
            m_thread,
            [](HWND window, LPARAM data) -> BOOL {
                auto* search = reinterpret_cast<Search*>(data);
                wchar_t windowClass[16] = {};
                GetClassNameW(window, windowClass, 16);
                if (window != search->dialog && IsWindowVisible(window) &&
                    lstrcmpW(windowClass, L"#32770") == 0) {
                    search->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    DWORD m_thread;
    HWND m_dialog = nullptr;
};

}  // namespace

bool CanShowWindows(std::string& why) {
    why = "Wine has no X display (DISPLAY unset): no window can open";
    return HasDisplay();
}

void RunAsUser(const std::string& folder, platform::IUrlOpener& opener,
               const std::function<void(IUser&)>& scenario) {
    CurrentDirectoryScope scope(folder);
    Win32User user(GetCurrentThreadId());
    std::thread person;
    shell::CGeneratorApp app;
    app.InitInstance([&](shell::CGeneratorDlg& dialog) {
        shell::win32::CMainWindow window(dialog, opener);
        person = std::thread([&] {
            user.WaitUntilActive();
            scenario(user);
            user.CloseWhatIsOpen();
        });
        // Closed with the close button or cancelled: a modal run ends with what Close gave.
        const INT_PTR result = window.RunModal();
        EXPECT_TRUE(result == shell::kIdOk || result == shell::kIdCancel) << result;
    });
    person.join();
}

}  // namespace tavrin::testing
