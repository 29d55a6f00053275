#include "shell/wx/WxText.h"

#include <system_error>

#include "platform/CodePage.h"

namespace tavrin::shell::wx {

wxString ToWx(std::string_view cp932) {
    std::string utf8 = platform::Cp932ToUtf8(cp932);
    return wxString::FromUTF8(utf8.data(), utf8.size());
}

std::string FromWx(const wxString& text) {
    wxScopedCharBuffer utf8 = text.utf8_str();
    return platform::Utf8ToCp932(std::string_view(utf8.data(), utf8.length()));
}

std::filesystem::path ToFsPath(const wxString& path) {
#ifdef _WIN32
    return std::filesystem::path(path.ToStdWstring());
#else
    // File names on this side are UTF-8, as the toolkit's locale is.
    wxScopedCharBuffer utf8 = path.utf8_str();
    return std::filesystem::path(std::string(utf8.data(), utf8.length()));
#endif
}

wxString FromFsPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return wxString(path.wstring());
#else
    return wxString::FromUTF8(path.native());
#endif
}

std::filesystem::path WithDefaultExtension(std::filesystem::path path,
                                           std::string_view defaultExtension) {
    if (defaultExtension.starts_with('.')) {
        defaultExtension.remove_prefix(1);
    }
    std::error_code error;
    if (defaultExtension.empty() || path.has_extension() || std::filesystem::exists(path, error)) {
        return path;
    }
    path += "." + std::string(defaultExtension);
    return path;
}

}  // namespace tavrin::shell::wx
