#include <windows.h>

#include "platform/CurrentDirectory.h"
#include "platform/NativePath.h"
#include "platform/windows/WindowsText.h"

namespace tavrin::platform {

std::string CurrentDirectory() {
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
    return windows::FromWide(windows::kCodePage932, wide);
}

bool ChangeCurrentDirectory(std::string_view path) {
    auto native = path.empty() ? std::nullopt : ToNativePath(path);
    return native && ::SetCurrentDirectoryW(native->c_str()) != 0;
}

}  // namespace tavrin::platform
