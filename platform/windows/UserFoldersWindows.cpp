#include <windows.h>

#include <shlobj.h>

#include <cstdlib>

#include "platform/UserFolders.h"

namespace tavrin::platform {

std::filesystem::path ProgramFile() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        // Cut short: the path is longer than the buffer.
        path.resize(path.size() * 2);
    }
}

std::filesystem::path UserDataFolder() {
    // The variable first, as users and tests set it to move the folder; the system's own
    // record of the folder when it is not set.
    if (const wchar_t* value = ::_wgetenv(L"APPDATA"); value != nullptr && value[0] != L'\0') {
        return value;
    }
    std::wstring folder(MAX_PATH, L'\0');
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, folder.data()))) {
        return {};
    }
    folder.resize(folder.find(L'\0'));
    return folder;
}

}  // namespace tavrin::platform
