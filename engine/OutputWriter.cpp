#include "engine/OutputWriter.h"

#include "platform/TextFile.h"

namespace tavrin {

bool CFileOutputWriter::Write(std::string_view path, std::string_view bytes) {
    return platform::WriteFileAtomically(path, bytes);
}

bool CPreviewOutputWriter::Write(std::string_view path, std::string_view bytes) {
    // A write that must fail fails here too: a preview must not promise what the run cannot do.
    if (!platform::MayWriteFile(path, m_failure)) {
        return false;
    }
    m_files.push_back({std::string(path), std::string(bytes)});
    return true;
}

}  // namespace tavrin
