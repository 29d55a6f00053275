#include "platform/UserFolders.h"
#include "platform/posix/DesktopEntry.h"

namespace tavrin::platform {

std::filesystem::path ProgramFile() {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : path;
}

std::filesystem::path UserDataFolder() {
    return posix::DataHome();
}

}  // namespace tavrin::platform
