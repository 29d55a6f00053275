#include <windows.h>

#include <iostream>
#include <string>

#include "platform/CodePage.h"
#include "platform/Terminal.h"
#include "platform/windows/WindowsText.h"

namespace tavrin::platform {

namespace {

constexpr unsigned kCp932 = windows::kCodePage932;

}  // namespace

std::string ToTerminal(std::string_view cp932) {
    return std::string(cp932);
}

std::string NativeToTerminal(const std::filesystem::path& path) {
    // "?" for each character code page 932 cannot hold, with no look-alike put in its place.
    const std::wstring& wide = path.native();
    std::string text;
    for (std::size_t i = 0; i < wide.size();) {
        std::size_t length = i + 1 < wide.size() && wide[i] >= 0xD800 && wide[i] <= 0xDBFF &&
                                     wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF
                                 ? 2
                                 : 1;
        std::string one;
        const bool exact =
            Utf8ToCp932Exactly(windows::FromWide(CP_UTF8, wide.substr(i, length)), one);
        text += exact ? one : "?";
        i += length;
    }
    return text;
}

std::optional<std::string> ReadTerminalLine() {
    HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (!::GetConsoleMode(input, &mode)) {
        return std::nullopt;
    }
    // Read as UTF-16 from the console, whatever its code page.
    std::wstring line;
    while (true) {
        wchar_t c = 0;
        DWORD got = 0;
        if (!::ReadConsoleW(input, &c, 1, &got, nullptr) || got == 0) {
            if (line.empty()) {
                return std::nullopt;
            }
            break;
        }
        if (c == L'\n') {
            break;
        }
        line += c;
    }
    if (!line.empty() && line.back() == L'\r') {
        line.pop_back();
    }
    return windows::FromWide(kCp932, line);
}

namespace {

// Bytes of `text` that form whole characters of code page 932: a lead byte at the end waits
// for its trail byte, so that no character is split between two writes.
std::size_t CompleteLength(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (!cp932::IsLeadByte(static_cast<unsigned char>(text[pos]))) {
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
        if (!windows::ToWide(windows::kCodePage932, cp932, wide)) {
            // Not valid code page 932: each wrong byte shows as the system's default
            // character rather than the whole text being lost.
            wide.resize(cp932.size());
            int size = ::MultiByteToWideChar(windows::kCodePage932, 0, cp932.data(),
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

struct TerminalStreams::State {
    HandleBuffer out{::GetStdHandle(STD_OUTPUT_HANDLE)};
    HandleBuffer err{::GetStdHandle(STD_ERROR_HANDLE)};
    std::streambuf* previousOut = nullptr;
    std::streambuf* previousErr = nullptr;
};

TerminalStreams::TerminalStreams() : m_state(std::make_unique<State>()) {
    std::cout.flush();
    std::cerr.flush();
    m_state->previousOut = std::cout.rdbuf(&m_state->out);
    m_state->previousErr = std::cerr.rdbuf(&m_state->err);
}

TerminalStreams::~TerminalStreams() {
    std::cout.flush();
    std::cerr.flush();
    std::cout.rdbuf(m_state->previousOut);
    std::cerr.rdbuf(m_state->previousErr);
}

bool TerminalStreams::OutputReaderGone() const {
    return m_state->out.ReaderGone();
}

}  // namespace tavrin::platform
