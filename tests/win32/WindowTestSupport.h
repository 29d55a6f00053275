#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "platform/UrlOpener.h"
#include "shell/win32/Win32Text.h"

namespace tavrin::testing {

// Windows need a display. Under Wine it is the X display; without one the tests skip.
inline bool HasDisplay() {
    using WineVersion = const char*(CDECL*)();
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const bool underWine =
        ntdll != nullptr && reinterpret_cast<WineVersion>(reinterpret_cast<void*>(
                                GetProcAddress(ntdll, "wine_get_version"))) != nullptr;
    return !underWine || GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) > 0;
}

#define TAVRIN_SKIP_WITHOUT_DISPLAY()                                                    \
    do {                                                                                 \
        if (!::tavrin::testing::HasDisplay()) {                                          \
            GTEST_SKIP() << "Wine has no X display (DISPLAY unset): no window can open"; \
        }                                                                                \
    } while (false)

// The tests' texts are UTF-8, the windows' UTF-16.
inline std::string Utf8(std::wstring_view wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                        nullptr, nullptr);
    return text;
}

inline std::wstring WideFromUtf8(std::string_view utf8) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

// Links lead nowhere: no test may start a browser.
class NoOpener : public platform::IUrlOpener {
public:
    int OpenWithDefaultHandler(std::string_view) override { return 2; }
    std::optional<std::string> RegisteredBrowserCommand() override { return std::nullopt; }
    int RunCommand(std::string_view) override { return 2; }
};

// What a modal window showed before the watcher closed it.
struct SeenModal {
    std::string caption;  // UTF-8
    std::string text;     // the message box text, UTF-8
    bool hasOk = false;
    bool hasYesNo = false;
};

// Closes every owned dialog (message boxes, the About box, ...) as soon as it is activated,
// with `answer`, after recording it; `onDialog`, when set, acts instead of the answer. Nothing
// is ever left open waiting for a person.
class ModalWatcher {
public:
    explicit ModalWatcher(int answer = IDOK) : m_answer(answer) {
        Current() = this;
        m_hook = SetWindowsHookExW(WH_CBT, &ModalWatcher::Hook, nullptr, GetCurrentThreadId());
    }
    ~ModalWatcher() {
        UnhookWindowsHookEx(m_hook);
        Current() = nullptr;
    }
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    std::vector<SeenModal> seen;
    std::function<void(HWND)> onDialog;
    int m_answer;

private:
    static ModalWatcher*& Current() {
        static ModalWatcher* current = nullptr;
        return current;
    }
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        ModalWatcher* self = Current();
        auto* window = reinterpret_cast<HWND>(wParam);
        // Once per window: activation comes again when a window regains the focus.
        wchar_t windowClass[16] = {};
        if (code == HCBT_ACTIVATE) {
            GetClassNameW(window, windowClass, 16);
        }
        // Dialogs only: message boxes, the About box and the file dialog are all dialogs.
        if (code == HCBT_ACTIVATE && self != nullptr && lstrcmpW(windowClass, L"#32770") == 0 &&
            GetWindow(window, GW_OWNER) != nullptr &&
            std::find(self->m_handled.begin(), self->m_handled.end(), window) ==
                self->m_handled.end()) {
            self->m_handled.push_back(window);
            SeenModal seen;
            seen.caption = Utf8(shell::win32::WindowTextOf(window));
            HWND text = GetDlgItem(window, 0xFFFF);
            if (text != nullptr) {
                seen.text = Utf8(shell::win32::WindowTextOf(text));
            }
            seen.hasOk = GetDlgItem(window, IDOK) != nullptr;
            seen.hasYesNo =
                GetDlgItem(window, IDYES) != nullptr && GetDlgItem(window, IDNO) != nullptr;
            self->seen.push_back(seen);
            if (self->onDialog) {
                self->onDialog(window);
            } else {
                PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(self->m_answer), 0);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    HHOOK m_hook = nullptr;
    std::vector<HWND> m_handled;
};

}  // namespace tavrin::testing
