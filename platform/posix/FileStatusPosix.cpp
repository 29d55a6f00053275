#include <sys/stat.h>

#include "platform/FileStatus.h"
#include "platform/NativePath.h"

namespace tavrin::platform {

namespace {

bool Stat(std::string_view path, struct stat& status) {
    if (path.empty()) {
        return false;
    }
    auto native = ToNativePath(path);
    return native && ::stat(native->c_str(), &status) == 0;
}

}  // namespace

bool PathExists(std::string_view path) {
    struct stat status {};
    return Stat(path, status);
}

bool IsDirectory(std::string_view path) {
    struct stat status {};
    return Stat(path, status) && S_ISDIR(status.st_mode);
}

bool IsRegularFile(std::string_view path) {
    struct stat status {};
    return Stat(path, status) && S_ISREG(status.st_mode);
}

bool SameFile(std::string_view a, std::string_view b) {
    struct stat first {};
    struct stat second {};
    return Stat(a, first) && Stat(b, second) && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

}  // namespace tavrin::platform
