#include "platform/UserFolders.h"

namespace tavrin::platform {

namespace fs = std::filesystem;

bool CopyFolderContents(const fs::path& from, const fs::path& to) {
    std::error_code error;
    if (!fs::is_directory(from, error)) {
        return false;
    }
    fs::create_directories(to, error);
    if (error) {
        return false;
    }
    // One entry at a time rather than fs::copy: with MinGW's library, copying a folder into
    // one that exists fails even when told to skip what exists.
    for (fs::recursive_directory_iterator it(from, error), end; !error && it != end;
         it.increment(error)) {
        const fs::path target = to / it->path().lexically_relative(from);
        if (it->is_directory(error)) {
            fs::create_directories(target, error);
        } else if (!error && !fs::exists(target, error) && !error) {
            fs::copy_file(it->path(), target, error);
            // Installed examples are read-only; the user's copy is there to be changed.
            if (!error) {
                fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write,
                                fs::perm_options::add, error);
            }
        }
    }
    return !error;
}

}  // namespace tavrin::platform
