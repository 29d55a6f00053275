#include "platform/TextFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <filesystem>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "platform/Faults.h"
#include "platform/FileStatus.h"
#include "platform/NativePath.h"
#include "support/TempDir.h"

namespace tavrin::platform {
namespace {

using testing::TempDir;

TEST(TextMode, ReadsCrLfAsLfAndWritesEveryLfAsCrLf) {
    for (const std::vector<std::string>& c : testing::ReadCases("platform/text-mode.txt")) {
        EXPECT_EQ(c.at(0) == "read" ? DecodeTextMode(c.at(1)) : EncodeTextMode(c.at(1)), c.at(2))
            << c[0] << " " << c[1];
    }
}

TEST(SafeWrite, ReplacesThroughLinksAndKeepsPermissions) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: symbolic links need a privilege on Windows, and file modes are "
                    "POSIX's";
#else
    TempDir dir;
    dir.Write("real.h", "old");
    ASSERT_EQ(::chmod(dir.File("real.h").c_str(), 0640), 0);
    ASSERT_EQ(::symlink("real.h", dir.File("link.h").c_str()), 0);
    ASSERT_TRUE(WriteTextFile(dir.File("link.h"), "one\ntwo"));
    EXPECT_EQ(dir.Read("real.h"), "one\r\ntwo");
    struct stat status {};
    ASSERT_EQ(::stat(dir.File("real.h").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(dir.List(), "link.h real.h");  // no temporary file left behind

    // A dangling link has no file to replace: the new file takes the link's place.
    ASSERT_EQ(::symlink("gone.h", dir.File("dangling.h").c_str()), 0);
    ASSERT_TRUE(WriteTextFile(dir.File("dangling.h"), "x"));
    EXPECT_EQ(dir.Read("dangling.h"), "x");
    EXPECT_EQ(dir.List(), "dangling.h link.h real.h");
#endif
}

// The temporary file's name must fit wherever the output's own name fits.
TEST(SafeWrite, WritesNamesUpToTheLongestTheFolderTakes) {
    TempDir dir;
    for (std::size_t length : {240u, 241u, 250u, 255u}) {
        const std::string name = std::string(length - 2, 'n') + ".h";
        EXPECT_TRUE(WriteTextFile(dir.File(name), "new")) << length;
        EXPECT_TRUE(WriteTextFile(dir.File(name), "again")) << length;
        EXPECT_EQ(dir.Read(name), "again");
    }
    // A name cut for the temporary file is cut before a character, never inside one.
    std::string japanese;
    while (japanese.size() < 160) {
        japanese += "\x95\x5c";  // one character of code page 932, three bytes of UTF-8
    }
    EXPECT_TRUE(WriteTextFile(dir.File(japanese), "kanji"));
    EXPECT_FALSE(WriteTextFile(dir.File(std::string(256, 'n')), "too long"));
    EXPECT_EQ(dir.List().find(".tavrin"), std::string::npos);
}

// Interrupted in the middle of a write, the process removes its temporary file and ends
// with the status shells give a program ended by that signal; the old file stays.
TEST(SafeWrite, InterruptRemovesTheTemporaryFile) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX signals; the console's events take their place on Windows";
#else
    GTEST_FLAG_SET(death_test_style, "fast");
    const struct {
        faults::Call call;
        faults::Hook hook;
        int status;
    } cases[] = {
        {faults::Call::Write, [] { std::raise(SIGINT); }, 130},
        {faults::Call::Flush, [] { std::raise(SIGTERM); }, 143},
        {faults::Call::Rename, [] { std::raise(SIGINT); }, 130},
    };
    for (const auto& c : cases) {
        TempDir dir;
        dir.Write("out.h", "old");
        const std::string path = dir.File("out.h");
        EXPECT_EXIT(
            {
                RemoveTemporaryFilesOnInterrupt();
                faults::SetHook(c.call, c.hook);
                WriteTextFile(path, std::string(1 << 20, 'x'));
                std::_Exit(0);
            },
            ::testing::ExitedWithCode(c.status), "");
        EXPECT_EQ(dir.List(), "out.h");
        EXPECT_EQ(dir.Read("out.h"), "old");
    }
#endif
}

// Every way the write can fail leaves the old file byte for byte, or no new one, and no debris.
TEST(SafeWrite, AnyFailureLeavesTheOldFileIntact) {
    for (faults::Call call : {faults::Call::Open, faults::Call::Write, faults::Call::Flush,
                              faults::Call::Close, faults::Call::Rename}) {
        TempDir dir;
        dir.Write("out.cpp", "old\r\ncontent");
        faults::ScopedFault fault(call);
        EXPECT_FALSE(WriteTextFile(dir.File("out.cpp"), "new\ncontent\n"))
            << static_cast<int>(call);
        if (call == faults::Call::Write) {
            EXPECT_EQ(LastWriteFailure(), WriteFailure::kDiskFull);  // as the fault says
        }
        EXPECT_EQ(dir.Read("out.cpp"), "old\r\ncontent");
        faults::Arm(call);
        EXPECT_FALSE(WriteTextFile(dir.File("new.h"), "x\n"));
        EXPECT_EQ(dir.List(), "out.cpp");
    }
}

// Replaced through another spelling of its name, a file keeps the name it has.
TEST(SafeWrite, KeepsTheStoredNameOfAReplacedFile) {
    if (!kPathsIgnoreCase) {
        GTEST_SKIP() << "names that differ in case name different files here";
    }
    TempDir dir;
    dir.Write("App.vcxproj", "old");
    EXPECT_TRUE(WriteTextFile(dir.File("APP.VCXPROJ"), "new"));
    EXPECT_EQ(dir.List(), "App.vcxproj");
    EXPECT_EQ(dir.Read("App.vcxproj"), "new");
}

// Output and project folders nest deep in real source trees: a path past the old limit of 260
// characters is written, replaced and read like any other.
TEST(SafeWrite, WritesAndReadsPastTheOldPathLimit) {
    namespace fs = std::filesystem;
    TempDir dir;
    fs::path top = testing::Utf8Path(dir.Path());
#ifdef _WIN32
    top = fs::path(L"\\\\?\\" + fs::absolute(top).make_preferred().native());
#endif
    fs::path deep = top;
    std::string path = dir.Path();
    while (path.size() < 300) {
        deep /= std::string(40, 'd');
        path += "/" + std::string(40, 'd');
    }
    ASSERT_TRUE(fs::create_directories(deep));
    path += "/out.h";
    EXPECT_TRUE(WriteTextFile(path, "one\n"));
    EXPECT_TRUE(WriteTextFile(path, "two\n"));
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, "two\r\n");
    EXPECT_TRUE(IsRegularFile(path));
    std::error_code ignored;
    fs::remove_all(top / std::string(40, 'd'), ignored);
}

// A run killed outright leaves its temporary file behind; the next write into that folder
// removes such files, but only those named exactly so and older than the process.
TEST(SafeWrite, RemovesTemporaryFilesThatKilledRunsLeft) {
    namespace fs = std::filesystem;
    TempDir dir;
    // Named so, but newer than the process: another run's, under way.
    dir.Write(".out.h.tavrin-Fresh1", "someone's");
    dir.Write(".sub.tavrin-abcdef/x", "a folder");
    // Only the first two are named exactly as temporary files are.
    for (const char* name :
         {".out.h.tavrin-Ab12Cd", ".App.vcxproj.tavrin-XYZ789", ".out.h.tavrin-Ab12C",
          "out.h.tavrin-Ab12Cd", ".out.h.tavrin-Ab12C!", ".sub.tavrin-abcdef"}) {
        if (!dir.Exists(name)) {
            dir.Write(name, "left over");
        }
        std::error_code ignored;  // a folder's time cannot be set everywhere; it stays anyway
        fs::last_write_time(testing::Utf8Path(dir.File(name)),
                            fs::file_time_type::clock::now() - std::chrono::hours(1), ignored);
    }
    ASSERT_TRUE(WriteTextFile(dir.File("out.h"), "new"));
    EXPECT_EQ(dir.List(),
              ".out.h.tavrin-Ab12C .out.h.tavrin-Ab12C! .out.h.tavrin-Fresh1 .sub.tavrin-abcdef "
              "out.h out.h.tavrin-Ab12Cd");
}

TEST(SafeWrite, RefusesReadOnlyFilesFoldersAndMissingFolders) {
    TempDir dir;
    dir.Write("ro.cpp", "keep");
    ASSERT_EQ(::chmod(dir.File("ro.cpp").c_str(), 0444), 0);
    EXPECT_FALSE(WriteTextFile(dir.File("ro.cpp"), "lost?"));
    EXPECT_EQ(LastWriteFailure(), WriteFailure::kReadOnly);
    EXPECT_EQ(dir.Read("ro.cpp"), "keep");

    dir.Write("sub/x", "");
    EXPECT_FALSE(WriteTextFile(dir.File("sub"), "x"));
    EXPECT_FALSE(WriteTextFile(dir.File("no/such/folder.h"), "x"));
    EXPECT_FALSE(WriteTextFile("", "x"));
}

}  // namespace
}  // namespace tavrin::platform
