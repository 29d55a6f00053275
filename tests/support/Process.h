#pragma once

#include <string>
#include <vector>

#include "support/TempDir.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/CodePage.h"
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;
#endif

namespace tavrin::testing {

struct ProgramRun {
    int status = -1;  // -1: the program did not start or did not end by itself
    std::string out;  // what it printed, as UTF-8 whatever the system's terminal encoding
    std::string err;
};

// Runs `program` as a process of its own, in `workingDir` unless that is empty, with standard
// input from the null device (no terminal), and collects what it prints. Arguments and paths
// are UTF-8. Standard output and error go to `outPath` and `errPath` instead when those are
// given (and are then not collected).
inline ProgramRun RunProgram(const char* program, const std::vector<std::string>& arguments,
                             const std::string& workingDir = "", const std::string& outPath = "",
                             const std::string& errPath = "");

#ifdef _WIN32

namespace process_detail {

inline std::wstring Wide(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                     wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(size > 0 ? size : 0));
    return wide;
}

// One argument quoted as the C runtime splits a command line: backslashes are literal unless
// a quote follows them.
inline void AppendQuoted(std::wstring& line, const std::wstring& argument) {
    line += L'"';
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

inline HANDLE Inheritable(const std::wstring& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
    return ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &security,
                         disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace process_detail

inline ProgramRun RunProgram(const char* program, const std::vector<std::string>& arguments,
                             const std::string& workingDir, const std::string& outPath,
                             const std::string& errPath) {
    TempDir capture;
    std::wstring line;
    using namespace process_detail;
    AppendQuoted(line, Wide(program));
    for (const std::string& argument : arguments) {
        line += L' ';
        AppendQuoted(line, Wide(argument));
    }
    HANDLE in = Inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    HANDLE out = Inheritable(Wide(outPath.empty() ? capture.File("out") : outPath), GENERIC_WRITE,
                             CREATE_ALWAYS);
    HANDLE err = Inheritable(Wide(errPath.empty() ? capture.File("err") : errPath), GENERIC_WRITE,
                             CREATE_ALWAYS);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    std::wstring directory = Wide(workingDir);
    ProgramRun run;
    // No console of its own, so the program sees its output redirected, as in a script.
    if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                         directory.empty() ? nullptr : directory.c_str(), &startup, &process)) {
        DWORD code = 0;
        if (::WaitForSingleObject(process.hProcess, INFINITE) == WAIT_OBJECT_0 &&
            ::GetExitCodeProcess(process.hProcess, &code)) {
            run.status = static_cast<int>(code);
        }
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(in);
    ::CloseHandle(out);
    ::CloseHandle(err);
    if (run.status != -1) {
        // Redirected output is code page 932 on Windows.
        run.out = outPath.empty() ? platform::Cp932ToUtf8(capture.Read("out")) : "";
        run.err = errPath.empty() ? platform::Cp932ToUtf8(capture.Read("err")) : "";
    }
    return run;
}

#else

inline ProgramRun RunProgram(const char* program, const std::vector<std::string>& arguments,
                             const std::string& workingDir, const std::string& outPath,
                             const std::string& errPath) {
    TempDir capture;
    std::vector<char*> argv{const_cast<char*>(program)};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    const std::string out = outPath.empty() ? capture.File("out") : outPath;
    const std::string err = errPath.empty() ? capture.File("err") : errPath;
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT, 0600);
    if (!workingDir.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, workingDir.c_str());
    }
    ProgramRun run;
    pid_t pid = 0;
    int wait = 0;
    if (posix_spawn(&pid, program, &actions, nullptr, argv.data(), environ) == 0 &&
        waitpid(pid, &wait, 0) == pid && WIFEXITED(wait)) {
        run.status = WEXITSTATUS(wait);
        run.out = outPath.empty() ? capture.Read("out") : "";
        run.err = errPath.empty() ? capture.Read("err") : "";
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

#endif

}  // namespace tavrin::testing
