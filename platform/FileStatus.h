#pragma once

#include <string_view>

namespace tavrin::platform {

// True when a file or a folder exists at `path` (code page 932).
bool PathExists(std::string_view path);

// True when a folder exists at `path` (code page 932).
bool IsDirectory(std::string_view path);

// True when a regular file (not a folder, device or pipe) exists at `path` (code page 932).
bool IsRegularFile(std::string_view path);

// True when both paths (code page 932) lead to one existing file: the same name spelt another
// way, a link to it, a hard link.
bool SameFile(std::string_view a, std::string_view b);

}  // namespace tavrin::platform
