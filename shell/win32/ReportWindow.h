#pragma once

#include <windows.h>

#include <string_view>

namespace tavrin::shell::win32 {

// Shows `text` (code page 932) in dialog 310 over `owner`, modally: a read-only box the user
// can scroll, select and copy from, closed with its button or Escape.
void RunReportWindow(HWND owner, std::string_view title, std::string_view text);

}  // namespace tavrin::shell::win32
