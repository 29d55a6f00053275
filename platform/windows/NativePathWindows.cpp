#include <windows.h>

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

std::string ExactCp932Path(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    if (wide.empty()) {
        return {};
    }
    std::string cp932 = ExactlyInCodePage932(wide);
    if (!cp932.empty()) {
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
    return ExactlyInCodePage932(shortName);
}

}  // namespace tavrin::platform
