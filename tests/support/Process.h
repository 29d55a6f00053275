#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "support/TempDir.h"

extern char** environ;

namespace tavrin::testing {

struct ProgramRun {
    int status = -1;  // -1: the program did not start or did not end by itself
    std::string out;
    std::string err;
};

// Runs `program` as a process of its own, in `workingDir` unless that is empty, with standard
// input from /dev/null (no terminal), and collects what it prints.
inline ProgramRun RunProgram(const char* program, const std::vector<std::string>& arguments,
                             const std::string& workingDir = "") {
    TempDir capture;
    std::vector<char*> argv{const_cast<char*>(program)};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, capture.File("out").c_str(), O_WRONLY | O_CREAT,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, capture.File("err").c_str(), O_WRONLY | O_CREAT,
                                     0600);
    if (!workingDir.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, workingDir.c_str());
    }
    ProgramRun run;
    pid_t pid = 0;
    int wait = 0;
    if (posix_spawn(&pid, program, &actions, nullptr, argv.data(), environ) == 0 &&
        waitpid(pid, &wait, 0) == pid && WIFEXITED(wait)) {
        run.status = WEXITSTATUS(wait);
        run.out = capture.Read("out");
        run.err = capture.Read("err");
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

}  // namespace tavrin::testing
