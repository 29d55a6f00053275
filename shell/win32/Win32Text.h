#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The window's texts are UTF-16; everything behind it is code page 932. Converted here, with
// code page 932 named explicitly, so that the program behaves the same whatever the system's
// ANSI code page is.
namespace tavrin::shell::win32 {

// Bytes that are not valid code page 932 become the system's replacement character.
std::wstring Wide(std::string_view cp932);

// Characters code page 932 cannot hold become "?".
std::string Narrow(std::wstring_view wide);

// A window's whole text.
std::wstring WindowTextOf(HWND window);

}  // namespace tavrin::shell::win32
