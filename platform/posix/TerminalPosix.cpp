#include <poll.h>
#include <unistd.h>

#include <csignal>
#include <iostream>

#include "platform/CodePage.h"
#include "platform/Terminal.h"

namespace tavrin::platform {

std::string ToTerminal(std::string_view cp932) {
    return Cp932ToUtf8(cp932);
}

std::string NativeToTerminal(const std::filesystem::path& path) {
    return path.native();
}

std::optional<std::string> ReadTerminalLine() {
    if (::isatty(STDIN_FILENO) == 0) {
        return std::nullopt;
    }
    std::string line;
    if (!std::getline(std::cin, line)) {
        return std::nullopt;
    }
    return line;
}

struct TerminalStreams::State {};

TerminalStreams::TerminalStreams() {
    ::signal(SIGPIPE, SIG_IGN);
}

TerminalStreams::~TerminalStreams() = default;

bool TerminalStreams::OutputReaderGone() const {
    // The write end of a pipe without a reader reports an error condition.
    pollfd out{STDOUT_FILENO, POLLOUT, 0};
    return ::poll(&out, 1, 0) == 1 && (out.revents & POLLERR) != 0;
}

}  // namespace tavrin::platform
