#include "cli/CliApp.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "platform/CodePage.h"
#include "platform/CurrentDirectory.h"
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

TEST(ParseArguments, ReadsEveryOptionOfGenerate) {
    ParsedArguments parsed = ParseArguments(Cp932(
        {"-C", "a", "-C", "b", "generate", "-t", "ビュー", "-b", "", "-d", "-x", "--header=h.h",
         "--source", "s.cpp", "--output", "out", "--dialog-id=IDD_X", "--no"}));
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
    EXPECT_FALSE(ParseArguments({"generate"}).invocation->generate.templateName);

    parsed = ParseArguments({"show", "--", "-odd"});
    ASSERT_TRUE(parsed.invocation);
    EXPECT_EQ(parsed.invocation->operand, "-odd");
    EXPECT_EQ(ParseArguments({"-C", "x", "--version"}).invocation->command, Command::kVersion);
    EXPECT_EQ(ParseArguments({"generate", "-t", "x", "--help"}).invocation->command,
              Command::kHelp);
}

TEST(ParseArguments, RejectsWhatIsNoCommandLine) {
    const struct {
        std::vector<std::string> arguments;
        std::string_view error;
    } cases[] = {
        {{}, "missing command"},
        {{"-C"}, "-C needs a folder"},
        {{"make"}, "unknown command \"make\""},
        {{"-x", "list"}, "unknown option \"-x\""},
        {{"list", "extra"}, "unexpected argument \"extra\""},
        {{"show"}, "missing template name"},
        {{"scan", "a.rc", "b.rc"}, "unexpected argument \"b.rc\""},
        {{"generate", "-t"}, "-t needs a value"},
        {{"generate", "--yes", "--no"}, "exclude each other"},
        {{"generate", "--templates=x"}, "unknown option"},
        {{"generate", "stray"}, "unexpected argument \"stray\""},
    };
    for (const auto& c : cases) {
        ParsedArguments parsed = ParseArguments(c.arguments);
        EXPECT_FALSE(parsed.invocation) << c.error;
        EXPECT_THAT(parsed.error, HasSubstr(c.error));
    }
}

TEST(BuildRequest, FillsFieldsAsTheDialogDoes) {
    CTemplateTable table;
    table.SetFileName(TAVRIN_FIXTURES_DIR "/cli/table/template.tbl");
    ASSERT_TRUE(table.Load());
    std::string view = platform::Utf8ToCp932("ビュー");
    std::string plain = platform::Utf8ToCp932("汎用");

    GenerateOptions options;
    options.templateName = view;
    GenerationRequest request = BuildRequest(table, options, "/cwd");
    EXPECT_EQ(request.templateName, view);
    EXPECT_EQ(request.basicClassName, "CView");
    EXPECT_EQ(request.derivedClassName, "CMyView");
    EXPECT_EQ(request.headerFileName, "MyView.h");
    EXPECT_EQ(request.sourceFileName, "MyView.cpp");
    EXPECT_EQ(request.outputFolder, "/cwd");
    EXPECT_EQ(request.dialogResourceId, "");

    // The derived name replaces the template's file names; explicit names come last.
    options.derivedClassName = "CCNew";
    options.sourceFileName = "x.cpp";
    options.outputFolder = "";
    options.dialogResourceId = "IDD_X";
    request = BuildRequest(table, options, "/cwd");
    EXPECT_EQ(request.derivedClassName, "CCNew");
    EXPECT_EQ(request.headerFileName, "New.h");
    EXPECT_EQ(request.sourceFileName, "x.cpp");
    EXPECT_EQ(request.outputFolder, "");
    EXPECT_EQ(request.dialogResourceId, "IDD_X");

    // Missing keywords leave fields empty; the first of a repeated keyword wins.
    GenerateOptions plainOptions;
    plainOptions.templateName = plain;
    request = BuildRequest(table, plainOptions, "");
    EXPECT_EQ(request.basicClassName, "");
    EXPECT_EQ(request.derivedClassName, "CFirst");
    EXPECT_EQ(request.headerFileName, "");
    EXPECT_EQ(request.sourceFileName, "");
}

// Runs the app in process inside a copy of the fixture table, restoring the current directory.
class CliAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy(TAVRIN_FIXTURES_DIR "/cli/table", m_dir.Path(),
                              std::filesystem::copy_options::recursive);
    }
    void TearDown() override { platform::ChangeCurrentDirectory(m_before); }

    int Run(std::vector<std::string> arguments, std::optional<std::string> answer = {}) {
        m_out.str("");
        m_err.str("");
        arguments.insert(arguments.begin(), {"-C", m_dir.Path()});
        CliApp app(m_out, m_err, [answer] { return answer; });
        return app.Run(arguments);
    }

    testing::TempDir m_dir;
    std::string m_before = platform::CurrentDirectory();
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(CliAppTest, AsksOnTheTerminalBeforeOverwriting) {
    m_dir.Write("MyView.h", "old");
    std::string question =
        "派成クラスのヘッダ又はソースが存在します。\n[MyView.h]\n[MyView.cpp]\nを上書きしますか? "
        "(y/N) ";
    std::vector<std::string> generate = Cp932({"generate", "-t", "ビュー", "-o", ""});

    const struct {
        std::optional<std::string> answer;
        int status;
    } cases[] = {{"n", kExitDeclined},
                 {"", kExitDeclined},
                 {std::nullopt, kExitDeclined},
                 {"yes please", kExitDeclined},
                 {" Yes ", kExitWritten}};
    for (const auto& c : cases) {
        EXPECT_EQ(Run(generate, c.answer), c.status) << c.answer.value_or("(none)");
        EXPECT_THAT(m_err.str(), StartsWith(question));
        bool written = c.status == kExitWritten;
        EXPECT_EQ(m_dir.Read("MyView.h") == "old", !written);
        EXPECT_EQ(m_out.str(), written ? "MyView.h\nMyView.cpp\n" : "");
    }
    EXPECT_EQ(Run(Cp932({"generate", "-t", "ビュー", "-o", "", "--yes"})), kExitWritten);
    EXPECT_EQ(m_err.str(), "");
}

TEST_F(CliAppTest, HelpAndVersionGoToStandardOutput) {
    EXPECT_EQ(Run({"--help"}), kExitWritten);
    EXPECT_THAT(m_out.str(), StartsWith("usage: tavrin-cli [-C DIR] list\n"));
    EXPECT_EQ(Run({"--version"}), kExitWritten);
    EXPECT_THAT(m_out.str(),
                ::testing::MatchesRegex("tavrin-cli [0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+\n"));
    EXPECT_EQ(Run({"frob"}), kExitUsage);
    EXPECT_THAT(m_err.str(), StartsWith("tavrin-cli: unknown command \"frob\"\nusage:"));
}

}  // namespace
}  // namespace tavrin::cli
