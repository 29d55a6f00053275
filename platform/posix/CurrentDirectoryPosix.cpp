#include <unistd.h>
#include <cerrno>

#include "platform/CodePage.h"
#include "platform/CurrentDirectory.h"
#include "platform/NativePath.h"

namespace tavrin::platform {

std::filesystem::path NativeCurrentDirectory() {
    std::string buffer(256, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return buffer;
}

std::string CurrentDirectory() {
    return ExactCp932Path(NativeCurrentDirectory());
}

std::string CurrentDirectoryForDisplay() {
    return FromNativePath(NativeCurrentDirectory());
}

bool ChangeCurrentDirectory(std::string_view path) {
    auto native = ToNativePath(path);
    return native && !path.empty() && ChangeCurrentDirectoryNative(*native);
}

bool ChangeCurrentDirectoryNative(const std::filesystem::path& path) {
    return !path.empty() && ::chdir(path.c_str()) == 0;
}

}  // namespace tavrin::platform
