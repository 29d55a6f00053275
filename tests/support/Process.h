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

namespace process_detail {

#ifdef _WIN32

// One argument quoted as the C runtime splits a command line: backslashes are literal unless
// a quote follows them.
inline void AppendQuoted(std::wstring& line, const std::string& utf8) {
    line += L'"';
    std::size_t backslashes = 0;
    const std::wstring argument = Utf8Path(utf8).native();
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

inline HANDLE Inheritable(const std::string& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
    return ::CreateFileW(Utf8Path(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         &security, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The exit status, or -1.
inline int Spawn(const char* program, const std::vector<std::string>& arguments,
                 const std::string& workingDir, const std::string& out, const std::string& err) {
    std::wstring line;
    AppendQuoted(line, program);
    for (const std::string& argument : arguments) {
        line += L' ';
        AppendQuoted(line, argument);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = Inheritable("NUL", GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = Inheritable(out, GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = Inheritable(err, GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION process{};
    const std::wstring directory = Utf8Path(workingDir).native();
    int status = -1;
    // No console of its own, so the program sees its output redirected, as in a script.
    if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                         directory.empty() ? nullptr : directory.c_str(), &startup, &process)) {
        DWORD code = 0;
        if (::WaitForSingleObject(process.hProcess, INFINITE) == WAIT_OBJECT_0 &&
            ::GetExitCodeProcess(process.hProcess, &code)) {
            status = static_cast<int>(code);
        }
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
        ::CloseHandle(handle);
    }
    return status;
}

#else

inline int Spawn(const char* program, const std::vector<std::string>& arguments,
                 const std::string& workingDir, const std::string& out, const std::string& err) {
    std::vector<char*> argv{const_cast<char*>(program)};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT, 0600);
    if (!workingDir.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, workingDir.c_str());
    }
    pid_t pid = 0;
    int wait = 0;
    const bool ended = posix_spawn(&pid, program, &actions, nullptr, argv.data(), environ) == 0 &&
                       waitpid(pid, &wait, 0) == pid && WIFEXITED(wait);
    posix_spawn_file_actions_destroy(&actions);
    return ended ? WEXITSTATUS(wait) : -1;
}

#endif

}  // namespace process_detail

// Runs `program` as a process of its own, in `workingDir` unless that is empty, with standard
// input from the null device (no terminal), and collects what it prints. Arguments and paths
// are UTF-8. Standard output and error go to `outPath` and `errPath` instead when those are
// given (and are then not collected).
inline ProgramRun RunProgram(const char* program, const std::vector<std::string>& arguments,
                             const std::string& workingDir = "", const std::string& outPath = "",
                             const std::string& errPath = "") {
    TempDir capture;
    ProgramRun run;
    run.status = process_detail::Spawn(program, arguments, workingDir,
                                       outPath.empty() ? capture.File("out") : outPath,
                                       errPath.empty() ? capture.File("err") : errPath);
    if (run.status != -1) {
        run.out = outPath.empty() ? capture.Read("out") : "";
        run.err = errPath.empty() ? capture.Read("err") : "";
#ifdef _WIN32
        // Redirected output is code page 932 on Windows.
        run.out = platform::Cp932ToUtf8(run.out);
        run.err = platform::Cp932ToUtf8(run.err);
#endif
    }
    return run;
}

}  // namespace tavrin::testing
