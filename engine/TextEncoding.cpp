#include "engine/TextEncoding.h"

#include "platform/CodePage.h"
#include "platform/TextFile.h"

namespace tavrin {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// Code page 932 from UTF-8, and whether it came back unchanged: a character code page 932
// cannot hold would otherwise turn silently into "?".
std::string FromUtf8(std::string_view utf8, bool& lossless) {
    std::string cp932;
    lossless = platform::Utf8ToCp932Exactly(utf8, cp932) && lossless;
    return cp932;
}

}  // namespace

TextEncoding EncodingOfMark(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) {
        return TextEncoding::kUtf8;
    }
    if (bytes.starts_with(kUtf16LeMark)) {
        return TextEncoding::kUtf16Le;
    }
    if (bytes.starts_with(kUtf16BeMark)) {
        return TextEncoding::kUtf16Be;
    }
    return TextEncoding::kCp932;
}

std::string_view ByteOrderMark(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::kUtf8:
            return kUtf8Mark;
        case TextEncoding::kUtf16Le:
            return kUtf16LeMark;
        case TextEncoding::kUtf16Be:
            return kUtf16BeMark;
        case TextEncoding::kCp932:
            break;
    }
    return {};
}

std::string ContentAsUtf8(std::string_view bytes, TextEncoding encoding, bool& lossless) {
    const std::string_view content = bytes.substr(ByteOrderMark(encoding).size());
    if (encoding == TextEncoding::kUtf16Le || encoding == TextEncoding::kUtf16Be) {
        return platform::Utf16ToUtf8(content, encoding == TextEncoding::kUtf16Be, lossless);
    }
    return std::string(content);
}

std::string Utf8WithMark(std::string_view utf8, TextEncoding encoding) {
    std::string out(ByteOrderMark(encoding));
    if (encoding == TextEncoding::kUtf16Le || encoding == TextEncoding::kUtf16Be) {
        out += platform::Utf8ToUtf16(utf8, encoding == TextEncoding::kUtf16Be);
    } else {
        out += utf8;
    }
    return out;
}

DecodedText DecodeText(std::string_view bytes) {
    DecodedText text;
    text.encoding = EncodingOfMark(bytes);
    if (text.encoding == TextEncoding::kCp932) {
        text.cp932 = bytes;
    } else {
        text.cp932 = FromUtf8(ContentAsUtf8(bytes, text.encoding, text.lossless), text.lossless);
    }
    return text;
}

std::string EncodeText(std::string_view cp932, TextEncoding encoding) {
    if (encoding == TextEncoding::kCp932) {
        return std::string(cp932);
    }
    return Utf8WithMark(platform::Cp932ToUtf8(cp932), encoding);
}

bool ReadEncodedTextFile(std::string_view path, DecodedText& text) {
    std::string bytes;
    if (!platform::ReadFileBytes(path, bytes)) {
        return false;
    }
    text = DecodeText(bytes);
    // Line ends are undone after the conversion: in UTF-16 a CR LF is four bytes.
    text.cp932 = platform::DecodeTextMode(text.cp932);
    return true;
}

std::vector<int> LinesOutsideCp932(std::string_view bytes) {
    const TextEncoding encoding = EncodingOfMark(bytes);
    bool lossless = true;
    const std::string text = ContentAsUtf8(bytes, encoding, lossless);
    std::string_view content = text;
    std::vector<int> lines;
    int number = 0;
    while (!content.empty()) {
        ++number;
        const std::size_t end = content.find('\n');
        const std::string_view line = content.substr(0, end);
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
        std::string converted;
        const bool exact = encoding == TextEncoding::kCp932
                               ? platform::Cp932ToUtf8(line, converted)
                               : platform::Utf8ToCp932Exactly(line, converted);
        if (!exact) {
            lines.push_back(number);
        }
    }
    return lines;
}

std::string EncodeTextFile(std::string_view cp932Text, TextEncoding encoding) {
    return EncodeText(platform::EncodeTextMode(cp932Text), encoding);
}

}  // namespace tavrin
