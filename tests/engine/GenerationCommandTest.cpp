#include "engine/GenerationCommand.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "engine/BuiltInKeywords.h"
#include "platform/FileStatus.h"
#include "platform/LocalDate.h"
#include "platform/NativePath.h"
#include "platform/UserName.h"
#include "support/TempDir.h"

namespace tavrin {
namespace {

using ::testing::ElementsAre;
using testing::TempDir;

// Records what the command shows and asks; answers the question as told.
class RecordingHost : public IGenerationHost {
public:
    bool FileExists(std::string_view path) override { return platform::PathExists(path); }
    void ShowMessage(const Message& message) override { shown.push_back(message); }
    bool AskOverwrite(const Message& question) override {
        asked.push_back(question);
        return answer;
    }

    bool answer = true;
    std::vector<Message> shown;
    std::vector<Message> asked;
};

// The templates of tests/fixtures/command/template.tbl, in a copy of the folder.
class GenerationCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy(TAVRIN_FIXTURES_DIR "/command", testing::Utf8Path(dir.Path()),
                              std::filesystem::copy_options::recursive);
        table.SetFileName(dir.File("template.tbl"));
        ASSERT_TRUE(table.Load());
        dir.Write("out/.keep", "");
    }

    GenerationOutcome Run(
        const char* templateName,
        const std::function<void(GenerationRequest&)>& change = [](GenerationRequest&) {}) {
        GenerationRequest request{templateName,   "CDialog",       "CAboutDlg",   "AboutDlg.h",
                                  "AboutDlg.cpp", dir.File("out"), "IDD_ABOUTBOX"};
        change(request);
        CGenerationCommand command(table, host);
        GenerationOutcome outcome = command.OnGenerate(request);
        headerPath = command.HeaderPath();
        sourcePath = command.SourcePath();
        return outcome;
    }

    TempDir dir;
    CTemplateTable table;
    RecordingHost host;
    std::string headerPath;
    std::string sourcePath;
};

// The fields in the order they are checked: each case empties one and every field after it.
TEST_F(GenerationCommandTest, OnlyTheFirstFailedCheckIsShown) {
    const std::pair<std::string GenerationRequest::*, int> checks[] = {
        {&GenerationRequest::basicClassName, IDS_NO_BASIC_CLASS_NAME},
        {&GenerationRequest::derivedClassName, IDS_NO_DERIVED_CLASS_NAME},
        {&GenerationRequest::headerFileName, IDS_NO_HEADER_FILE_NAME},
        {&GenerationRequest::sourceFileName, IDS_NO_SOURCE_FILE_NAME},
        {&GenerationRequest::dialogResourceId, IDS_NO_DIALOG_RESOURCE_ID},
    };
    for (std::size_t first = 0; first <= std::size(checks); ++first) {
        host.shown.clear();
        EXPECT_EQ(Run("Dialog",
                      [&](GenerationRequest& r) {
                          r.templateName.reset();
                          for (std::size_t i = first; i < std::size(checks); ++i) {
                              r.*checks[i].first = "";
                          }
                          if (first < std::size(checks)) {
                              r.templateName = "Dialog";
                          }
                      }),
                  GenerationOutcome::kInvalidRequest);
        ASSERT_EQ(host.shown.size(), 1u);
        EXPECT_EQ(host.shown[0].id,
                  first < std::size(checks) ? checks[first].second : IDS_NO_TEMPLATE_SELECTED);
    }
    EXPECT_EQ(dir.List(),
              "built.txt dlg_cpp.txt dlg_h.txt out plain_cpp.txt plain_h.txt template.tbl");
    EXPECT_EQ(dir.Read("out/.keep"), "");
}

TEST_F(GenerationCommandTest, BlanksCountAsGivenAndIdIsOnlyRequiredWhenDeclared) {
    EXPECT_EQ(Run("Plain",
                  [](GenerationRequest& r) {
                      r.basicClassName = "  ";
                      r.dialogResourceId = "";
                  }),
              GenerationOutcome::kWritten);
    EXPECT_TRUE(host.shown.empty());
    // Plain does not declare $$SNAME$$: a base class is still required, but not replaced.
    EXPECT_EQ(dir.Read("out/AboutDlg.h"), "class CAboutDlg : $$SNAME$$\r\n");
    EXPECT_EQ(dir.Read("out/AboutDlg.cpp"), "// AboutDlg.cpp\r\n");
}

TEST_F(GenerationCommandTest, WritesBothFilesWithOneGuid) {
    ASSERT_EQ(Run("Dialog"), GenerationOutcome::kWritten);
    EXPECT_TRUE(host.shown.empty());
    EXPECT_TRUE(host.asked.empty());
    EXPECT_EQ(headerPath, dir.File("out/AboutDlg.h"));
    std::string header = dir.Read("out/AboutDlg.h");
    ASSERT_EQ(header.rfind("class CAboutDlg : public CDialog // ", 0), 0u) << header;
    std::string guid = header.substr(header.size() - 38, 36);
    EXPECT_EQ(dir.Read("out/AboutDlg.cpp"),
              "#include \"AboutDlg.h\" // IDD_ABOUTBOX " + guid + "\r\n");
}

// A keyword may hold "+": one whose search backtracks without end gives up at the bound every
// search has, and the user is told which keyword of which template file, after the files.
TEST_F(GenerationCommandTest, ASearchThatGivesUpIsReportedAfterTheFiles) {
    const std::string hard = "$$X$$a+a+a+a+a+a+a+a+a+a+a+a+x";
    // Given up once, the keyword is not searched again in that file: a file of such lines
    // would otherwise take its bound for every line.
    std::string lines;
    for (int i = 0; i < 1000; ++i) {
        lines += "$$X$$" + std::string(64, 'a') + "b x $$DNAME$$\r\n";
    }
    dir.Write("hard_h.txt", lines);
    dir.Write("hard_cpp.txt", "// $$DNAME$$\r\n");
    dir.Write("hard.tbl", "[Template]\r\nHard = hard_h.txt, hard_cpp.txt\r\n[Hard]\r\n" + hard +
                              " = x, y\r\n$$DNAME$$ = d, x\r\n");
    table.SetFileName(dir.File("hard.tbl"));
    ASSERT_TRUE(table.Load());
    ASSERT_EQ(Run("Hard"), GenerationOutcome::kWritten);
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].id, IDS_SEARCH_GAVE_UP);
    EXPECT_THAT(host.shown[0].inserts, ElementsAre(hard + " [" + dir.File("hard_h.txt") + "]"));
    // The other keywords of the line are replaced all the same.
    std::string expected;
    for (int i = 0; i < 1000; ++i) {
        expected += "$$X$$" + std::string(64, 'a') + "b x CAboutDlg\r\n";
    }
    EXPECT_EQ(dir.Read("out/AboutDlg.h"), expected);
    EXPECT_EQ(dir.Read("out/AboutDlg.cpp"), "// CAboutDlg\r\n");
}

// The built-in keywords apply after the template's own, so a value may hold them; a template
// that declares one has only its own value.
TEST_F(GenerationCommandTest, BuiltInKeywordsFollowTheTemplatesOwn) {
    EXPECT_EQ(BuiltInKeywordValues({2026, 1, 5}, "u")[0].second, "2026/01/05");
    const auto v = BuiltInKeywordValues(platform::Today(), platform::AccountUserName());
    const std::string dateAndYear = v[0].second + " " + v[1].second + " ";
    ASSERT_EQ(Run("BuiltIn"), GenerationOutcome::kWritten);
    EXPECT_EQ(dir.Read("out/AboutDlg.h"),
              dateAndYear + v[2].second + " " + v[1].second + " " + v[2].second + "\r\n");
    ASSERT_EQ(Run("Own"), GenerationOutcome::kWritten);
    EXPECT_EQ(dir.Read("out/AboutDlg.cpp"), dateAndYear + "me ($$USER$$) me ($$USER$$)\r\n");
}

TEST_F(GenerationCommandTest, MissingTemplatesStopTheRun) {
    EXPECT_EQ(Run("dialog"), GenerationOutcome::kUnknownTemplate);  // exact case, nothing shown
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(Run("Ghost"), GenerationOutcome::kTemplateMissing);  // the header is named first
    EXPECT_EQ(host.shown.at(0).id, IDS_HEADER_TEMPLATE_MISSING);
    host.shown.clear();
    EXPECT_EQ(Run("HalfGhost"), GenerationOutcome::kTemplateMissing);
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].id, IDS_SOURCE_TEMPLATE_MISSING);
    EXPECT_THAT(host.shown[0].inserts, ElementsAre("none_cpp.txt"));
    EXPECT_FALSE(dir.Exists("out/AboutDlg.h"));
}

TEST_F(GenerationCommandTest, ExistingSourceAloneAsksNamingBothAndNoWritesNothing) {
    dir.Write("out/AboutDlg.cpp", "mine");
    host.answer = false;
    EXPECT_EQ(Run("Dialog"), GenerationOutcome::kDeclined);
    ASSERT_EQ(host.asked.size(), 1u);
    EXPECT_EQ(host.asked[0].id, IDS_CONFIRM_OVERWRITE);
    EXPECT_THAT(host.asked[0].inserts, ElementsAre(headerPath, sourcePath));
    EXPECT_TRUE(host.shown.empty());
    EXPECT_FALSE(dir.Exists("out/AboutDlg.h"));
    EXPECT_EQ(dir.Read("out/AboutDlg.cpp"), "mine");
}

// A failed write of the source names why, with its full path, and keeps the old source.
TEST_F(GenerationCommandTest, WriteFailuresAreReportedAndKeepTheOldSource) {
    dir.Write("out/AboutDlg.cpp", "read-only");
    ASSERT_EQ(::chmod(dir.File("out/AboutDlg.cpp").c_str(), 0444), 0);
    EXPECT_EQ(Run("Dialog"), GenerationOutcome::kSourceFailed);
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].detail,
              FormatString(IDS_WRITE_FAILED_READ_ONLY, {dir.File("out/AboutDlg.cpp")}));
    EXPECT_TRUE(dir.Exists("out/AboutDlg.h"));
    EXPECT_EQ(dir.Read("out/AboutDlg.cpp"), "read-only");
}

}  // namespace
}  // namespace tavrin
