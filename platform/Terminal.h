#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The terminal as a command-line program meets it. The program works in code page 932 only;
// the terminal speaks the locale's encoding on POSIX (UTF-8) and UTF-16 on Windows, where
// TerminalStreams writes to the console.
namespace tavrin::platform {

// Text for the terminal's standard streams from code page 932 bytes. Bytes that are not code
// page 932 become "?". On Windows the text stays code page 932 up to the streams, which write
// it to a console as UTF-16 themselves; redirected output is code page 932 whatever the
// system's code pages: what cmd and PowerShell read from a program on Japanese Windows, and
// the encoding of the files Tavrin writes.
std::string ToTerminal(std::string_view cp932);

// A path as the system names it, as terminal text (on Windows with "?" for what code page 932
// cannot hold, as the standard streams carry code page 932).
std::string NativeToTerminal(const std::filesystem::path& path);

// A line typed at the terminal, without its line end, as terminal text; nothing when standard
// input is not a terminal or has ended.
std::optional<std::string> ReadTerminalLine();

// Standard output and error as the terminal needs them, for the life of this object. On
// Windows the program writes code page 932 text to std::cout and std::cerr: a console gets it
// through WriteConsoleW, so Japanese shows whatever the console's code page is, and a file or
// pipe gets the code page 932 bytes unchanged. On POSIX the streams stay as they are, but a
// write to a pipe whose reader has gone fails instead of killing the process (SIGPIPE), so
// that the program ends as it decides, never in the middle of writing a file.
class TerminalStreams {
public:
    TerminalStreams();
    ~TerminalStreams();
    TerminalStreams(const TerminalStreams&) = delete;
    TerminalStreams& operator=(const TerminalStreams&) = delete;

    // Whether standard output is a pipe whose reader has closed it (`| head -1`): what was not
    // written was not wanted, and there is no one to tell.
    bool OutputReaderGone() const;

private:
    // What the system's implementation keeps: on Windows the streams' replaced buffers.
    struct State;
    std::unique_ptr<State> m_state;
};

}  // namespace tavrin::platform
