#include <windows.h>

#include "platform/CodePage.h"
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

bool FromNativePathExactly(const std::filesystem::path& path, std::string& cp932) {
    return Utf8ToCp932Exactly(windows::FromWide(CP_UTF8, path.native()), cp932);
}

std::string ExactCp932Path(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    if (wide.empty()) {
        return {};
    }
    std::string cp932;
    if (FromNativePathExactly(path, cp932)) {
        return cp932;
    }
    // The short name, where the volume keeps one, is plain ASCII and leads to the same file.
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
    return FromNativePathExactly(shortName, cp932) ? cp932 : std::string();
}

}  // namespace tavrin::platform
