#pragma once

// Conversions between code page 932 and the wide strings of the Windows API, shared by the
// Windows implementations of the platform seam.
#include <string>
#include <string_view>

namespace tavrin::platform::windows {

inline constexpr unsigned kCodePage932 = 932;

// Strict: false when `text` is not valid in `codePage`.
bool ToWide(unsigned codePage, std::string_view text, std::wstring& wide);

// Characters the code page cannot hold become "?".
std::string FromWide(unsigned codePage, std::wstring_view wide);

}  // namespace tavrin::platform::windows
