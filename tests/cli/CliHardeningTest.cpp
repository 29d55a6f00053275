// tavrin-cli against inputs and surroundings a new user may give it: full output streams,
// odd arguments, files that are not files, folders code page 932 cannot name, too little
// memory. Every case here once made the program hang, abort or report success it did not
// have.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "support/Process.h"
#include "support/TempDir.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tavrin::cli {
namespace {

namespace fs = std::filesystem;
using testing::ProgramRun;
using testing::TempDir;

class CliHardening : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy(TAVRIN_FIXTURES_DIR "/cli/table", m_dir.Path(), fs::copy_options::recursive);
    }

    ProgramRun Run(std::vector<std::string> arguments, const std::string& outPath = "",
                   const std::string& errPath = "") {
        arguments.insert(arguments.begin(), {"-C", m_dir.Path()});
        return testing::RunProgram(TAVRIN_CLI_PATH, arguments, "", outPath, errPath);
    }

    TempDir m_dir;
};

TEST_F(CliHardening, FailsWhenStandardOutputOrErrorCannotBeWritten) {
#ifdef _WIN32
    GTEST_SKIP() << "no /dev/full on Windows";
#else
    ProgramRun result = Run({"list"}, "/dev/full");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "tavrin-cli: cannot write standard output\n");
    // A usage error whose message is lost is a failure of its own.
    EXPECT_EQ(Run({"bogus"}, "", "/dev/full").status, 1);
    EXPECT_EQ(Run({"list"}).status, 0);

    // A reader that stopped early (`| head -1`): status 1, as documented, and no message.
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    ::close(pipe[0]);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::dup2(pipe[1], 1);
        ::dup2(::open(m_dir.File("err").c_str(), O_WRONLY | O_CREAT, 0644), 2);
        const std::string dir = m_dir.Path();
        ::execl(TAVRIN_CLI_PATH, TAVRIN_CLI_PATH, "-C", dir.c_str(), "scan", "sample.rc",
                static_cast<char*>(nullptr));
        ::_exit(99);
    }
    ::close(pipe[1]);
    int wait = 0;
    ASSERT_EQ(::waitpid(pid, &wait, 0), pid);
    ASSERT_TRUE(WIFEXITED(wait)) << "ended by signal " << WTERMSIG(wait);
    EXPECT_EQ(WEXITSTATUS(wait), 1);
    EXPECT_EQ(m_dir.Read("err"), "");
#endif
}

TEST_F(CliHardening, TakesAnEmptyArgumentForAnOperand) {
    fs::create_directory(m_dir.File("out"));
    ProgramRun result = Run({"generate", "-t", "ビュー", "-o", "out", "", "Evil.h"});
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, ::testing::StartsWith("tavrin-cli: unexpected argument \"\"\n"));
    EXPECT_EQ(m_dir.List(), "none.rc out sample.rc template.tbl tpl");
    EXPECT_FALSE(m_dir.Exists("out/Evil.h"));
    EXPECT_EQ(Run({""}).status, 2);
}

// A path tavrin-cli printed (UTF-8) as the system names it.
fs::path Printed(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// "café" cannot be named in code page 932: the table, the templates and the output folder
// are still found, relative to the folder as the system names it, and the folder is shown
// as faithfully as the output can: as the system names it on POSIX; on Windows by its short
// name, which is ASCII and leads to the same folder, or, where there is none, with "?" for
// the character code page 932 cannot hold.
TEST_F(CliHardening, WorksInAFolderCodePage932CannotName) {
    const fs::path cafe = fs::canonical(m_dir.Path()) / fs::path(u8"café");
    fs::create_directory(cafe);
    fs::copy(TAVRIN_FIXTURES_DIR "/cli/table", cafe, fs::copy_options::recursive);
    ProgramRun result = testing::RunProgram(TAVRIN_CLI_PATH, {"list"}, cafe.string());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "ビュー\nダイアログ\n汎用\n");

    result = testing::RunProgram(TAVRIN_CLI_PATH, {"generate", "-t", "ビュー"}, cafe.string());
    EXPECT_EQ(result.status, 0) << result.err;
    const std::size_t lineEnd = result.out.find('\n');
    ASSERT_NE(lineEnd, std::string::npos) << result.out;
    EXPECT_TRUE(fs::equivalent(Printed(result.out.substr(0, lineEnd)), cafe / "MyView.h"))
        << result.out;
    EXPECT_TRUE(
        fs::equivalent(Printed(result.out.substr(lineEnd + 1, result.out.size() - lineEnd - 2)),
                       cafe / "MyView.cpp"))
        << result.out;

    result =
        testing::RunProgram(TAVRIN_CLI_PATH, {"-C", m_dir.Path(), "-C", cafe.string(), "generate",
                                              "-t", "ビュー", "-o", "out", "--yes"});
    EXPECT_EQ(result.status, 1);  // no folder "out" there: the header's failure, not -C's
    fs::create_directory(cafe / "out");
    result = testing::RunProgram(TAVRIN_CLI_PATH, {"-C", m_dir.Path(), "-C", cafe.string(),
                                                   "generate", "-t", "ビュー", "-o", "out"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, (fs::path("out") / "MyView.h").string() + "\n" +
                              (fs::path("out") / "MyView.cpp").string() + "\n");
    EXPECT_TRUE(fs::exists(cafe / "out" / "MyView.h"));

    const fs::path empty = cafe / fs::path(u8"vidé");
    fs::create_directory(empty);
    fs::create_directory(empty / "template.tbl");  // a table that cannot be read
    result = testing::RunProgram(TAVRIN_CLI_PATH, {"-C", empty.string(), "list"});
    EXPECT_EQ(result.status, 1);
    const std::string prefix = "テンプレートファイルの読み込みに失敗しました。[";
    ASSERT_THAT(result.err, ::testing::StartsWith(prefix));
    ASSERT_THAT(result.err, ::testing::EndsWith("]\n"));
    EXPECT_TRUE(fs::equivalent(
        Printed(result.err.substr(prefix.size(), result.err.size() - prefix.size() - 2)), empty))
        << result.err;

    result = testing::RunProgram(TAVRIN_CLI_PATH, {"-C", (cafe / "none").string(), "list"});
    EXPECT_EQ(result.status, 2);
    std::string shown = (cafe / "none").string();
#ifdef _WIN32
    // A folder that does not exist has no short name.
    shown.replace(shown.find("é"), std::string_view("é").size(), "?");
#endif
    EXPECT_THAT(result.err,
                ::testing::StartsWith("tavrin-cli: cannot change to folder \"" + shown + "\"\n"));
}

// Files that are not regular files are refused as unreadable, instead of blocking forever in
// open (a FIFO) or reading until memory runs out (/dev/zero).
TEST_F(CliHardening, RefusesFilesThatAreNotRegularFiles) {
#ifdef _WIN32
    GTEST_SKIP() << "FIFOs and /dev/zero are POSIX";
#else
    ASSERT_EQ(::mkfifo(m_dir.File("fifo").c_str(), 0600), 0);
    fs::create_directory(m_dir.File("out"));
    const std::string failed = "派成クラスのヘッダファイルの生成に失敗しました。[MyView.h]\n";
    for (const char* target : {"../fifo", "/dev/zero"}) {
        fs::remove(m_dir.File("tpl/view_h.txt"));
        fs::create_symlink(target, m_dir.File("tpl/view_h.txt"));
        ProgramRun result = Run({"generate", "-t", "ビュー", "-o", "out"});
        EXPECT_EQ(result.status, 1) << target;
        EXPECT_EQ(result.err, failed) << target;
        EXPECT_TRUE(fs::is_empty(m_dir.File("out"))) << target;
    }
    for (const char* target : {"fifo", "/dev/zero"}) {
        ProgramRun result = Run({"scan", target});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, std::string("tavrin-cli: cannot read ") + target + "\n");
    }
    fs::remove(m_dir.File("template.tbl"));
    fs::create_symlink("fifo", m_dir.File("template.tbl"));
    ProgramRun result = Run({"list"});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err,
                ::testing::StartsWith("テンプレートファイルの読み込みに失敗しました。"));
#endif
}

// A generation that does not fit in memory fails with its message instead of aborting.
TEST_F(CliHardening, FailsAGenerationThatDoesNotFitInMemory) {
#if defined(_WIN32) || defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "needs an address-space limit, which Windows and the sanitizers lack";
#else
    // 200,000 keywords of 10 KB each: 2 GB of output from a 2 MB template.
    std::string table = m_dir.Read("template.tbl");
    table.insert(table.find("$$SNAME$$"), "$$BIG$$ = big, " + std::string(10000, 'x') + "\r\n");
    m_dir.Write("template.tbl", table);
    std::string line;
    for (int i = 0; i < 200000; ++i) {
        line += "$$BIG$$";
    }
    m_dir.Write("tpl/view_h.txt", line + "\r\n");
    fs::create_directory(m_dir.File("out"));

    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const rlim_t limit = 512 << 20;
        struct rlimit rl {
            limit, limit
        };
        ::setrlimit(RLIMIT_AS, &rl);
        int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        const std::string dir = m_dir.Path();
        ::execl(TAVRIN_CLI_PATH, TAVRIN_CLI_PATH, "-C", dir.c_str(), "generate", "-t", "ビュー",
                "-o", "out", static_cast<char*>(nullptr));
        ::_exit(99);
    }
    int wait = 0;
    ASSERT_EQ(::waitpid(pid, &wait, 0), pid);
    ASSERT_TRUE(WIFEXITED(wait)) << "ended by signal " << WTERMSIG(wait);
    EXPECT_EQ(WEXITSTATUS(wait), 1);
    EXPECT_TRUE(fs::is_empty(m_dir.File("out")));
#endif
}

}  // namespace
}  // namespace tavrin::cli
