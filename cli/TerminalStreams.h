#pragma once

#include <memory>
#include <streambuf>

namespace tavrin::cli {

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
    // Only Windows replaces the streams' buffers; on POSIX these stay unused.
    std::unique_ptr<std::streambuf> m_out;
    std::unique_ptr<std::streambuf> m_err;
    [[maybe_unused]] std::streambuf* m_previousOut = nullptr;
    [[maybe_unused]] std::streambuf* m_previousErr = nullptr;
};

}  // namespace tavrin::cli
