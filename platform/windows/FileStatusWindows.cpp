#include <windows.h>

#include "platform/FileStatus.h"
#include "platform/NativePath.h"

namespace tavrin::platform {

namespace {

DWORD Attributes(std::string_view path) {
    auto native = path.empty() ? std::nullopt : ToNativePath(path);
    return native ? ::GetFileAttributesW(native->c_str()) : INVALID_FILE_ATTRIBUTES;
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

}  // namespace tavrin::platform
