#include "shell/win32/Win32Text.h"

#include "platform/windows/WindowsText.h"

namespace tavrin::shell::win32 {

std::wstring Wide(std::string_view cp932) {
    std::wstring wide;
    if (platform::windows::ToWide(platform::windows::kCodePage932, cp932, wide)) {
        return wide;
    }
    // Lenient: a wrong byte must not blank the whole text.
    const int length = MultiByteToWideChar(platform::windows::kCodePage932, 0, cp932.data(),
                                           static_cast<int>(cp932.size()), nullptr, 0);
    wide.assign(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) {
        MultiByteToWideChar(platform::windows::kCodePage932, 0, cp932.data(),
                            static_cast<int>(cp932.size()), wide.data(), length);
    }
    return wide;
}

std::string Narrow(std::wstring_view wide) {
    return platform::windows::FromWide(platform::windows::kCodePage932, wide);
}

std::wstring WindowTextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

}  // namespace tavrin::shell::win32
