#include "engine/OutputWriter.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/FileStatus.h"
#include "platform/NativePath.h"
#include "platform/TextFile.h"

namespace tavrin {

bool CFileOutputWriter::Write(std::string_view path, std::string_view bytes) {
    return platform::WriteFileAtomically(path, bytes);
}

bool CPreviewOutputWriter::Write(std::string_view path, std::string_view bytes) {
    // A write that must fail for want of its folder, or because a folder stands in the file's
    // place, fails here too: a preview must not promise what the run cannot do.
    std::optional<std::filesystem::path> native = platform::ToNativePath(path);
    if (!native || platform::IsDirectory(path)) {
        return false;
    }
    std::error_code error;
    if (native->has_parent_path() && !std::filesystem::is_directory(native->parent_path(), error)) {
        return false;
    }
    m_files.push_back({std::string(path), std::string(bytes)});
    return true;
}

}  // namespace tavrin
