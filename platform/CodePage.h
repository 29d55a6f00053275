#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrin::platform {

// Everything Tavrin reads, compares and writes is code page 932 (Shift-JIS) bytes. These
// conversions serve the edges where other encodings meet it: native file names, the
// terminal, and files saved in Unicode.

// The shape of code page 932: a character is one byte, or a lead byte followed by a trail
// byte. Every place that steps through such text, the system converters included, asks here.
namespace cp932 {

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

}  // namespace cp932

// Converts code page 932 bytes to UTF-8. Returns false, leaving `utf8` unspecified, when the
// bytes are not valid code page 932.
bool Cp932ToUtf8(std::string_view cp932, std::string& utf8);

// Converts code page 932 bytes to UTF-8 for display, where a wrong byte must not hide the
// rest of the text: each character that is not valid code page 932 becomes "?".
std::string Cp932ToUtf8(std::string_view cp932);

// Converts UTF-8 to code page 932. A character code page 932 cannot hold, and every byte
// that is not valid UTF-8, becomes "?".
std::string Utf8ToCp932(std::string_view utf8);

// Utf8ToCp932, and whether the text comes back unchanged from code page 932: false when a
// "?" or a look-alike stands for a character, which could then name another file or lose
// the character when the text is written back.
bool Utf8ToCp932Exactly(std::string_view utf8, std::string& cp932);

// UTF-8 from UTF-16 without a byte order mark; an unpaired surrogate or a trailing odd byte
// becomes U+FFFD and clears `lossless`.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian, bool& lossless);

// UTF-16 without a byte order mark from valid UTF-8 (as the code page conversions give).
std::string Utf8ToUtf16(std::string_view utf8, bool bigEndian);

}  // namespace tavrin::platform
