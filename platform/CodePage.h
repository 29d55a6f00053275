#pragma once

#include <string>
#include <string_view>

namespace tavrin::platform {

// Everything Tavrin reads, compares and writes is code page 932 (Shift-JIS) bytes. These
// conversions serve the edges where other encodings meet it: native file names, the
// terminal, and resource scripts saved in Unicode.

// Converts code page 932 bytes to UTF-8. Returns false, leaving `utf8` unspecified, when the
// bytes are not valid code page 932.
bool Cp932ToUtf8(std::string_view cp932, std::string& utf8);

// Converts code page 932 bytes to UTF-8 for display, where a wrong byte must not hide the
// rest of the text: each character that is not valid code page 932 becomes "?".
std::string Cp932ToUtf8(std::string_view cp932);

// Converts UTF-8 to code page 932. A character code page 932 cannot hold, and every byte
// that is not valid UTF-8, becomes "?".
std::string Utf8ToCp932(std::string_view utf8);

enum class Utf16ByteOrder { LittleEndian, BigEndian };

// Converts UTF-16 (no byte order mark) to code page 932. Characters code page 932 cannot
// hold, unpaired surrogates and a trailing odd byte become "?".
std::string Utf16ToCp932(std::string_view bytes, Utf16ByteOrder order);

}  // namespace tavrin::platform
