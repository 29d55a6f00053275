#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "platform/CodePage.h"

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

// The tests' texts are UTF-8, the windows' UTF-16 (little-endian, as on every Windows).
inline std::string Utf8(std::wstring_view wide) {
    bool lossless = true;
    return platform::Utf16ToUtf8(
        {reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t)}, false,
        lossless);
}

inline std::wstring WideFromUtf8(std::string_view utf8) {
    const std::string bytes = platform::Utf8ToUtf16(utf8, false);
    return {reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t)};
}

}  // namespace tavrin::testing
