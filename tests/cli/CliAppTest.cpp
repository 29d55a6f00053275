// The command line in process: what the end-to-end tests cannot reach, the parsing of every
// option and the answers typed on a terminal.
#include "cli/CliApp.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "platform/CodePage.h"
#include "platform/CurrentDirectory.h"
#include "support/CurrentDirectoryScope.h"
#include "support/TempDir.h"

namespace tavrin::cli {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// Arguments reach the app as code page 932; the tests write them in UTF-8.
std::vector<std::string> Cp932(std::initializer_list<std::string_view> arguments) {
    std::vector<std::string> converted;
    for (std::string_view argument : arguments) {
        converted.push_back(platform::Utf8ToCp932(argument));
    }
    return converted;
}

// What the app wrote for the terminal, as UTF-8: on Windows the streams take code page 932.
std::string Shown(const std::ostringstream& stream) {
#ifdef _WIN32
    return platform::Cp932ToUtf8(stream.str());
#else
    return stream.str();
#endif
}

TEST(ParseArguments, ReadsEveryOptionOfGenerate) {
    ParsedArguments parsed = ParseArguments(Cp932({"-C",
                                                   "a",
                                                   "-C",
                                                   "b",
                                                   "generate",
                                                   "-t",
                                                   "ビュー",
                                                   "-b",
                                                   "",
                                                   "-d",
                                                   "-x",
                                                   "--header=h.h",
                                                   "--source",
                                                   "s.cpp",
                                                   "--output",
                                                   "out",
                                                   "--dialog-id=IDD_X",
                                                   "--no",
                                                   "--project",
                                                   "プロジェクト.vcxproj"}));
    ASSERT_TRUE(parsed.invocation) << parsed.error;
    const Invocation& invocation = *parsed.invocation;
    EXPECT_EQ(invocation.command, Command::kGenerate);
    EXPECT_THAT(invocation.directories, ::testing::ElementsAre("a", "b"));
    const GenerateOptions& options = invocation.generate;
    EXPECT_EQ(options.templateName, platform::Utf8ToCp932("ビュー"));
    EXPECT_EQ(options.basicClassName, "");  // given empty, which is not the same as not given
    EXPECT_EQ(options.derivedClassName, "-x");
    EXPECT_EQ(options.headerFileName, "h.h");
    EXPECT_EQ(options.sourceFileName, "s.cpp");
    EXPECT_EQ(options.outputFolder, "out");
    EXPECT_EQ(options.dialogResourceId, "IDD_X");
    EXPECT_EQ(options.overwrite, Overwrite::kNo);
    EXPECT_EQ(options.projectPath, platform::Utf8ToCp932("プロジェクト.vcxproj"));
    EXPECT_FALSE(ParseArguments({"generate"}).invocation->generate.templateName);
    EXPECT_FALSE(ParseArguments({"generate"}).invocation->generate.projectPath);

    parsed = ParseArguments({"show", "--", "-odd"});
    ASSERT_TRUE(parsed.invocation);
    EXPECT_EQ(parsed.invocation->operand, "-odd");
    EXPECT_EQ(ParseArguments({"-C", "x", "--version"}).invocation->command, Command::kVersion);
    EXPECT_EQ(ParseArguments({"generate", "-t", "x", "--help"}).invocation->command,
              Command::kHelp);

    // --diff is a dry run that also shows the differences.
    EXPECT_TRUE(ParseArguments({"generate", "--dry-run"}).invocation->generate.dryRun);
    const GenerateOptions diff = ParseArguments({"generate", "--diff"}).invocation->generate;
    EXPECT_TRUE(diff.dryRun && diff.diff);
    EXPECT_EQ(ParseArguments({"-C", "x", "check"}).invocation->command, Command::kCheck);
}

TEST(ParseArguments, RejectsWhatIsNoCommandLine) {
    for (std::vector<std::string> c : testing::ReadCases("cli/rejected-arguments.txt")) {
        const std::string error = c.back();
        c.pop_back();
        ParsedArguments parsed = ParseArguments(c);
        EXPECT_FALSE(parsed.invocation) << error;
        EXPECT_THAT(parsed.error, HasSubstr(error));
    }
}

TEST(BuildRequest, FillsFieldsAsTheDialogDoes) {
    CTemplateTable table;
    table.SetFileName(TAVRIN_FIXTURES_DIR "/cli/table/template.tbl");
    ASSERT_TRUE(table.Load());
    // The derived name replaces the template's file names; explicit names come last.
    GenerateOptions options;
    options.templateName = platform::Utf8ToCp932("ビュー");
    options.derivedClassName = "CCNew";
    options.sourceFileName = "x.cpp";
    options.outputFolder = "";
    GenerationRequest request = BuildRequest(table, options, "/cwd");
    EXPECT_EQ(request.basicClassName, "CView");
    EXPECT_EQ(request.headerFileName, "CNew.h");
    EXPECT_EQ(request.sourceFileName, "x.cpp");
    EXPECT_EQ(request.outputFolder, "");

    // -b and --header override the template's values, and the derived class name's.
    options.basicClassName = "CMyBase";
    options.headerFileName = "Own.h";
    request = BuildRequest(table, options, "/cwd");
    EXPECT_EQ(request.basicClassName, "CMyBase");
    EXPECT_EQ(request.derivedClassName, "CCNew");
    EXPECT_EQ(request.headerFileName, "Own.h");
    EXPECT_EQ(request.sourceFileName, "x.cpp");
    options.outputFolder.reset();
    EXPECT_EQ(BuildRequest(table, options, "/cwd").outputFolder, "/cwd");
}

TEST(CliApp, TakesOnlyYesOnTheTerminalForAnOverwrite) {
    testing::TempDir dir;
    std::filesystem::copy(TAVRIN_FIXTURES_DIR "/cli/table", dir.Path(),
                          std::filesystem::copy_options::recursive);
    const tavrin::testing::CurrentDirectoryScope backHere(platform::CurrentDirectory());
    dir.Write("MyView.h", "old");
    const std::vector<std::string> generate =
        Cp932({"-C", dir.Path(), "generate", "-t", "ビュー", "-o", ""});
    const std::optional<std::string> answers[] = {"n", "", std::nullopt, "yes please", " Yes "};
    for (const auto& answer : answers) {
        std::ostringstream out, err;
        CliApp app(out, err, [answer] { return answer; });
        const bool yes = answer == " Yes ";
        EXPECT_EQ(app.Run(generate), yes ? kExitWritten : kExitDeclined) << answer.value_or("-");
        EXPECT_THAT(Shown(err),
                    StartsWith("派成クラスのヘッダ又はソースが存在します。\n[MyView.h]\n[MyView."
                               "cpp]\nを上書きしますか? (y/N) "));
        EXPECT_EQ(dir.Read("MyView.h") == "old", !yes);
        EXPECT_EQ(out.str(), yes ? "MyView.h\nMyView.cpp\n" : "");
    }
}

}  // namespace
}  // namespace tavrin::cli
