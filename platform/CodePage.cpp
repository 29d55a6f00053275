#include "platform/CodePage.h"

#include <cstdint>

// The conversions that need no help from the system: between the Unicode forms, and the
// round-trip check on top of the system's code page converters.
namespace tavrin::platform {

namespace {

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

}  // namespace

bool Utf8ToCp932Exactly(std::string_view utf8, std::string& cp932) {
    cp932 = Utf8ToCp932(utf8);
    std::string back;
    return Cp932ToUtf8(cp932, back) && back == utf8;
}

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

}  // namespace tavrin::platform
