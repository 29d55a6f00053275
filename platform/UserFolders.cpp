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
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::skip_existing, error);
    if (error) {
        return false;
    }
    // Installed examples are read-only; the user's copy is there to be changed.
    for (fs::recursive_directory_iterator it(to, error), end; !error && it != end;
         it.increment(error)) {
        fs::permissions(it->path(), fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::add, error);
    }
    return !error;
}

}  // namespace tavrin::platform
