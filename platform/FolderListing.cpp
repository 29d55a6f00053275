#include "platform/FolderListing.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace tavrin::platform {

namespace {

// A character of a name as a code point: a byte of a POSIX name, a UTF-16 unit on Windows.
std::uint32_t CodeOf(char c) {
    return static_cast<unsigned char>(c);
}
[[maybe_unused]] std::uint32_t CodeOf(wchar_t c) {
    return static_cast<std::uint32_t>(c);
}

std::uint32_t LowerAscii(std::uint32_t c) {
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

// Compared on the system's own characters, so that no conversion can fail on the way.
bool HasExtension(const std::filesystem::path& file, std::string_view extension) {
    const auto name = file.extension().native();  // a copy: extension() is a temporary
    if (name.size() != extension.size()) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (LowerAscii(CodeOf(name[i])) != LowerAscii(CodeOf(extension[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<std::filesystem::path> SoleFileWithExtension(const std::filesystem::path& folder,
                                                           std::string_view extension) {
    std::optional<std::filesystem::path> found;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (!HasExtension(it->path(), extension) || !it->is_regular_file(error)) {
            continue;
        }
        if (found) {
            return std::nullopt;  // which one is meant is for the user to say
        }
        found = it->path();
    }
    return error ? std::nullopt : found;
}

std::filesystem::path HomeFolder() {
#ifdef _WIN32
    const wchar_t* home = ::_wgetenv(L"USERPROFILE");
#else
    const char* home = std::getenv("HOME");
#endif
    return home != nullptr ? std::filesystem::path(home) : std::filesystem::path();
}

}  // namespace tavrin::platform
