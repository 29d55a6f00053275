// What the case folders cannot hold: answers typed at a terminal, a reader that leaves the
// pipe early, and too little memory.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/CliApp.h"
#include "platform/CodePage.h"
#include "support/CurrentDirectoryScope.h"
#include "support/TempDir.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tavrin::cli {
namespace {

namespace fs = std::filesystem;

// Only "y" or "yes", in any case and with blanks around, overwrites; no terminal declines.
TEST(CliTerminal, TakesOnlyYesForAnOverwrite) {
    testing::TempDir dir;
    fs::copy(TAVRIN_FIXTURES_DIR "/cli/table", dir.Path(), fs::copy_options::recursive);
    const testing::CurrentDirectoryScope inDir(dir.Path());
    dir.Write("MyView.h", "old");
    const std::vector<std::string> generate{"generate", "-t", platform::Utf8ToCp932("ビュー")};
    const std::optional<std::string> answers[] = {"n", "", std::nullopt, "yes please", " Yes "};
    for (const auto& answer : answers) {
        std::ostringstream out, err;
        CliApp app(out, err, [answer] { return answer; });
        const bool yes = answer == " Yes ";
        EXPECT_EQ(app.Run(generate), yes ? kExitWritten : kExitDeclined) << answer.value_or("-");
        EXPECT_TRUE(err.str().ends_with(answer ? " (y/N) " : " (y/N) \n")) << err.str();
        EXPECT_EQ(dir.Read("MyView.h") == "old", !yes);
    }
}

#ifndef _WIN32
// Runs tavrin-cli in `dir` with standard output into `out`, under an address-space limit
// when `limit` is not 0; the exit status, or -1 when a signal ended it.
int RunWithLimit(const testing::TempDir& dir, std::vector<const char*> arguments, int out,
                 rlim_t limit) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        struct rlimit rl {
            limit, limit
        };
        if (limit != 0) {
            ::setrlimit(RLIMIT_AS, &rl);
        }
        ::dup2(out, 1);
        ::dup2(::open(dir.File("err").c_str(), O_WRONLY | O_CREAT, 0644), 2);
        if (::chdir(dir.Path().c_str()) == 0) {
            arguments.insert(arguments.begin(), TAVRIN_CLI_PATH);
            arguments.push_back(nullptr);
            ::execv(TAVRIN_CLI_PATH, const_cast<char* const*>(arguments.data()));
        }
        ::_exit(99);
    }
    int wait = 0;
    return ::waitpid(pid, &wait, 0) == pid && WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
}
#endif

// A reader that stopped early (`| head -1`): status 1, as documented, and no message.
TEST(CliProcess, FailsQuietlyWhenTheReaderLeaves) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX pipes and signals";
#else
    testing::TempDir dir;
    fs::copy(TAVRIN_FIXTURES_DIR "/cli/table", dir.Path(), fs::copy_options::recursive);
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    ::close(pipe[0]);
    EXPECT_EQ(RunWithLimit(dir, {"scan", "sample.rc"}, pipe[1], 0), 1);
    ::close(pipe[1]);
    EXPECT_EQ(dir.Read("err"), "");
#endif
}

// A generation that does not fit in memory fails with its message instead of aborting.
TEST(CliProcess, FailsAGenerationThatDoesNotFitInMemory) {
#if defined(_WIN32) || defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "needs an address-space limit, which Windows and the sanitizers lack";
#else
    testing::TempDir dir;
    fs::copy(TAVRIN_FIXTURES_DIR "/cli/table", dir.Path(), fs::copy_options::recursive);
    // 200,000 keywords of 10 KB each: 2 GB of output from a 2 MB template.
    std::string table = dir.Read("template.tbl");
    table.insert(table.find("$$SNAME$$"), "$$BIG$$ = big, " + std::string(10000, 'x') + "\r\n");
    dir.Write("template.tbl", table);
    std::string line;
    for (int i = 0; i < 200000; ++i) {
        line += "$$BIG$$";
    }
    dir.Write("tpl/view_h.txt", line + "\r\n");
    fs::create_directory(dir.File("out"));
    const int null = ::open("/dev/null", O_WRONLY);
    EXPECT_EQ(RunWithLimit(dir, {"generate", "-t", "ビュー", "-o", "out"}, null, 512 << 20), 1);
    ::close(null);
    EXPECT_TRUE(fs::is_empty(dir.File("out")));
#endif
}

}  // namespace
}  // namespace tavrin::cli
