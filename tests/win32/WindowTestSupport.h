#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace tavrin::testing {

// Windows need a display. Under Wine it is the X display; without one the tests skip.
inline bool HasDisplay() {
    using WineVersion = const char*(CDECL*)();
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const bool underWine =
        ntdll != nullptr && reinterpret_cast<WineVersion>(reinterpret_cast<void*>(
                                GetProcAddress(ntdll, "wine_get_version"))) != nullptr;
    return !underWine || GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) > 0;
}

#define TAVRIN_SKIP_WITHOUT_DISPLAY()                                                    \
    do {                                                                                 \
        if (!::tavrin::testing::HasDisplay()) {                                          \
            GTEST_SKIP() << "Wine has no X display (DISPLAY unset): no window can open"; \
        }                                                                                \
    } while (false)

// The tests' texts are UTF-8, the windows' UTF-16.
inline std::string Utf8(std::wstring_view wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                        nullptr, nullptr);
    return text;
}

inline std::wstring WideFromUtf8(std::string_view utf8) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

}  // namespace tavrin::testing
