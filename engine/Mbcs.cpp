#include "engine/Mbcs.h"

namespace tavrin::mbcs {

std::size_t FindChar(std::string_view text, char c, std::size_t from) {
    for (std::size_t pos = from; pos < text.size(); pos += CharLength(text, pos)) {
        if (text[pos] == c) {
            return pos;
        }
    }
    return std::string_view::npos;
}

bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) {
        return false;
    }
    for (std::size_t pos = 0; pos < prefix.size();) {
        const std::size_t length = CharLength(prefix, pos);
        if (length == 2 ? text.substr(pos, 2) != prefix.substr(pos, 2)
                        : ToLowerAscii(text[pos]) != ToLowerAscii(prefix[pos])) {
            return false;
        }
        pos += length;
    }
    return true;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && StartsWithIgnoringAsciiCase(a, b);
}

bool HasHighBytes(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return true;
        }
    }
    return false;
}

std::string_view TrimWhiteSpaceLeft(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && IsWhiteSpace(static_cast<unsigned char>(text[begin]))) {
        ++begin;
    }
    return text.substr(begin);
}

std::string_view TrimWhiteSpaceRight(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && IsWhiteSpace(static_cast<unsigned char>(text[end - 1]))) {
        --end;
    }
    return text.substr(0, end);
}

std::string_view TrimWhiteSpace(std::string_view text) {
    return TrimWhiteSpaceRight(TrimWhiteSpaceLeft(text));
}

std::optional<std::string_view> Tokenizer::Next() {
    std::size_t begin = 0;
    while (begin < m_rest.size() && m_rest[begin] == m_delimiter) {
        ++begin;
    }
    if (begin == m_rest.size()) {
        m_rest = {};
        return std::nullopt;
    }
    std::size_t end = FindChar(m_rest, m_delimiter, begin);
    if (end == std::string_view::npos) {
        end = m_rest.size();
    }
    std::string_view token = m_rest.substr(begin, end - begin);
    m_rest = m_rest.substr(end);
    return token;
}

}  // namespace tavrin::mbcs
