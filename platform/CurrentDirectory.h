#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tavrin::platform {

// (Not GetCurrentDirectory and SetCurrentDirectory: those names are macros on Windows.)

// The process's current directory as code page 932, without a trailing separator except at
// the root. Empty when it cannot be had, and when code page 932 cannot name it ("café"): a
// name with "?" in it would lead to another folder, while an empty folder makes every path
// relative, and a relative path resolves against the current directory as it is.
std::string CurrentDirectory();

// The current directory for showing to the user in code page 932: characters code page 932
// cannot hold become "?". Never to be used as a path.
std::string CurrentDirectoryForDisplay();

// The current directory as the system names it; empty when it cannot be had.
std::filesystem::path NativeCurrentDirectory();

// Makes `path` (code page 932) the current directory. False when that fails.
bool ChangeCurrentDirectory(std::string_view path);

// Makes `path`, as the system names it, the current directory. False when that fails.
bool ChangeCurrentDirectoryNative(const std::filesystem::path& path);

}  // namespace tavrin::platform
