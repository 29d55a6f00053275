#include "cli/TerminalEncoding.h"

#include <cstdio>
#include <iostream>

#include "platform/CodePage.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
// windows.h must come first.
#include <shellapi.h>
#else
#include <unistd.h>
#endif

namespace tavrin::cli {

#ifdef _WIN32

namespace {

constexpr UINT kCp932 = 932;

std::wstring ToWide(std::string_view text, UINT codePage) {
    if (text.empty()) {
        return {};
    }
    int size =
        ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          size);
    return wide;
}

std::string FromWide(std::wstring_view wide, UINT codePage) {
    if (wide.empty()) {
        return {};
    }
    // UTF-8 takes no default character; the others put "?" where they cannot.
    const char* fallback = codePage == CP_UTF8 ? nullptr : "?";
    int size = ::WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                     nullptr, 0, fallback, nullptr);
    std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    ::WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                          size, fallback, nullptr);
    return text;
}

// The console's code page, or the ANSI code page when output goes to no console.
UINT TerminalCodePage() {
    UINT codePage = ::GetConsoleOutputCP();
    return codePage != 0 ? codePage : ::GetACP();
}

}  // namespace

std::string ToTerminal(std::string_view cp932) {
    UINT codePage = TerminalCodePage();
    return codePage == kCp932 ? std::string(cp932) : FromWide(ToWide(cp932, kCp932), codePage);
}

std::string FromTerminal(std::string_view text) {
    UINT codePage = TerminalCodePage();
    return codePage == kCp932 ? std::string(text) : FromWide(ToWide(text, codePage), kCp932);
}

bool ArgumentsAsCp932(int, char**, std::vector<std::string>& arguments,
                      std::string& unconvertible) {
    // The narrow argv has already lost what the ANSI code page cannot hold; the wide command
    // line has not.
    arguments.clear();
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    bool ok = true;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        std::string cp932 = FromWide(wide[i], kCp932);
        if (ok && ToWide(cp932, kCp932) != wide[i]) {
            unconvertible = FromWide(wide[i], TerminalCodePage());
            ok = false;
        }
        arguments.push_back(std::move(cp932));
    }
    ::LocalFree(wide);
    return ok;
}

std::optional<std::string> ReadTerminalLine() {
    if (!::_isatty(::_fileno(stdin))) {
        return std::nullopt;
    }
    std::string line;
    if (!std::getline(std::cin, line)) {
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

#else

std::string ToTerminal(std::string_view cp932) {
    return platform::Cp932ToUtf8(cp932);
}

std::string FromTerminal(std::string_view text) {
    return platform::Utf8ToCp932(text);
}

bool ArgumentsAsCp932(int argc, char** argv, std::vector<std::string>& arguments,
                      std::string& unconvertible) {
    arguments.clear();
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
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
