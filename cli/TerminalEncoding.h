#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

// The program's arguments on their way to the engine, which works in code page 932 only. The
// terminal's own encoding is the platform's business (platform/Terminal.h).
namespace tavrin::cli {

// What the entry point is handed: wide (UTF-16) arguments on Windows, where the narrow ones
// have lost what the ANSI code page cannot hold, bytes of the locale's encoding on POSIX.
using NativeChar = std::filesystem::path::value_type;

// The program's arguments after its own name as the system hands them over, for those that
// are folders and need not pass through code page 932.
std::vector<std::filesystem::path> NativeArguments(int argc, NativeChar** argv);

// The program's arguments after its own name and after the first `skip` of them, as code page
// 932. False, with `unconvertible` set to the first such argument as terminal text, when an
// argument does not come back unchanged from code page 932: with "?" or a look-alike in place
// of a character it could name another file.
bool ArgumentsAsCp932(int argc, NativeChar** argv, std::vector<std::string>& arguments,
                      std::string& unconvertible, std::size_t skip = 0);

}  // namespace tavrin::cli
