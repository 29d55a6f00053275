#pragma once

#include <string>
#include <string_view>

namespace tavrin::platform {

// (Not GetCurrentDirectory and SetCurrentDirectory: those names are macros on Windows.)

// The process's current directory as code page 932, without a trailing separator except at
// the root. Empty when it cannot be had.
std::string CurrentDirectory();

// Makes `path` (code page 932) the current directory. False when that fails.
bool ChangeCurrentDirectory(std::string_view path);

}  // namespace tavrin::platform
