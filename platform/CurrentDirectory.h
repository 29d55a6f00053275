#pragma once

#include <string>
#include <string_view>

namespace tavrin::platform {

// The process's current directory as code page 932, without a trailing separator except at
// the root. Empty when it cannot be had.
std::string GetCurrentDirectory();

// Makes `path` (code page 932) the current directory. False when that fails.
bool SetCurrentDirectory(std::string_view path);

}  // namespace tavrin::platform
