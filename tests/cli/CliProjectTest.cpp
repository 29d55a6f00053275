// tavrin-cli generate --project, run as the real program on copies of the fixtures.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "support/Process.h"
#include "support/TempDir.h"

namespace tavrin::cli {
namespace {

namespace fs = std::filesystem;
using testing::ProgramRun;
using testing::ReadFixture;
using testing::TempDir;

// The example table and a project as the IDE writes one, in one folder.
class CliProject : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy(TAVRIN_FIXTURES_DIR "/cli/table", m_dir.Path(), fs::copy_options::recursive);
        m_dir.Write("App.vcxproj", m_project);
        m_dir.Write("App.vcxproj.filters", m_filters);
    }

    ProgramRun Generate(std::vector<std::string> options) {
        std::vector<std::string> arguments{"-C", m_dir.Path(),   "generate", "-t",     "ダイアログ",
                                           "-d", "CSettingsDlg", "-i",       "IDD_表", "-o",
                                           ""};
        arguments.insert(arguments.end(), options.begin(), options.end());
        return testing::RunProgram(TAVRIN_CLI_PATH, arguments);
    }

    TempDir m_dir;
    const std::string m_project = ReadFixture("project/vs2022-mfc/App.vcxproj");
    const std::string m_filters = ReadFixture("project/vs2022-mfc/App.vcxproj.filters");
};

TEST_F(CliProject, AddsTheClassAfterWritingIt) {
    ProgramRun result = Generate({"--project", "App.vcxproj"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "SettingsDlg.h\nSettingsDlg.cpp\nApp.vcxproj\nApp.vcxproj.filters\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(m_dir.Read("App.vcxproj"), ReadFixture("project/vs2022-mfc/App.vcxproj.expected"));
    EXPECT_EQ(m_dir.Read("App.vcxproj.filters"),
              ReadFixture("project/vs2022-mfc/App.vcxproj.filters.expected"));

    // Generated again, the class is in the project already: only the class files are named.
    result = Generate({"--project=App.vcxproj", "--yes"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "SettingsDlg.h\nSettingsDlg.cpp\n");
    EXPECT_EQ(result.err, "クラスのファイルはプロジェクトに登録済みです。[App.vcxproj]\n");
    EXPECT_EQ(m_dir.Read("App.vcxproj"), ReadFixture("project/vs2022-mfc/App.vcxproj.expected"));
}

TEST_F(CliProject, PreviewShowsTheProjectsChangeToo) {
    ProgramRun result = Generate({"--project", "App.vcxproj", "--dry-run"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              "would create SettingsDlg.h\nwould create SettingsDlg.cpp\n"
              "would replace App.vcxproj (contents differ)\n"
              "would replace App.vcxproj.filters (contents differ)\n");
    result = Generate({"--project", "App.vcxproj", "--diff"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, ReadFixture("cli/project/diff.expected"));
    EXPECT_FALSE(m_dir.Exists("SettingsDlg.h"));
    EXPECT_EQ(m_dir.Read("App.vcxproj"), m_project);
    EXPECT_EQ(m_dir.Read("App.vcxproj.filters"), m_filters);
}

// A project (or filters file) the project step would refuse stops everything before any file
// is written: what it cannot read (a FIFO, a folder), what it cannot edit, and a filters file
// that is the project itself. One that may not be written is found only when writing it, and
// the message says the class was written; a project that is not there is a usage error.
TEST_F(CliProject, RefusesAProjectItCannotEditBeforeWritingAnything) {
    const struct {
        const char* project;
        std::string bytes;
        const char* problem;
        const char* filters;  // "fifo", "folder", "link" to the project; null: none
    } cases[] = {
        {"Broken.vcxproj", "<Project>\r\n",
         "XML として正しくありません（Start-end tags mismatch on line 1）。[Broken.vcxproj]",
         nullptr},
        {"Old.vcproj", "<?xml version=\"1.0\" encoding=\"shift_jis\"?>\r\n<VisualStudioProject/>",
         "Visual Studio 2008 のプロジェクト (.vcproj) には対応していません。新しい Visual Studio "
         "で開いて .vcxproj に変換してください。[Old.vcproj]",
         nullptr},
        {"Sjis.vcxproj", ReadFixture("project/sjis-comment/App.vcxproj"),
         "UTF-8 ではなく、エンコーディングの宣言もありません（line 2）。[Sjis.vcxproj]", nullptr},
        {"Dir.vcxproj", m_project, "ファイルを読み込めません。[Dir.vcxproj.filters]", "folder"},
#ifndef _WIN32
        {"Fifo.vcxproj", m_project, "ファイルを読み込めません。[Fifo.vcxproj.filters]", "fifo"},
        {"Link.vcxproj", m_project,
         "フィルタファイルがプロジェクトファイルそのものです。[Link.vcxproj.filters]", "link"},
#endif
    };
    const std::string nothingWritten =
        "プロジェクトに追加できないため、何も書き込みませんでした。\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.project);
        m_dir.Write(c.project, c.bytes);
        const fs::path filters = testing::Utf8Path(m_dir.File(std::string(c.project) + ".filters"));
        const std::string_view kind = c.filters ? c.filters : "";
        if (kind == "folder") {
            fs::create_directory(filters);
        }
#ifndef _WIN32
        if (kind == "fifo") {
            ASSERT_EQ(::mkfifo(filters.c_str(), 0644), 0);
        }
        if (kind == "link") {
            fs::create_symlink(c.project, filters);
        }
#endif
        ProgramRun result = Generate({"--project", c.project, "--yes"});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, nothingWritten + c.problem + "\n");
        EXPECT_EQ(m_dir.Read(c.project), c.bytes);
        EXPECT_FALSE(m_dir.Exists("SettingsDlg.h"));
    }
    // One that may not be written says why.
    const fs::perms readOnly =
        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(testing::Utf8Path(m_dir.File("App.vcxproj")), readOnly);
    ProgramRun result = Generate({"--project", "App.vcxproj", "--yes"});
    EXPECT_EQ(result.err,
              "クラスのファイルは書き込みましたが、プロジェクトには追加できませんでした。\n"
              "書き込めません（読み取り専用です）。プロジェクトのファイルはどちらも"
              "変更していません。[App.vcxproj]\n");
    EXPECT_EQ(m_dir.Read("App.vcxproj"), m_project);

    TempDir empty;
    fs::copy(TAVRIN_FIXTURES_DIR "/cli/table", empty.Path(), fs::copy_options::recursive);
    result = testing::RunProgram(
        TAVRIN_CLI_PATH, {"-C", empty.Path(), "generate", "-t", "ダイアログ", "-d", "CSettingsDlg",
                          "-i", "IDD_表", "-o", "", "--project", "Missing.vcxproj"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err.substr(0, result.err.find('\n')),
              "tavrin-cli: no project file \"Missing.vcxproj\"");
    EXPECT_FALSE(empty.Exists("SettingsDlg.h"));
}

}  // namespace
}  // namespace tavrin::cli
