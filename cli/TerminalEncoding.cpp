#include "cli/TerminalEncoding.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "platform/CodePage.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/windows/WindowsText.h"
#else
#include <unistd.h>
#endif

namespace tavrin::cli {

#ifdef _WIN32

// Text stays code page 932 up to the standard streams, which write it to a console as UTF-16
// themselves (TerminalStreams). Redirected output is code page 932 whatever the system's code
// pages: what cmd and PowerShell read from a program on Japanese Windows, and the encoding of
// the files Tavrin writes.
std::string ToTerminal(std::string_view cp932) {
    return std::string(cp932);
}

std::string FromTerminal(std::string_view text) {
    return std::string(text);
}

namespace {

constexpr unsigned kCp932 = platform::windows::kCodePage932;

// "?" for each character code page 932 cannot hold, with no look-alike put in its place.
std::string Cp932OrQuestionMarks(std::wstring_view wide) {
    std::string text;
    for (std::size_t i = 0; i < wide.size();) {
        std::size_t length = i + 1 < wide.size() && wide[i] >= 0xD800 && wide[i] <= 0xDBFF &&
                                     wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF
                                 ? 2
                                 : 1;
        std::string one = platform::windows::FromWide(kCp932, wide.substr(i, length));
        std::wstring back;
        bool exact = platform::windows::ToWide(kCp932, one, back) && back == wide.substr(i, length);
        text += exact ? one : "?";
        i += length;
    }
    return text;
}

}  // namespace

std::vector<std::filesystem::path> NativeArguments(int argc, wchar_t** argv) {
    return std::vector<std::filesystem::path>(argv + std::min(argc, 1), argv + argc);
}

std::string NativeToTerminal(const std::filesystem::path& path) {
    return Cp932OrQuestionMarks(path.native());
}

bool ArgumentsAsCp932(int argc, wchar_t** argv, std::vector<std::string>& arguments,
                      std::string& unconvertible, std::size_t skip) {
    arguments.clear();
    bool ok = true;
    for (int i = 1 + static_cast<int>(skip); i < argc; ++i) {
        std::wstring_view wide = argv[i];
        std::string cp932 = platform::windows::FromWide(kCp932, wide);
        std::wstring back;
        if (ok && (!platform::windows::ToWide(kCp932, cp932, back) || back != wide)) {
            unconvertible = Cp932OrQuestionMarks(wide);
            ok = false;
        }
        arguments.push_back(std::move(cp932));
    }
    return ok;
}

std::optional<std::string> ReadTerminalLine() {
    HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (!::GetConsoleMode(input, &mode)) {
        return std::nullopt;
    }
    // Read as UTF-16 from the console, whatever its code page.
    std::wstring line;
    while (true) {
        wchar_t c = 0;
        DWORD got = 0;
        if (!::ReadConsoleW(input, &c, 1, &got, nullptr) || got == 0) {
            if (line.empty()) {
                return std::nullopt;
            }
            break;
        }
        if (c == L'\n') {
            break;
        }
        line += c;
    }
    if (!line.empty() && line.back() == L'\r') {
        line.pop_back();
    }
    return platform::windows::FromWide(kCp932, line);
}

#else

std::string ToTerminal(std::string_view cp932) {
    return platform::Cp932ToUtf8(cp932);
}

std::string FromTerminal(std::string_view text) {
    return platform::Utf8ToCp932(text);
}

std::vector<std::filesystem::path> NativeArguments(int argc, char** argv) {
    return std::vector<std::filesystem::path>(argv + std::min(argc, 1), argv + argc);
}

std::string NativeToTerminal(const std::filesystem::path& path) {
    return path.native();
}

bool ArgumentsAsCp932(int argc, char** argv, std::vector<std::string>& arguments,
                      std::string& unconvertible, std::size_t skip) {
    arguments.clear();
    bool ok = true;
    for (int i = 1 + static_cast<int>(skip); i < argc; ++i) {
        std::string cp932 = FromTerminal(argv[i]);
        std::string back;
        if (ok && (!platform::Cp932ToUtf8(cp932, back) || back != argv[i])) {
            unconvertible = argv[i];
            ok = false;
        }
        arguments.push_back(std::move(cp932));
    }
    return ok;
}

std::optional<std::string> ReadTerminalLine() {
    if (::isatty(STDIN_FILENO) == 0) {
        return std::nullopt;
    }
    std::string line;
    if (!std::getline(std::cin, line)) {
        return std::nullopt;
    }
    return line;
}

#endif

}  // namespace tavrin::cli
