// tavrin-cli check, generate --dry-run / --diff, and templates saved in Unicode, run as the
// real program on copies of the fixtures.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "engine/TextEncoding.h"
#include "platform/CodePage.h"
#include "support/ApplyDiff.h"
#include "support/Process.h"
#include "support/TempDir.h"

namespace tavrin::cli {
namespace {

namespace fs = std::filesystem;
using testing::MaskGuids;
using testing::ProgramRun;
using testing::ReadFixture;
using testing::TempDir;

ProgramRun RunIn(const TempDir& dir, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"-C", dir.Path()});
    return testing::RunProgram(TAVRIN_CLI_PATH, arguments);
}

void CopyInto(const TempDir& dir, const std::string& folder) {
    fs::copy(folder, dir.Path(), fs::copy_options::recursive);
}

TEST(CliCheck, ReportsEachProblemOnItsLine) {
    TempDir dir;
    CopyInto(dir, TAVRIN_FIXTURES_DIR "/check/problems");
    ProgramRun result = RunIn(dir, {"check"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, ReadFixture("check/problems.expected"));
    EXPECT_EQ(result.err, "");

    EXPECT_EQ(RunIn(dir, {"check", "extra"}).status, 2);
    TempDir unreadable;
    fs::create_directory(unreadable.File("template.tbl"));
    result = RunIn(unreadable, {"check"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "template.tbl:0: the template table cannot be read\n");
}

class CliPreview : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy(TAVRIN_FIXTURES_DIR "/cli/table", m_dir.Path(), fs::copy_options::recursive);
        m_dir.Write("MyDlg.h", m_oldHeader);
    }

    ProgramRun Generate(std::vector<std::string> options) {
        std::vector<std::string> arguments{"generate", "-t", "ダイアログ", "-i", "IDD_表",
                                           "-o",       ""};
        arguments.insert(arguments.end(), options.begin(), options.end());
        return RunIn(m_dir, arguments);
    }

    TempDir m_dir;
    const std::string m_oldHeader = ReadFixture("cli/preview/MyDlg.h.old");
};

TEST_F(CliPreview, DryRunWritesNothingAndSaysWhatWouldBeWritten) {
    for (const char* option : {"--dry-run", "--diff"}) {
        ProgramRun result = Generate({option});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        if (std::string_view(option) == "--dry-run") {
            EXPECT_EQ(result.out,
                      "would replace MyDlg.h (contents differ)\nwould create MyDlg.cpp\n");
        } else {
            EXPECT_EQ(MaskGuids(result.out), ReadFixture("cli/preview/diff.expected"));
        }
        EXPECT_EQ(m_dir.Read("MyDlg.h"), m_oldHeader);
        EXPECT_FALSE(m_dir.Exists("MyDlg.cpp"));
    }
    // A failed check fails as in a real run; --no still declines.
    ProgramRun result = RunIn(m_dir, {"generate", "-t", "ダイアログ", "--dry-run"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "ダイアログリソースＩＤが指定されていません。\n");
    EXPECT_EQ(Generate({"--dry-run", "--no"}).status, 3);
    result = Generate({"--dry-run", "-o", "missing"});
    EXPECT_EQ(result.status, 1);
    // The preview foresees the missing folder as the run would find it, and says so.
    EXPECT_EQ(
        result.err,
        "派成クラスのヘッダファイルの生成に失敗しました。[MyDlg.h]\n出力先フォルダがありません。[" +
            (std::filesystem::path(m_dir.Path()) / "missing" / "MyDlg.h")
                .lexically_normal()
                .string() +
            "]\n");
    EXPECT_EQ(result.out, "");
}

// Where the real run cannot write a file (read-only, a pipe, a link to a device), the preview
// fails as the real run does, and says so the same way.
TEST_F(CliPreview, DryRunFailsWhereTheRealRunWould) {
    const struct {
        const char* name;
        bool posixOnly;
    } cases[] = {{"read-only", false}, {"fifo", true}, {"device link", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path header = testing::Utf8Path(m_dir.File("MyDlg.h"));
        if (c.posixOnly && !fs::exists("/dev/null")) {
            continue;  // no pipes or devices to stand in for a file here
        }
#ifndef _WIN32
        fs::remove(header);
        if (std::string_view(c.name) == "fifo") {
            ASSERT_EQ(::mkfifo(header.c_str(), 0644), 0);
        } else if (std::string_view(c.name) == "device link") {
            fs::create_symlink("/dev/null", header);
        } else {
            m_dir.Write("MyDlg.h", m_oldHeader);
        }
#endif
        if (std::string_view(c.name) == "read-only") {
            fs::permissions(
                header, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                fs::perm_options::remove);
        }
        ProgramRun preview = Generate({"--dry-run"});
        ProgramRun real = Generate({"--yes"});
        EXPECT_EQ(real.status, 1);
        EXPECT_EQ(preview.status, real.status);
        EXPECT_EQ(preview.err, real.err);
        EXPECT_EQ(preview.out, "");
        fs::permissions(header, fs::perms::owner_write, fs::perm_options::add);
    }
}

// The diff a dry run shows, applied to the existing file, gives the file a real run writes.
TEST_F(CliPreview, DiffAgreesWithTheRealRun) {
    ProgramRun preview = Generate({"--diff"});
    ASSERT_EQ(preview.status, 0) << preview.err;
    std::string diff = preview.out.substr(preview.out.find("--- "));
    diff = diff.substr(0, diff.find("would create"));
    ASSERT_EQ(Generate({"--yes"}).status, 0);
    std::optional<std::string> applied =
        testing::ApplyUnifiedDiff(m_oldHeader, platform::Utf8ToCp932(diff));
    ASSERT_TRUE(applied.has_value());
    EXPECT_EQ(MaskGuids(*applied), MaskGuids(m_dir.Read("MyDlg.h")));

    ProgramRun again = Generate({"--dry-run"});
    EXPECT_EQ(
        again.out,
        "would replace MyDlg.h (contents differ)\nwould replace MyDlg.cpp (contents differ)\n");
}

// UTF-16 cannot be masked as bytes: the GUID is masked in UTF-8 and the result encoded again.
std::string MaskGuidsIn(const std::string& bytes) {
    const TextEncoding encoding = EncodingOfMark(bytes);
    bool lossless = true;
    return Utf8WithMark(MaskGuids(ContentAsUtf8(bytes, encoding, lossless)), encoding);
}

// Each set has its table and both templates in one encoding behind a byte order mark; the
// outputs come out in it, with the Japanese values and CR LF line ends.
TEST(CliEncodings, TemplatesKeepTheirEncoding) {
    for (const char* encoding : {"utf8", "utf16le", "utf16be"}) {
        const std::string fixture = std::string("encoding/") + encoding;
        TempDir dir;
        CopyInto(dir, TAVRIN_FIXTURES_DIR "/" + fixture);
        ProgramRun result =
            RunIn(dir, {"generate", "-t", "テンプレート", "-d", "C表示Dlg", "-o", ""});
        ASSERT_EQ(result.status, 0) << encoding << ": " << result.err;
        std::string header = dir.Read("表示Dlg.h");
        std::string source = dir.Read("表示Dlg.cpp");
        EXPECT_EQ(MaskGuidsIn(header), ReadFixture(fixture + "/h.expected")) << encoding;
        EXPECT_EQ(MaskGuidsIn(source), ReadFixture(fixture + "/cpp.expected")) << encoding;
        EXPECT_EQ(RunIn(dir, {"check"}).out, "") << encoding;
    }
}

// A template saved in Unicode with a character code page 932 cannot hold is refused rather
// than written with "?" in its place.
TEST(CliEncodings, RefusesWhatCodePage932CannotHold) {
    TempDir dir;
    CopyInto(dir, TAVRIN_FIXTURES_DIR "/encoding/utf8");
    dir.Write("tpl_h.txt", "\xEF\xBB\xBF// \xC3\xA4 $$DNAME$$ $$AUTHOR$$\n");
    ProgramRun result = RunIn(dir, {"generate", "-t", "テンプレート", "-o", ""});
    EXPECT_EQ(result.status, 1);
    // Not a write that failed: nothing more to say than which file.
    EXPECT_EQ(result.err, "派成クラスのヘッダファイルの生成に失敗しました。[MyDlg.h]\n");
    EXPECT_FALSE(dir.Exists("MyDlg.h"));
    EXPECT_EQ(RunIn(dir, {"check"}).out,
              "tpl_h.txt:1: a character that code page 932 cannot hold\n");
}

}  // namespace
}  // namespace tavrin::cli
