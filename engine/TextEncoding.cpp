#include "engine/TextEncoding.h"

#include <cstdint>

#include "platform/CodePage.h"
#include "platform/TextFile.h"

namespace tavrin {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

void AppendUnit(std::uint16_t unit, bool bigEndian, std::string& out) {
    char high = static_cast<char>(unit >> 8);
    char low = static_cast<char>(unit & 0xFF);
    out.push_back(bigEndian ? high : low);
    out.push_back(bigEndian ? low : high);
}

// Code page 932 from UTF-8, and whether it came back unchanged: a character code page 932
// cannot hold would otherwise turn silently into "?".
std::string FromUtf8(std::string_view utf8, bool& lossless) {
    std::string cp932 = platform::Utf8ToCp932(utf8);
    std::string back;
    lossless = lossless && platform::Cp932ToUtf8(cp932, back) && back == utf8;
    return cp932;
}

}  // namespace

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian, bool& lossless) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    auto unitAt = [&](std::size_t pos) {
        auto first = static_cast<unsigned char>(bytes[pos]);
        auto second = static_cast<unsigned char>(bytes[pos + 1]);
        return static_cast<std::uint16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    };
    std::size_t pos = 0;
    for (; pos + 1 < bytes.size(); pos += 2) {
        std::uint16_t unit = unitAt(pos);
        char32_t c = unit;
        if (unit >= 0xD800 && unit <= 0xDBFF && pos + 3 < bytes.size()) {
            std::uint16_t next = unitAt(pos + 2);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                c = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (next - 0xDC00);
                pos += 2;
            }
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
            lossless = false;
        }
        AppendUtf8(c, out);
    }
    if (pos < bytes.size()) {
        AppendUtf8(kReplacement, out);
        lossless = false;
    }
    return out;
}

std::string Utf8ToUtf16(std::string_view utf8, bool bigEndian) {
    std::string out;
    out.reserve(utf8.size() * 2);
    for (std::size_t pos = 0; pos < utf8.size();) {
        auto lead = static_cast<unsigned char>(utf8[pos]);
        std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (pos + length > utf8.size()) {
            length = 1;  // cut short: only invalid UTF-8 can end so
        }
        char32_t c = length == 1   ? lead
                     : length == 2 ? lead & 0x1F
                     : length == 3 ? lead & 0x0F
                                   : lead & 0x07;
        for (std::size_t i = 1; i < length; ++i) {
            c = c << 6 | (static_cast<unsigned char>(utf8[pos + i]) & 0x3F);
        }
        if (length == 1 && lead >= 0x80) {
            c = kReplacement;
        }
        if (c >= 0x10000) {
            AppendUnit(static_cast<std::uint16_t>(0xD800 + ((c - 0x10000) >> 10)), bigEndian, out);
            AppendUnit(static_cast<std::uint16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)), bigEndian,
                       out);
        } else {
            AppendUnit(static_cast<std::uint16_t>(c), bigEndian, out);
        }
        pos += length;
    }
    return out;
}

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

DecodedText DecodeText(std::string_view bytes) {
    DecodedText text;
    text.encoding = EncodingOfMark(bytes);
    const std::string_view content = bytes.substr(ByteOrderMark(text.encoding).size());
    switch (text.encoding) {
        case TextEncoding::kUtf8:
            text.cp932 = FromUtf8(content, text.lossless);
            break;
        case TextEncoding::kUtf16Le:
        case TextEncoding::kUtf16Be: {
            const bool bigEndian = text.encoding == TextEncoding::kUtf16Be;
            text.cp932 = FromUtf8(Utf16ToUtf8(content, bigEndian, text.lossless), text.lossless);
            break;
        }
        case TextEncoding::kCp932:
            text.cp932 = bytes;
            break;
    }
    return text;
}

std::string EncodeText(std::string_view cp932, TextEncoding encoding) {
    if (encoding == TextEncoding::kCp932) {
        return std::string(cp932);
    }
    std::string utf8 = platform::Cp932ToUtf8(cp932);
    std::string out(ByteOrderMark(encoding));
    if (encoding == TextEncoding::kUtf8) {
        out += utf8;
    } else {
        out += Utf8ToUtf16(utf8, encoding == TextEncoding::kUtf16Be);
    }
    return out;
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
    std::string utf8;
    std::string_view content = bytes;
    if (encoding == TextEncoding::kUtf8) {
        content.remove_prefix(3);
    } else if (encoding != TextEncoding::kCp932) {
        bool lossless = true;
        utf8 = Utf16ToUtf8(bytes.substr(2), encoding == TextEncoding::kUtf16Be, lossless);
        content = utf8;
    }
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
                               : platform::Cp932ToUtf8(platform::Utf8ToCp932(line), converted) &&
                                     converted == line;
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
