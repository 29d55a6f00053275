#include <windows.h>

#include "platform/NativePath.h"
#include "platform/windows/WindowsText.h"

namespace tavrin::platform {

std::optional<std::filesystem::path> ToNativePath(std::string_view path) {
    std::wstring wide;
    if (!windows::ToWide(windows::kCodePage932, path, wide)) {
        return std::nullopt;
    }
    return std::filesystem::path(wide);
}

std::string FromNativePath(const std::filesystem::path& path) {
    return windows::FromWide(windows::kCodePage932, path.native());
}

}  // namespace tavrin::platform
