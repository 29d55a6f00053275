#include "engine/ResourceScanner.h"

#include <cstddef>
#include <optional>
#include <utility>

#include "engine/Mbcs.h"
#include "engine/PatternMatcher.h"
#include "engine/TextLines.h"
#include "platform/CodePage.h"
#include "platform/TextFile.h"

namespace tavrin {

namespace {

// A word character, a space, and later the upper-case word DIALOG followed by a space.
// Byte-wise on purpose: "\w" and "." need no double-byte awareness to find ASCII words.
constexpr std::string_view kDialogDeclaration = "/\\w .*DIALOG .*/";

// Resource scripts saved by current tools carry a byte order mark and are Unicode; they are
// brought to code page 932 so that they scan like the old ones. Without a mark the bytes are
// taken as code page 932, whatever they are.
std::string ToCodePage932(std::string bytes) {
    std::string_view text = bytes;
    if (text.starts_with("\xEF\xBB\xBF")) {
        return platform::Utf8ToCp932(text.substr(3));
    }
    if (text.starts_with("\xFF\xFE")) {
        return platform::Utf16ToCp932(text.substr(2), platform::Utf16ByteOrder::LittleEndian);
    }
    if (text.starts_with("\xFE\xFF")) {
        return platform::Utf16ToCp932(text.substr(2), platform::Utf16ByteOrder::BigEndian);
    }
    return bytes;
}

}  // namespace

bool CResourceScanner::Scan(std::string_view path) {
    ids.clear();
    std::string bytes;
    if (!platform::ReadFileBytes(path, bytes)) {
        return false;
    }
    const std::string text = platform::DecodeTextMode(ToCodePage932(std::move(bytes)));

    for (std::string_view line : SplitLines(text, LineFeeds::kDrop)) {
        // A zero byte ends the line as far as the test is concerned, which is why a UTF-16
        // script without a byte order mark yields nothing.
        line = line.substr(0, line.find('\0'));

        if (!IsMatch(line, kDialogDeclaration)) {
            continue;
        }
        // Only spaces delimit the ID: a leading tab stays part of it.
        if (std::optional<std::string_view> id = mbcs::Tokenizer(line, ' ').Next()) {
            ids.emplace_back(*id);
        }
    }
    return !ids.empty();
}

}  // namespace tavrin
