#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The edge between the terminal and the engine: the engine works in code page 932 only, the
// terminal speaks the locale's encoding on POSIX (UTF-8) and UTF-16 on Windows, where
// TerminalStreams writes to the console.
namespace tavrin::cli {

// Text for the terminal from code page 932 bytes. Bytes that are not code page 932 become "?".
std::string ToTerminal(std::string_view cp932);

// Code page 932 bytes from terminal text. Characters code page 932 cannot hold become "?".
std::string FromTerminal(std::string_view text);

// The program's arguments after its own name and after the first `skip` of them, as code page
// 932. False, with `unconvertible` set to the first such argument as typed, when an argument
// does not come back unchanged from code page 932: with "?" or a look-alike in place of a
// character it could name another file. On Windows `unconvertible` is code page 932 with "?"
// for what it cannot hold.
#ifdef _WIN32
bool ArgumentsAsCp932(int argc, wchar_t** argv, std::vector<std::string>& arguments,
                      std::string& unconvertible, std::size_t skip = 0);
// The program's arguments after its own name as the system hands them over, for those that
// are folders and need not pass through code page 932.
std::vector<std::filesystem::path> NativeArguments(int argc, wchar_t** argv);
#else
bool ArgumentsAsCp932(int argc, char** argv, std::vector<std::string>& arguments,
                      std::string& unconvertible, std::size_t skip = 0);
std::vector<std::filesystem::path> NativeArguments(int argc, char** argv);
#endif

// A path as the system names it, as terminal text (on Windows with "?" for what code page 932
// cannot hold, as the standard streams carry code page 932).
std::string NativeToTerminal(const std::filesystem::path& path);

// A line typed at the terminal, without its line end; nothing when standard input is not a
// terminal or has ended.
std::optional<std::string> ReadTerminalLine();

}  // namespace tavrin::cli
