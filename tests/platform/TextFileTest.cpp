#include "platform/TextFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/Faults.h"
#include "support/TempDir.h"

namespace tavrin::platform {
namespace {

using testing::TempDir;

struct TextModeCase {
    std::string_view raw;
    std::string_view text;
};

// Reading turns CR LF into LF and nothing else; writing turns every LF back into CR LF.
TEST(TextMode, ReadsCrLfAsLfAndKeepsEverythingElse) {
    const TextModeCase cases[] = {
        {"a\r\nb\r\n", "a\nb\n"},
        {"a\nb", "a\nb"},        // bare LF stays
        {"a\rb\r", "a\rb\r"},    // a lone CR is data
        {"a\r\r\nb", "a\r\nb"},  // only the CR before the LF goes
        {std::string_view("x\0y\x1az\r\n", 7), std::string_view("x\0y\x1az\n", 6)},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeTextMode(c.raw), c.text) << c.raw;
    }
}

TEST(TextMode, WritesEveryLfAsCrLf) {
    EXPECT_EQ(EncodeTextMode("a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(EncodeTextMode("a\r\n"), "a\r\r\n");  // what the Windows runtime writes too
    EXPECT_EQ(EncodeTextMode(std::string_view("\0\n", 2)), std::string_view("\0\r\n", 3));
    EXPECT_EQ(EncodeTextMode("no line end"), "no line end");
}

TEST(ReadFile, FailsOnMissingFileAndFolder) {
    TempDir dir;
    std::string bytes = "stale";
    EXPECT_FALSE(ReadFileBytes(dir.File("missing"), bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(ReadFileBytes(dir.Path(), bytes));
    EXPECT_FALSE(ReadFileBytes("", bytes));
}

TEST(ReadFile, ReadErrorIsAFailureNotAnEndOfFile) {
    TempDir dir;
    dir.Write("t.txt", "content");
    std::string text;
    faults::ScopedFault fault(faults::Call::Read);
    EXPECT_FALSE(ReadTextFile(dir.File("t.txt"), text));
}

TEST(SafeWrite, CreatesAndReplaces) {
    TempDir dir;
    ASSERT_TRUE(WriteTextFile(dir.File("out.h"), "one\ntwo"));
    EXPECT_EQ(dir.Read("out.h"), "one\r\ntwo");
    ASSERT_TRUE(WriteTextFile(dir.File("out.h"), "three\n"));
    EXPECT_EQ(dir.Read("out.h"), "three\r\n");
    EXPECT_EQ(dir.List(), "out.h");  // no temporary file left behind
}

TEST(SafeWrite, ReplacedFileKeepsItsPermissions) {
    TempDir dir;
    dir.Write("out.h", "old");
    ASSERT_EQ(::chmod(dir.File("out.h").c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomically(dir.File("out.h"), "new"));
    struct stat status {};
    ASSERT_EQ(::stat(dir.File("out.h").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST(SafeWrite, WritesThroughALinkToItsTarget) {
    TempDir dir;
    dir.Write("real.h", "old");
    ASSERT_EQ(::symlink("real.h", dir.File("link.h").c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(dir.File("link.h"), "new"));
    EXPECT_EQ(dir.Read("real.h"), "new");
}

// Every way the write can fail leaves the old file byte for byte and no debris.
TEST(SafeWrite, AnyFailureLeavesTheOldFileIntact) {
    const faults::Call calls[] = {faults::Call::Open, faults::Call::Write, faults::Call::Flush,
                                  faults::Call::Close, faults::Call::Rename};
    for (faults::Call call : calls) {
        TempDir dir;
        dir.Write("out.cpp", "old\r\ncontent");
        faults::ScopedFault fault(call);
        EXPECT_FALSE(WriteTextFile(dir.File("out.cpp"), "new\ncontent\n"))
            << static_cast<int>(call);
        EXPECT_EQ(dir.Read("out.cpp"), "old\r\ncontent");
        EXPECT_EQ(dir.List(), "out.cpp");
    }
}

TEST(SafeWrite, FailedNewFileLeavesNothing) {
    TempDir dir;
    faults::ScopedFault fault(faults::Call::Write);
    EXPECT_FALSE(WriteTextFile(dir.File("new.h"), "x\n"));
    EXPECT_EQ(dir.List(), "");
}

TEST(SafeWrite, RefusesReadOnlyFilesFoldersAndMissingFolders) {
    TempDir dir;
    dir.Write("ro.cpp", "keep");
    ASSERT_EQ(::chmod(dir.File("ro.cpp").c_str(), 0444), 0);
    EXPECT_FALSE(WriteTextFile(dir.File("ro.cpp"), "lost?"));
    EXPECT_EQ(dir.Read("ro.cpp"), "keep");

    dir.Write("sub/x", "");
    EXPECT_FALSE(WriteTextFile(dir.File("sub"), "x"));
    EXPECT_FALSE(WriteTextFile(dir.File("no/such/folder.h"), "x"));
    EXPECT_FALSE(WriteTextFile("", "x"));
}

}  // namespace
}  // namespace tavrin::platform
