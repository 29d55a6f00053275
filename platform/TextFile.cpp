#include "platform/TextFile.h"

namespace tavrin::platform {

std::string DecodeTextMode(std::string_view raw) {
    std::string text;
    text.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') {
            continue;  // the LF that follows stands for the pair
        }
        text.push_back(raw[i]);
    }
    return text;
}

std::string EncodeTextMode(std::string_view text) {
    std::string raw;
    raw.reserve(text.size() + text.size() / 32 + 16);
    for (char c : text) {
        if (c == '\n') {
            raw.push_back('\r');
        }
        raw.push_back(c);
    }
    return raw;
}

bool ReadTextFile(std::string_view path, std::string& text) {
    std::string raw;
    if (!ReadFileBytes(path, raw)) {
        return false;
    }
    text = DecodeTextMode(raw);
    return true;
}

bool WriteTextFile(std::string_view path, std::string_view text) {
    return WriteFileAtomically(path, EncodeTextMode(text));
}

}  // namespace tavrin::platform
