#include <windows.h>

#include "platform/CodePage.h"
#include "platform/windows/WindowsText.h"

namespace tavrin::platform {

namespace windows {

namespace {

// Windows maps the single bytes 0x80, 0xA0 and 0xFD to 0xFF, which code page 932 leaves
// unassigned, to characters of its own; other systems call them invalid. They are invalid
// here too, so that the same bytes give the same result everywhere.
bool HasWindowsOnlyByte(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        auto byte = static_cast<unsigned char>(text[pos]);
        if (cp932::IsLeadByte(byte)) {
            ++pos;  // its trail byte, whatever it is
        } else if (byte == 0x80 || byte == 0xA0 || byte >= 0xFD) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool ToWide(unsigned codePage, std::string_view text, std::wstring& wide) {
    wide.clear();
    if (text.empty()) {
        return true;
    }
    if (codePage == kCodePage932 && HasWindowsOnlyByte(text)) {
        return false;
    }
    const int length = static_cast<int>(text.size());
    int size =
        ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (size <= 0) {
        return false;
    }
    wide.resize(static_cast<std::size_t>(size));
    return ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(),
                                 size) == size;
}

namespace {

std::string Convert(unsigned codePage, std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = static_cast<int>(wide.size());
    // UTF-8 takes no default character; every other code page gets "?".
    const char* defaultChar = codePage == CP_UTF8 ? nullptr : "?";
    int size =
        ::WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, defaultChar, nullptr);
    std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        ::WideCharToMultiByte(codePage, 0, wide.data(), length, text.data(), size, defaultChar,
                              nullptr);
    }
    return text;
}

bool IsHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

std::string FromWide(unsigned codePage, std::wstring_view wide) {
    if (codePage == CP_UTF8) {
        return Convert(codePage, wide);
    }
    // The system writes a default character per UTF-16 unit, so a character outside the basic
    // plane would become "??". No code page but UTF-8 holds one: each pair is one "?" here.
    std::string text;
    std::size_t start = 0;
    for (std::size_t i = 0; i + 1 < wide.size(); ++i) {
        if (IsHighSurrogate(wide[i]) && IsLowSurrogate(wide[i + 1])) {
            text += Convert(codePage, wide.substr(start, i - start));
            text += '?';
            start = i + 2;
            ++i;
        }
    }
    text += Convert(codePage, wide.substr(start));
    return text;
}

}  // namespace windows

namespace {

// Converts character by character, so that one wrong character costs one "?". A lead byte
// takes the next byte with it only when that can trail: otherwise the next byte is a
// character of its own and must not vanish with the wrong one.
std::string Cp932ToUtf8Lossy(std::string_view text) {
    std::string utf8;
    std::wstring wide;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = cp932::CharLength(text, pos);
        if (windows::ToWide(windows::kCodePage932, text.substr(pos, length), wide)) {
            utf8 += windows::FromWide(CP_UTF8, wide);
        } else {
            utf8 += '?';
        }
        pos += length;
    }
    return utf8;
}

}  // namespace

bool Cp932ToUtf8(std::string_view cp932, std::string& utf8) {
    std::wstring wide;
    if (!windows::ToWide(windows::kCodePage932, cp932, wide)) {
        return false;
    }
    utf8 = windows::FromWide(CP_UTF8, wide);
    return true;
}

std::string Cp932ToUtf8(std::string_view cp932) {
    std::string utf8;
    return Cp932ToUtf8(cp932, utf8) ? utf8 : Cp932ToUtf8Lossy(cp932);
}

std::string Utf8ToCp932(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    // Without MB_ERR_INVALID_CHARS every invalid sequence becomes U+FFFD, which code page 932
    // cannot hold, so it comes out as "?".
    const int length = static_cast<int>(utf8.size());
    int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) {
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), size);
    }
    return windows::FromWide(windows::kCodePage932, wide);
}

}  // namespace tavrin::platform
