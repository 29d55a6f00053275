#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "platform/CodePage.h"

// Byte-string helpers for code page 932, where a character is one byte or a lead byte
// followed by a trail byte. Wherever text is cut or searched at a single-byte delimiter, the
// search steps from character to character, so that a trail byte that happens to equal the
// delimiter (0x5C "\", 0x7C "|", 0x40 "@", letters) is never taken for it.
namespace tavrin::mbcs {

// The lead and trail byte rules are the platform's, which its converters follow too.
using platform::cp932::CharLength;
using platform::cp932::IsLeadByte;
using platform::cp932::IsTrailByte;

// Position of the first single-byte character `c` at or after `from` (a character
// boundary), or npos.
std::size_t FindChar(std::string_view text, char c, std::size_t from = 0);

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
