#include "platform/TextFile.h"

namespace tavrin::platform {

namespace {
thread_local WriteFailure t_lastWriteFailure = WriteFailure::kOther;
}  // namespace

WriteFailure LastWriteFailure() {
    return t_lastWriteFailure;
}

void NoteWriteFailure(WriteFailure failure) {
    t_lastWriteFailure = failure;
}

// Both directions copy whole runs between line ends at once: templates and resource scripts
// run to megabytes, and a byte-at-a-time copy was a good part of a generation's time.
std::string DecodeTextMode(std::string_view raw) {
    std::string text;
    text.reserve(raw.size());
    std::size_t from = 0;
    for (std::size_t cr = raw.find('\r'); cr != std::string_view::npos;
         cr = raw.find('\r', cr + 1)) {
        if (cr + 1 < raw.size() && raw[cr + 1] == '\n') {
            text.append(raw.substr(from, cr - from));  // the LF that follows stands for the pair
            from = cr + 1;
        }
    }
    text.append(raw.substr(from));
    return text;
}

std::string EncodeTextMode(std::string_view text) {
    std::string raw;
    raw.reserve(text.size() + text.size() / 32 + 16);
    std::size_t from = 0;
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos;
         lf = text.find('\n', lf + 1)) {
        raw.append(text.substr(from, lf - from));
        raw.append("\r\n");
        from = lf + 1;
    }
    raw.append(text.substr(from));
    return raw;
}

bool WriteTextFile(std::string_view path, std::string_view text) {
    return WriteFileAtomically(path, EncodeTextMode(text));
}

}  // namespace tavrin::platform
