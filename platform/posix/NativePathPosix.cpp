#include <algorithm>

#include "platform/CodePage.h"
#include "platform/NativePath.h"

namespace tavrin::platform {

std::optional<std::filesystem::path> ToNativePath(std::string_view path) {
    std::string utf8;
    if (!Cp932ToUtf8(path, utf8)) {
        return std::nullopt;
    }
    // After decoding, 0x5C can only be a real backslash, never half of a character.
    std::replace(utf8.begin(), utf8.end(), '\\', '/');
    return std::filesystem::path(utf8);
}

std::string FromNativePath(const std::filesystem::path& path) {
    return Utf8ToCp932(path.native());
}

bool FromNativePathExactly(const std::filesystem::path& path, std::string& cp932) {
    return Utf8ToCp932Exactly(path.native(), cp932);
}

std::string ExactCp932Path(const std::filesystem::path& path) {
    std::string cp932;
    return FromNativePathExactly(path, cp932) ? cp932 : std::string();
}

}  // namespace tavrin::platform
