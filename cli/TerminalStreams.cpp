#include "cli/TerminalStreams.h"

#include <iostream>
#include <string>

#ifdef _WIN32
#include <windows.h>

#include "platform/windows/WindowsText.h"
#else
#include <poll.h>
#include <unistd.h>

#include <csignal>
#endif

namespace tavrin::cli {

#ifdef _WIN32

namespace {

// Bytes of `text` that form whole characters of code page 932: a lead byte at the end waits
// for its trail byte, so that no character is split between two writes.
std::size_t CompleteLength(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto byte = static_cast<unsigned char>(text[pos]);
        bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        if (!lead) {
            ++pos;
        } else if (pos + 1 < text.size()) {
            pos += 2;
        } else {
            break;
        }
    }
    return pos;
}

class HandleBuffer : public std::streambuf {
public:
    explicit HandleBuffer(HANDLE handle) : m_handle(handle) {
        DWORD mode = 0;
        m_console = ::GetConsoleMode(handle, &mode) != 0;
    }
    ~HandleBuffer() override { Flush(true); }
    HandleBuffer(const HandleBuffer&) = delete;
    HandleBuffer& operator=(const HandleBuffer&) = delete;

    // Whether the last write failed because a pipe's reader had closed it.
    bool ReaderGone() const { return m_readerGone; }

protected:
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            m_pending.push_back(traits_type::to_char_type(c));
        }
        return traits_type::not_eof(c);
    }

    std::streamsize xsputn(const char* text, std::streamsize count) override {
        m_pending.append(text, static_cast<std::size_t>(count));
        return count;
    }

    int sync() override { return Flush(false) ? 0 : -1; }

private:
    bool Flush(bool all) {
        std::size_t length = all ? m_pending.size() : CompleteLength(m_pending);
        if (length == 0) {
            return true;
        }
        std::string_view text(m_pending.data(), length);
        bool ok = m_console ? WriteConsole(text) : WriteBytes(text);
        m_pending.erase(0, length);
        return ok;
    }

    bool WriteConsole(std::string_view cp932) {
        std::wstring wide;
        if (!platform::windows::ToWide(platform::windows::kCodePage932, cp932, wide)) {
            // Not valid code page 932: each wrong byte shows as the system's default
            // character rather than the whole text being lost.
            wide.resize(cp932.size());
            int size = ::MultiByteToWideChar(platform::windows::kCodePage932, 0, cp932.data(),
                                             static_cast<int>(cp932.size()), wide.data(),
                                             static_cast<int>(wide.size()));
            wide.resize(static_cast<std::size_t>(size > 0 ? size : 0));
        }
        std::wstring_view rest = wide;
        while (!rest.empty()) {
            DWORD written = 0;
            DWORD chunk = rest.size() > 8192 ? 8192 : static_cast<DWORD>(rest.size());
            if (!::WriteConsoleW(m_handle, rest.data(), chunk, &written, nullptr) || written == 0) {
                return false;
            }
            rest.remove_prefix(written);
        }
        return true;
    }

    bool WriteBytes(std::string_view bytes) {
        while (!bytes.empty()) {
            DWORD written = 0;
            if (!::WriteFile(m_handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                             nullptr) ||
                written == 0) {
                const DWORD error = ::GetLastError();
                m_readerGone = error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE;
                return false;
            }
            bytes.remove_prefix(written);
        }
        return true;
    }

    HANDLE m_handle;
    bool m_console = false;
    std::string m_pending;
    bool m_readerGone = false;
};

}  // namespace

TerminalStreams::TerminalStreams()
    : m_out(std::make_unique<HandleBuffer>(::GetStdHandle(STD_OUTPUT_HANDLE))),
      m_err(std::make_unique<HandleBuffer>(::GetStdHandle(STD_ERROR_HANDLE))) {
    std::cout.flush();
    std::cerr.flush();
    m_previousOut = std::cout.rdbuf(m_out.get());
    m_previousErr = std::cerr.rdbuf(m_err.get());
}

TerminalStreams::~TerminalStreams() {
    std::cout.flush();
    std::cerr.flush();
    std::cout.rdbuf(m_previousOut);
    std::cerr.rdbuf(m_previousErr);
}

bool TerminalStreams::OutputReaderGone() const {
    return static_cast<const HandleBuffer*>(m_out.get())->ReaderGone();
}

#else

TerminalStreams::TerminalStreams() {
    ::signal(SIGPIPE, SIG_IGN);
}

TerminalStreams::~TerminalStreams() = default;

bool TerminalStreams::OutputReaderGone() const {
    // The write end of a pipe without a reader reports an error condition.
    pollfd out{STDOUT_FILENO, POLLOUT, 0};
    return ::poll(&out, 1, 0) == 1 && (out.revents & POLLERR) != 0;
}

#endif

}  // namespace tavrin::cli
