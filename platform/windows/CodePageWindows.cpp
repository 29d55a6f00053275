#include <windows.h>

#include "platform/CodePage.h"
#include "platform/windows/WindowsText.h"

namespace tavrin::platform {

namespace windows {

bool ToWide(unsigned codePage, std::string_view text, std::wstring& wide) {
    wide.clear();
    if (text.empty()) {
        return true;
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

std::string FromWide(unsigned codePage, std::wstring_view wide) {
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

}  // namespace windows

namespace {

bool IsLead932(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Converts character by character, so that one wrong character costs one "?".
std::string Cp932ToUtf8Lossy(std::string_view text) {
    std::string utf8;
    std::wstring wide;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t length =
            IsLead932(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
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

std::string Utf16ToCp932(std::string_view bytes, Utf16ByteOrder order) {
    std::wstring wide;
    wide.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto first = static_cast<unsigned char>(bytes[i]);
        auto second = static_cast<unsigned char>(bytes[i + 1]);
        wide.push_back(static_cast<wchar_t>(
            order == Utf16ByteOrder::LittleEndian ? (second << 8 | first) : (first << 8 | second)));
    }
    std::string text = windows::FromWide(windows::kCodePage932, wide);
    if (bytes.size() % 2 != 0) {
        text += '?';
    }
    return text;
}

}  // namespace tavrin::platform
