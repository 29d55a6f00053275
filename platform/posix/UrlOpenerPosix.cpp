#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/CodePage.h"
#include "platform/UrlOpener.h"
#include "platform/posix/DesktopEntry.h"

extern char** environ;

namespace tavrin::platform {

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// How long opening waits for xdg-open's verdict. Most desktops hand the link over and return
// at once, but without a desktop xdg-open runs the browser itself and returns only when it is
// closed: a helper still running after this long has started something.
constexpr milliseconds kOpenVerdictWait{3000};
// How long the query for the default browser may take before it is given up.
constexpr milliseconds kQueryWait{3000};

// Children whose end nobody waits for; they are collected whenever another one is started,
// so that they do not linger as zombies for the life of the program.
std::vector<pid_t>& Unreaped() {
    static std::vector<pid_t> children;
    return children;
}

void ReapFinished() {
    std::erase_if(Unreaped(), [](pid_t child) { return ::waitpid(child, nullptr, WNOHANG) != 0; });
}

class SpawnActions {
public:
    SpawnActions() { ::posix_spawn_file_actions_init(&m_actions); }
    ~SpawnActions() { ::posix_spawn_file_actions_destroy(&m_actions); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* Get() { return &m_actions; }

private:
    posix_spawn_file_actions_t m_actions;
};

// Starts `arguments` (UTF-8) by path search, without a shell. Returns 0 with the child's ID,
// or the errno value of the failure.
int Spawn(const std::vector<std::string>& arguments, pid_t& child,
          posix_spawn_file_actions_t* actions = nullptr) {
    if (arguments.empty()) {
        return ENOENT;
    }
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    ReapFinished();
    return ::posix_spawnp(&child, argv[0], actions, nullptr, argv.data(), environ);
}

// Waits for `child` at most `limit`. Its exit status, or nothing when it has not ended (or
// has been collected elsewhere, which leaves its status unknown).
std::optional<int> WaitAtMost(pid_t child, milliseconds limit) {
    auto deadline = steady_clock::now() + limit;
    for (;;) {
        int status = 0;
        pid_t ended = ::waitpid(child, &status, WNOHANG);
        if (ended == child) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        if (ended < 0 && errno != EINTR) {
            return std::nullopt;
        }
        if (steady_clock::now() >= deadline) {
            Unreaped().push_back(child);
            return std::nullopt;
        }
        std::this_thread::sleep_for(milliseconds(20));
    }
}

// The first line xdg-mime prints for `query default MIMETYPE`, or nothing.
std::optional<std::string> QueryXdgMimeDefault(const char* mimeType) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    SpawnActions actions;
    ::posix_spawn_file_actions_adddup2(actions.Get(), pipeEnds[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_addopen(actions.Get(), STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    int error = Spawn({"xdg-mime", "query", "default", mimeType}, child, actions.Get());
    ::close(pipeEnds[1]);
    if (error != 0) {
        ::close(pipeEnds[0]);
        return std::nullopt;
    }

    std::string output;
    auto deadline = steady_clock::now() + kQueryWait;
    for (;;) {
        auto left = std::chrono::duration_cast<milliseconds>(deadline - steady_clock::now());
        pollfd readable{pipeEnds[0], POLLIN, 0};
        int ready =
            ::poll(&readable, 1, static_cast<int>(std::max<milliseconds::rep>(left.count(), 0)));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            ::kill(child, SIGKILL);
            break;
        }
        char buffer[512];
        ssize_t count = ::read(pipeEnds[0], buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            break;
        }
        output.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(pipeEnds[0]);
    std::optional<int> status = WaitAtMost(child, kQueryWait);
    if (!status || *status != 0) {
        return std::nullopt;
    }
    output.resize(std::min(output.find('\n'), output.size()));
    if (output.empty()) {
        return std::nullopt;
    }
    return output;
}

class PosixUrlOpener : public IUrlOpener {
public:
    int OpenWithDefaultHandler(std::string_view target) override {
        pid_t child = 0;
        int error = Spawn({"xdg-open", Cp932ToUtf8(target)}, child);
        if (error != 0) {
            // Without xdg-open the system offers nothing that opens links.
            return error == ENOENT ? 31 : posix::SpawnErrorToResult(error);
        }
        std::optional<int> status = WaitAtMost(child, kOpenVerdictWait);
        return status ? posix::XdgOpenStatusToResult(*status) : 33;
    }

    std::optional<std::string> RegisteredBrowserCommand() override {
        std::vector<std::string> dataDirs = posix::DataDirs();
        // xdg-mime knows each desktop's own settings; without it, the shared mimeapps.list
        // files still name the user's choice.
        std::optional<std::string> id = QueryXdgMimeDefault("text/html");
        std::optional<std::string> path =
            id ? posix::FindDesktopEntry(*id, dataDirs) : std::nullopt;
        if (!path) {
            id = posix::DefaultApplicationFromMimeApps("text/html", posix::ConfigDirs(), dataDirs);
            path = id ? posix::FindDesktopEntry(*id, dataDirs) : std::nullopt;
        }
        std::optional<std::string> command =
            path ? posix::DesktopEntryCommand(*path) : std::nullopt;
        if (!command) {
            return std::nullopt;
        }
        return Utf8ToCp932(*command);
    }

    int RunCommand(std::string_view commandLine) override {
        std::vector<std::string> arguments = posix::SplitCommandLine(Cp932ToUtf8(commandLine));
        pid_t child = 0;
        int error = Spawn(arguments, child);
        if (error != 0) {
            return posix::SpawnErrorToResult(error);
        }
        Unreaped().push_back(child);
        return 33;
    }
};

}  // namespace

IUrlOpener& SystemUrlOpener() {
    static PosixUrlOpener opener;
    return opener;
}

}  // namespace tavrin::platform
