#pragma once

#include <string>
#include <string_view>
#include <vector>

// Files in the encodings today's editors save: code page 932 without a mark, as always, or
// UTF-8 or UTF-16 behind a byte order mark. Inside Tavrin every text is code page 932; a file
// keeps its own encoding only at its edges, when it is read and when a file made from it is
// written.
namespace tavrin {

enum class TextEncoding {
    kCp932,    // no byte order mark: the bytes as they are
    kUtf8,     // EF BB BF
    kUtf16Le,  // FF FE
    kUtf16Be,  // FE FF
};

struct DecodedText {
    TextEncoding encoding = TextEncoding::kCp932;
    std::string cp932;  // the content without its byte order mark
    // False when a character had no code page 932 form, or the Unicode was broken, and a "?"
    // stands in its place: writing such text back would lose the character.
    bool lossless = true;
};

// The encoding the byte order mark at the start of `bytes` names; kCp932 when there is none.
TextEncoding EncodingOfMark(std::string_view bytes);

// The byte order mark of `encoding`; empty for code page 932, which has none.
std::string_view ByteOrderMark(TextEncoding encoding);

// Recognises the byte order mark and converts the rest to code page 932. Bytes without a mark
// come back unchanged.
DecodedText DecodeText(std::string_view bytes);

// The bytes of code page 932 text in `encoding`, with its byte order mark. Code page 932
// comes back unchanged; a byte that is not code page 932 becomes "?" in Unicode.
std::string EncodeText(std::string_view cp932, TextEncoding encoding);

// The text after the byte order mark of `encoding` (which must be the one `bytes` start
// with) as UTF-8; without a mark, the bytes as they are. A broken UTF-16 unit becomes U+FFFD
// and clears `lossless`.
std::string ContentAsUtf8(std::string_view bytes, TextEncoding encoding, bool& lossless);

// UTF-8 text as the bytes of `encoding`, with its byte order mark; without a mark, as it is.
std::string Utf8WithMark(std::string_view utf8, TextEncoding encoding);

// A whole file read in text mode (CR LF to LF) after its encoding is recognised. False when
// the file cannot be read.
bool ReadEncodedTextFile(std::string_view path, DecodedText& text);

// The numbers (from 1) of the lines of a file that have no exact code page 932 form: lines
// with bytes that are not code page 932 in a file without a byte order mark, lines with a
// character code page 932 cannot hold in a UTF-8 or UTF-16 file.
std::vector<int> LinesOutsideCp932(std::string_view bytes);

// Text-mode code page 932 text (LF to CR LF) in `encoding`, ready to be written.
std::string EncodeTextFile(std::string_view cp932Text, TextEncoding encoding);

}  // namespace tavrin
