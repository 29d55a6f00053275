#include <unistd.h>
#include <cerrno>

#include "platform/CurrentDirectory.h"
#include "platform/NativePath.h"

namespace tavrin::platform {

std::string CurrentDirectory() {
    std::string buffer(256, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return FromNativePath(buffer);
}

bool ChangeCurrentDirectory(std::string_view path) {
    auto native = ToNativePath(path);
    return native && !path.empty() && ::chdir(native->c_str()) == 0;
}

}  // namespace tavrin::platform
