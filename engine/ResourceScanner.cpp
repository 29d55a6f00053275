#include "engine/ResourceScanner.h"

#include <cstddef>
#include <optional>

#include "engine/DialogDeclaration.h"
#include "engine/Mbcs.h"
#include "engine/TextEncoding.h"
#include "platform/TextFile.h"

namespace tavrin {

bool CResourceScanner::Scan(std::string_view path) {
    m_ids.clear();
    std::string bytes;
    if (!platform::ReadFileBytes(path, bytes)) {
        return false;
    }
    return ScanBytes(bytes);
}

bool CResourceScanner::ScanBytes(std::string_view bytes) {
    m_ids.clear();
    // Resource scripts saved by current tools carry a byte order mark and are Unicode; they
    // are brought to code page 932 so that they scan like the old ones. Without a mark the
    // bytes are taken as code page 932, whatever they are.
    const std::string text = platform::DecodeTextMode(DecodeText(bytes).cp932);
    const std::string_view all = text;

    // Only lines that hold the keyword can count, so the search jumps from keyword to keyword
    // and looks at no other line: one pass over the script, whatever its line lengths.
    for (std::size_t hit = FindDialogKeyword(all, 0); hit != std::string_view::npos;) {
        const std::size_t previousEnd = all.rfind('\n', hit);
        const std::size_t lineStart = previousEnd == std::string_view::npos ? 0 : previousEnd + 1;
        std::size_t lineEnd = all.find('\n', hit);
        if (lineEnd == std::string_view::npos) {
            lineEnd = all.size();
        }
        // A zero byte ends the line as far as the test is concerned, which is why a UTF-16
        // script without a byte order mark yields nothing.
        std::string_view line = all.substr(lineStart, lineEnd - lineStart);
        line = line.substr(0, line.find('\0'));

        if (IsDialogDeclaration(line)) {
            // Only spaces delimit the ID: a leading tab stays part of it.
            if (std::optional<std::string_view> id = mbcs::Tokenizer(line, ' ').Next()) {
                m_ids.emplace_back(*id);
            }
        }
        hit = lineEnd < all.size() ? FindDialogKeyword(all, lineEnd + 1) : std::string_view::npos;
    }
    return !m_ids.empty();
}

}  // namespace tavrin
