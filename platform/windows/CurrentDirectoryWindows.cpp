#include <windows.h>

#include "platform/CurrentDirectory.h"
#include "platform/NativePath.h"
#include "platform/windows/WindowsText.h"

namespace tavrin::platform {

namespace {

// `wide` in code page 932 when it comes back unchanged from there; otherwise empty.
std::string ExactlyInCodePage932(const std::wstring& wide) {
    std::string cp932 = windows::FromWide(windows::kCodePage932, wide);
    std::wstring back;
    if (!windows::ToWide(windows::kCodePage932, cp932, back) || back != wide) {
        return {};
    }
    return cp932;
}

}  // namespace

std::filesystem::path NativeCurrentDirectory() {
    DWORD size = ::GetCurrentDirectoryW(0, nullptr);
    if (size == 0) {
        return {};
    }
    std::wstring wide(size, L'\0');
    DWORD length = ::GetCurrentDirectoryW(size, wide.data());
    if (length == 0 || length >= size) {
        return {};
    }
    wide.resize(length);
    return wide;
}

std::string CurrentDirectory() {
    const std::wstring wide = NativeCurrentDirectory().native();
    if (wide.empty()) {
        return {};
    }
    std::string cp932 = ExactlyInCodePage932(wide);
    if (!cp932.empty()) {
        return cp932;
    }
    // The short name, where the volume keeps one, is plain ASCII and leads to the same folder.
    DWORD size = ::GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (size == 0) {
        return {};
    }
    std::wstring shortName(size, L'\0');
    DWORD length = ::GetShortPathNameW(wide.c_str(), shortName.data(), size);
    if (length == 0 || length >= size) {
        return {};
    }
    shortName.resize(length);
    return ExactlyInCodePage932(shortName);
}

std::string CurrentDirectoryForDisplay() {
    return windows::FromWide(windows::kCodePage932, NativeCurrentDirectory().native());
}

bool ChangeCurrentDirectory(std::string_view path) {
    auto native = path.empty() ? std::nullopt : ToNativePath(path);
    return native && ChangeCurrentDirectoryNative(*native);
}

bool ChangeCurrentDirectoryNative(const std::filesystem::path& path) {
    return !path.empty() && ::SetCurrentDirectoryW(path.c_str()) != 0;
}

}  // namespace tavrin::platform
