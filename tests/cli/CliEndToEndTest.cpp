// Runs the built tavrin-cli as a separate process, with standard input from /dev/null (no
// terminal), and compares the bytes it prints and writes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "platform/NativePath.h"
#include "support/Process.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace tavrin::cli {
namespace {

namespace fs = std::filesystem;
using testing::MaskGuids;
using testing::ProgramRun;
using testing::ReadFixture;
using testing::TempDir;

const std::string kSep(1, platform::kNativeSeparator);

ProgramRun RunCli(const std::vector<std::string>& arguments, const std::string& workingDir = "") {
    return testing::RunProgram(TAVRIN_CLI_PATH, arguments, workingDir);
}

class CliEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy(TAVRIN_FIXTURES_DIR "/cli/table", m_dir.Path(), fs::copy_options::recursive);
    }

    ProgramRun Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"-C", m_dir.Path()});
        return RunCli(arguments);
    }

    TempDir m_dir;
};

TEST_F(CliEndToEnd, GeneratesCodePage932WithCrLf) {
    fs::create_directory(m_dir.File("out"));
    ProgramRun result =
        Run({"generate", "-t", "ダイアログ", "-d", "C表Dlg", "-i", "IDD_表", "-o", "out"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "out" + kSep + "表Dlg.h\nout" + kSep + "表Dlg.cpp\n");
    std::string header = m_dir.Read("out/表Dlg.h");
    std::string source = m_dir.Read("out/表Dlg.cpp");
    EXPECT_EQ(MaskGuids(header), ReadFixture("cli/dialog_h.expected"));
    EXPECT_EQ(MaskGuids(source), ReadFixture("cli/dialog_cpp.expected"));
}

// Without a terminal nobody can answer: the question is shown and the answer is No.
TEST_F(CliEndToEnd, OverwritesOnlyWhenToldTo) {
    const std::string question =
        "派成クラスのヘッダ又はソースが存在します。\n[MyView.h]\n[MyView.cpp]\nを上書きしますか? "
        "(y/N) \n";
    const struct {
        const char* option;
        int status;
        std::string_view err;
    } cases[] = {{"--no", 3, ""}, {nullptr, 3, question}, {"--yes", 0, ""}};
    m_dir.Write("MyView.cpp", "old");
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"generate", "-t", "ビュー", "-o", ""};
        if (c.option != nullptr) {
            arguments.push_back(c.option);
        }
        ProgramRun result = Run(arguments);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.err, c.err);
        EXPECT_EQ(m_dir.Read("MyView.cpp"), c.status == 0 ? "#include \"MyView.h\"\r\n" : "old");
    }
}

TEST_F(CliEndToEnd, ReportsFailuresWithTheirMessages) {
    for (std::vector<std::string> c : testing::ReadCases("cli/failures.txt")) {
        const std::string err = c.back();
        const int status = std::stoi(c[c.size() - 2]);
        c.resize(c.size() - 2);
        ProgramRun result = Run(c);
        EXPECT_EQ(result.status, status) << c.back();
        EXPECT_EQ(result.err.substr(0, result.err.find("usage:")), err);
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(Run({"show", "dialog"}).err.find("usage:"), std::string::npos);

    // A failed write says why, and where: the message alone names only the file.
    fs::create_directories(m_dir.File("clash/MyView.h"));
    m_dir.Write("locked/MyView.h", "old");
    fs::permissions(m_dir.File("locked/MyView.h"), fs::perms::owner_read | fs::perms::group_read);
    const auto where = [this](const char* folder) {
        return "[" + (fs::path(m_dir.Path()) / folder / "MyView.h").lexically_normal().string() +
               "]\n";
    };
    const std::string headerFailed = "派成クラスのヘッダファイルの生成に失敗しました。[MyView.h]\n";
    const std::pair<const char*, std::string> writeFailures[] = {
        {"missing", "出力先フォルダがありません。"},
        {"clash", "同じ名前のフォルダがあります。"},
        {"locked", "読み取り専用のため書き込めません。"},
    };
    for (const auto& [folder, reason] : writeFailures) {
        ProgramRun result = Run({"generate", "-t", "ビュー", "-o", folder, "--yes"});
        EXPECT_EQ(result.status, 1) << folder;
        EXPECT_EQ(result.err, headerFailed + reason + where(folder));
    }
    EXPECT_EQ(m_dir.Read("locked/MyView.h"), "old");

    // "〜" would come back from code page 932 as "～" and name another file. Redirected output
    // is code page 932 on Windows, which cannot hold the character either.
#ifdef _WIN32
    const std::string shown = "a?b";
#else
    const std::string shown = "a〜b";
#endif
    ProgramRun result = Run({"generate", "-t", "ビュー", "-o", "a〜b"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err.substr(0, result.err.find("usage:")),
              "tavrin-cli: \"" + shown + "\" holds characters that code page 932 cannot hold\n");
    EXPECT_EQ(m_dir.List(), "clash locked none.rc sample.rc template.tbl tpl");
}

TEST_F(CliEndToEnd, ListsShowsScansAndAnswersHelpAndVersion) {
    ProgramRun result = Run({"list"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "ビュー\nダイアログ\n汎用\n");

    result = Run({"show", "汎用"});
    EXPECT_EQ(result.out,
              "header: tpl\\view_h.txt\nsource: tpl\\view_cpp.txt\n$$DNAME$$\t派生クラス\tCFirst\n"
              "$$DNAME$$\t派生クラス\tCSecond\n$$CPPFILE$$\tソース\t\n");

    result = Run({"scan", "sample.rc"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "IDD_FIRST\nIDD_表示1\nIDD_EX\nIDD_LAST\n");

    // std::regex: GoogleTest's own matchers know only a simple syntax on Windows.
    EXPECT_TRUE(std::regex_match(Run({"--version"}).out,
                                 std::regex("tavrin-cli [0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+\n")));
    EXPECT_THAT(Run({"--help"}).out, ::testing::StartsWith("usage: tavrin-cli [-C DIR] list\n"));
}

// The output folder defaults to the current directory, as the dialog fills it in.
TEST_F(CliEndToEnd, WorksInTheDirectoryGivenWithC) {
    std::string dir = testing::Utf8Name(fs::canonical(m_dir.Path()));
    std::string root = testing::Utf8Name(fs::path(dir).root_path());
    ProgramRun result = RunCli({"-C", dir, "generate", "-t", "ビュー"}, root);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, dir + kSep + "MyView.h\n" + dir + kSep + "MyView.cpp\n");
    EXPECT_EQ(RunCli({"list"}, dir).out, "ビュー\nダイアログ\n汎用\n");  // no -C
}

// Outside a template set, the user's own is used: made from the examples beside the program
// the first time, and said so once. A table's template files are found beside it wherever
// the class goes. init starts another set and never overwrites one.
TEST(CliTemplateFolder, UsesTheUsersOwnSetOutsideATemplateSet) {
    TempDir home;
    TempDir project;
    testing::ScopedEnv xdg("XDG_DATA_HOME", home.Path());
    testing::ScopedEnv appData("APPDATA", home.Path());
#ifdef _WIN32
    const fs::path folder = fs::path(home.Path()) / "Tavrin" / "templates";
#else
    const fs::path folder = fs::path(home.Path()) / "tavrin" / "templates";
#endif
    const std::string table = (folder / "template.tbl").string() + "\n";
    ProgramRun result = RunCli({"where"}, project.Path());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, table);
    EXPECT_EQ(result.err,
              "テンプレートフォルダを作成し、テンプレートの例をコピーしました。\n"
              "テンプレートはこのフォルダで変更・追加できます。\n[" +
                  folder.string() + "]\n");
    result = RunCli(
        {"-C", project.Path(), "generate", "-t", "ダイアログ", "-d", "CConfigDlg", "-i", "IDD_X"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(project.List(), "ConfigDlg.cpp ConfigDlg.h");

    result = RunCli({"init"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "tavrin-cli: " + table.substr(0, table.size() - 1) +
                              " exists already; nothing was copied\n");
    const fs::path mine = fs::path(project.Path()) / "mine";
    result = RunCli({"init", mine.string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, mine.string() + "\n");
    EXPECT_EQ(RunCli({"-C", mine.string(), "where"}).out, (mine / "template.tbl").string() + "\n");
}

}  // namespace
}  // namespace tavrin::cli
