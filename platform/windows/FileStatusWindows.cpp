#include <windows.h>

#include "platform/FileStatus.h"
#include "platform/NativePath.h"
#include "platform/windows/LongPath.h"

namespace tavrin::platform {

namespace {

DWORD Attributes(std::string_view path) {
    auto native = path.empty() ? std::nullopt : ToNativePath(path);
    return native ? ::GetFileAttributesW(windows::LongPath(*native).c_str())
                  : INVALID_FILE_ATTRIBUTES;
}

// The volume and the number the file has there; false when it cannot be opened.
bool Identity(std::string_view path, BY_HANDLE_FILE_INFORMATION& information) {
    auto native = path.empty() ? std::nullopt : ToNativePath(path);
    if (!native) {
        return false;
    }
    HANDLE file = ::CreateFileW(windows::LongPath(*native).c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool ok = ::GetFileInformationByHandle(file, &information) != 0;
    ::CloseHandle(file);
    return ok;
}

}  // namespace

bool PathExists(std::string_view path) {
    return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(std::string_view path) {
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsRegularFile(std::string_view path) {
    // Devices are no files here: their names do not resolve to attributes of a file.
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

bool SameFile(std::string_view a, std::string_view b) {
    BY_HANDLE_FILE_INFORMATION first;
    BY_HANDLE_FILE_INFORMATION second;
    return Identity(a, first) && Identity(b, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

}  // namespace tavrin::platform
