#include <windows.h>

#include "platform/CurrentDirectory.h"
#include "platform/NativePath.h"
#include "platform/windows/WindowsText.h"

namespace tavrin::platform {

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
    return ExactCp932Path(NativeCurrentDirectory());
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
