#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin::platform {

// The engine's paths are code page 932 bytes, as its users type them and as "template.tbl"
// names them. On POSIX they become UTF-8, and "\" counts as a folder separator there, since
// tables written on Windows name files like "tpl\dialog_h.txt". The bytes are decoded before
// any separator is looked at, so the trail byte 0x5C of a double-byte character is never
// taken for a separator. On Windows the same bytes go to the wide API through code page 932.
// Returns nothing when the bytes are not valid code page 932.
std::optional<std::filesystem::path> ToNativePath(std::string_view path);

// The reverse, for paths the system hands back (the current directory). Characters that code
// page 932 cannot hold become "?".
std::string FromNativePath(const std::filesystem::path& path);

// FromNativePath, and whether the bytes lead back to the same name: false when a "?" or a
// look-alike stands for a character code page 932 cannot hold.
bool FromNativePathExactly(const std::filesystem::path& path, std::string& cp932);

// `path` as code page 932 bytes that lead back to the same file: its own name, else on
// Windows its short name where the volume keeps one (plain ASCII). Empty when neither can be
// had: a name with "?" in it would lead to another file.
std::string ExactCp932Path(const std::filesystem::path& path);

// The separator that joins a folder and a file name on this system: "\" on Windows, "/" on
// POSIX.
inline constexpr char kNativeSeparator =
#ifdef _WIN32
    '\\';
#else
    '/';
#endif

// Whether a code page 932 folder ends in a separator: "\" as its last character (not merely its
// last byte: "...表" ends in the trail byte 0x5C), or "/", which separates on Windows too and
// is never a trail byte.
bool EndsWithSeparator(std::string_view folder);

// Joins a code page 932 folder and file name with exactly one separator (kNativeSeparator). A
// folder that already ends in a separator gets none added; an empty folder gives the bare name.
std::string JoinPath(std::string_view folder, std::string_view name);

// Whether two spellings of a path that differ in the case of letters name the same file, as
// they do on Windows.
inline constexpr bool kPathsIgnoreCase =
#ifdef _WIN32
    true;
#else
    false;
#endif

}  // namespace tavrin::platform
