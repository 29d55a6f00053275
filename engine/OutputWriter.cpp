#include "engine/OutputWriter.h"

#include "platform/TextFile.h"

namespace tavrin {

bool CFileOutputWriter::Write(std::string_view path, std::string_view bytes) {
    return platform::WriteFileAtomically(path, bytes);
}

bool CPreviewOutputWriter::Write(std::string_view path, std::string_view bytes) {
    m_files.push_back({std::string(path), std::string(bytes)});
    return true;
}

}  // namespace tavrin
