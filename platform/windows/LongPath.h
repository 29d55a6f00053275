#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace tavrin::platform::windows {

// `path` as the wide file API takes it however long it is. A full path of MAX_PATH - 12
// characters or more (the limit for folders) gets the "\\?\" form, "\\?\UNC\" for a share,
// which the API takes literally: it is made whole first, with "\" only and no "." or "..".
// Shorter paths stay as they are, so that device names keep their ordinary meaning.
inline std::wstring LongPath(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    if (error) {
        return path.native();
    }
    std::wstring text = full.lexically_normal().make_preferred().native();
    if (text.size() < MAX_PATH - 12 || text.starts_with(L"\\\\?\\")) {
        return text;
    }
    if (text.starts_with(L"\\\\")) {
        return L"\\\\?\\UNC\\" + text.substr(2);
    }
    return L"\\\\?\\" + text;
}

}  // namespace tavrin::platform::windows
