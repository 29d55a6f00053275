#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// Byte-string helpers for code page 932, where a character is one byte or a lead byte
// followed by a trail byte. Wherever text is cut or searched at a single-byte delimiter, the
// search steps from character to character, so that a trail byte that happens to equal the
// delimiter (0x5C "\", 0x7C "|", 0x40 "@", letters) is never taken for it.
namespace tavrin::mbcs {

inline constexpr bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

inline constexpr bool IsTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Length in bytes of the character that starts at `pos` (which must lie inside `text`): 2
// for a lead byte followed by a valid trail byte, otherwise 1. A lead byte at the end, or
// before a byte that cannot be a trail byte, is a one-byte character of its own.
inline std::size_t CharLength(std::string_view text, std::size_t pos) {
    if (IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() &&
        IsTrailByte(static_cast<unsigned char>(text[pos + 1]))) {
        return 2;
    }
    return 1;
}

// Position of the first single-byte character `c` at or after `from` (a character
// boundary), or npos.
std::size_t FindChar(std::string_view text, char c, std::size_t from = 0);

// True when the last character of `text` (not merely its last byte) is the single-byte
// character `c`.
bool EndsWithChar(std::string_view text, char c);

// Comparisons that ignore the case of ASCII letters only. A double-byte character compares
// exactly: its trail byte may look like a letter, and folding it would turn it into another
// character.
inline constexpr char ToLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix);

// True when any byte is 0x80 or above, that is, when the text is not plain ASCII.
bool HasHighBytes(std::string_view text);

// White space is the single-byte space, tab, line feed, vertical tab, form feed and carriage
// return. Both bytes of a double-byte character are never white space, so a full-width space
// is never stripped. (None of these bytes can be a trail byte, so stripping from either end
// byte by byte is safe.)
inline constexpr bool IsWhiteSpace(unsigned char b) {
    return b == ' ' || (b >= '\t' && b <= '\r');
}
std::string_view TrimWhiteSpace(std::string_view text);
std::string_view TrimWhiteSpaceLeft(std::string_view text);
std::string_view TrimWhiteSpaceRight(std::string_view text);

// Cuts text into tokens as the C runtime's multibyte tokenizer does: delimiters before a
// token are skipped, the token runs to the next delimiter or the end, and the search for the
// delimiter is double-byte aware. An empty token never comes out: runs of delimiters are
// skipped whole.
class Tokenizer {
public:
    Tokenizer(std::string_view text, char delimiter) : m_rest(text), m_delimiter(delimiter) {}

    // The next token, or nothing when only delimiters (or nothing) remain.
    std::optional<std::string_view> Next();

private:
    std::string_view m_rest;
    char m_delimiter;
};

}  // namespace tavrin::mbcs
