#include "engine/GenerationCommand.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/FileStatus.h"
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

    std::vector<int> ShownIds() const {
        std::vector<int> ids;
        for (const Message& m : shown) {
            ids.push_back(m.id);
        }
        return ids;
    }

    bool answer = true;
    std::vector<Message> shown;
    std::vector<Message> asked;
};

// A table with a dialog template (declares $$DDID$$), a plain one without $$SNAME$$, and
// one whose files do not exist.
class GenerationCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write("tpl/dlg_h.txt", "class $$DNAME$$ : public $$SNAME$$ // $$GUID()$$\r\n");
        dir.Write("tpl/dlg_cpp.txt", "#include \"$$HFILE$$\" // $$DDID$$ $$GUID()$$\r\n");
        dir.Write("tpl/plain_h.txt", "class $$DNAME$$ : $$SNAME$$\r\n");
        dir.Write("tpl/plain_cpp.txt", "// $$CPPFILE$$\r\n");
        std::string t = dir.Path() + "/tpl/";
        dir.Write("template.tbl",
                  "[Template]\r\n"
                  "Dialog = " +
                      t + "dlg_h.txt, " + t +
                      "dlg_cpp.txt\r\n"
                      "Plain = " +
                      t + "plain_h.txt, " + t +
                      "plain_cpp.txt\r\n"
                      "Ghost = " +
                      t + "none_h.txt, " + t +
                      "none_cpp.txt\r\n"
                      "HalfGhost = " +
                      t + "plain_h.txt, " + t +
                      "none_cpp.txt\r\n"
                      "[Dialog]\r\n$$SNAME$$ = base, CDialog\r\n$$DNAME$$ = derived, CMyDlg\r\n"
                      "$$HFILE$$ = h, MyDlg.h\r\n$$DDID$$ = id, IDD_MY\r\n"
                      "[Plain]\r\n$$DNAME$$ = derived, CThing\r\n$$CPPFILE$$ = c, x.cpp\r\n"
                      "[Ghost]\r\n$$DNAME$$ = d, x\r\n[HalfGhost]\r\n$$DNAME$$ = d, x\r\n");
        table.SetFileName(dir.File("template.tbl"));
        ASSERT_TRUE(table.Load());
        dir.Write("out/.keep", "");
    }

    GenerationRequest Request(const char* templateName) const {
        GenerationRequest r;
        r.templateName = templateName;
        r.basicClassName = "CDialog";
        r.derivedClassName = "CAboutDlg";
        r.headerFileName = "AboutDlg.h";
        r.sourceFileName = "AboutDlg.cpp";
        r.outputFolder = dir.File("out");
        r.dialogResourceId = "IDD_ABOUTBOX";
        return r;
    }

    GenerationOutcome Run(const GenerationRequest& request) {
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

TEST_F(GenerationCommandTest, OnlyTheFirstFailedCheckIsShown) {
    struct Case {
        const char* name;
        void (*change)(GenerationRequest&);
        int expected;
    };
    const Case cases[] = {
        {"nothing at all", [](GenerationRequest& r) { r = GenerationRequest{}; },
         IDS_NO_TEMPLATE_SELECTED},
        {"no base, no derived",
         [](GenerationRequest& r) { r.basicClassName = r.derivedClassName = ""; },
         IDS_NO_BASIC_CLASS_NAME},
        {"no derived", [](GenerationRequest& r) { r.derivedClassName = ""; },
         IDS_NO_DERIVED_CLASS_NAME},
        {"no header, no source, no id",
         [](GenerationRequest& r) {
             r.headerFileName = r.sourceFileName = r.dialogResourceId = "";
         },
         IDS_NO_HEADER_FILE_NAME},
        {"no source, no id",
         [](GenerationRequest& r) { r.sourceFileName = r.dialogResourceId = ""; },
         IDS_NO_SOURCE_FILE_NAME},
        {"no id, last", [](GenerationRequest& r) { r.dialogResourceId = ""; },
         IDS_NO_DIALOG_RESOURCE_ID},
    };
    for (const Case& c : cases) {
        host.shown.clear();
        GenerationRequest request = Request("Dialog");
        c.change(request);
        EXPECT_EQ(Run(request), GenerationOutcome::kInvalidRequest) << c.name;
        EXPECT_THAT(host.ShownIds(), ElementsAre(c.expected)) << c.name;
    }
    EXPECT_EQ(dir.List(), "out template.tbl tpl");
    EXPECT_EQ(std::string(), dir.Read("out/.keep"));
}

TEST_F(GenerationCommandTest, BlanksCountAsGivenAndIdIsOnlyRequiredWhenDeclared) {
    GenerationRequest request = Request("Plain");
    request.basicClassName = "  ";
    request.dialogResourceId = "";
    EXPECT_EQ(Run(request), GenerationOutcome::kWritten);
    EXPECT_TRUE(host.shown.empty());
    // Plain does not declare $$SNAME$$: a base class is still required, but not replaced.
    EXPECT_EQ(dir.Read("out/AboutDlg.h"), "class CAboutDlg : $$SNAME$$\r\n");
    EXPECT_EQ(dir.Read("out/AboutDlg.cpp"), "// AboutDlg.cpp\r\n");
}

TEST_F(GenerationCommandTest, WritesBothFilesWithOneGuidPerRun) {
    ASSERT_EQ(Run(Request("Dialog")), GenerationOutcome::kWritten);
    EXPECT_TRUE(host.shown.empty());
    EXPECT_TRUE(host.asked.empty());
    EXPECT_EQ(headerPath, dir.Path() + "/out/AboutDlg.h");
    std::string header = dir.Read("out/AboutDlg.h");
    std::string source = dir.Read("out/AboutDlg.cpp");
    ASSERT_EQ(header.rfind("class CAboutDlg : public CDialog // ", 0), 0u) << header;
    std::string guid = header.substr(header.size() - 38, 36);
    EXPECT_EQ(source, "#include \"AboutDlg.h\" // IDD_ABOUTBOX " + guid + "\r\n");

    ASSERT_EQ(Run(Request("Dialog")), GenerationOutcome::kWritten);  // answers Yes
    EXPECT_EQ(host.asked.size(), 1u);
    EXPECT_EQ(dir.Read("out/AboutDlg.cpp").find(guid), std::string::npos);
}

TEST_F(GenerationCommandTest, UnknownTemplateStopsSilently) {
    EXPECT_EQ(Run(Request("dialog")), GenerationOutcome::kUnknownTemplate);  // exact case
    EXPECT_TRUE(host.shown.empty());
}

TEST_F(GenerationCommandTest, MissingTemplateFilesAreReportedHeaderFirst) {
    EXPECT_EQ(Run(Request("Ghost")), GenerationOutcome::kTemplateMissing);
    ASSERT_THAT(host.ShownIds(), ElementsAre(IDS_HEADER_TEMPLATE_MISSING));
    EXPECT_THAT(host.shown[0].inserts, ElementsAre(dir.Path() + "/tpl/none_h.txt"));
    host.shown.clear();
    EXPECT_EQ(Run(Request("HalfGhost")), GenerationOutcome::kTemplateMissing);
    EXPECT_THAT(host.ShownIds(), ElementsAre(IDS_SOURCE_TEMPLATE_MISSING));
    EXPECT_EQ(dir.List(), "out template.tbl tpl");
}

TEST_F(GenerationCommandTest, ExistingSourceAloneAsksNamingBothAndNoWritesNothing) {
    dir.Write("out/AboutDlg.cpp", "mine");
    host.answer = false;
    EXPECT_EQ(Run(Request("Dialog")), GenerationOutcome::kDeclined);
    ASSERT_EQ(host.asked.size(), 1u);
    EXPECT_EQ(host.asked[0].id, IDS_CONFIRM_OVERWRITE);
    EXPECT_THAT(host.asked[0].inserts, ElementsAre(headerPath, sourcePath));
    EXPECT_TRUE(host.shown.empty());
    EXPECT_FALSE(dir.Exists("out/AboutDlg.h"));
    EXPECT_EQ(dir.Read("out/AboutDlg.cpp"), "mine");
}

TEST_F(GenerationCommandTest, MissingOutputFolderFailsOnTheHeader) {
    GenerationRequest request = Request("Dialog");
    request.outputFolder = dir.File("nowhere");
    EXPECT_EQ(Run(request), GenerationOutcome::kHeaderFailed);
    ASSERT_THAT(host.ShownIds(), ElementsAre(IDS_HEADER_GENERATION_FAILED));
    EXPECT_THAT(host.shown[0].inserts, ElementsAre("AboutDlg.h"));  // the name, not the path
    EXPECT_FALSE(dir.Exists("nowhere"));
}

TEST_F(GenerationCommandTest, ReadOnlySourceKeepsItsContentAfterTheHeaderIsWritten) {
    dir.Write("out/AboutDlg.cpp", "read-only");
    ASSERT_EQ(::chmod(dir.File("out/AboutDlg.cpp").c_str(), 0444), 0);
    EXPECT_EQ(Run(Request("Dialog")), GenerationOutcome::kSourceFailed);
    EXPECT_THAT(host.ShownIds(), ElementsAre(IDS_SOURCE_GENERATION_FAILED));
    EXPECT_THAT(host.shown[0].inserts, ElementsAre("AboutDlg.cpp"));
    EXPECT_TRUE(dir.Exists("out/AboutDlg.h"));
    EXPECT_EQ(dir.Read("out/AboutDlg.cpp"), "read-only");
}

TEST(JoinPath, OneSeparatorBetweenFolderAndName) {
    struct Case {
        std::string_view folder, name, expected;
    };
    const Case cases[] = {
        {"out", "a.h", "out/a.h"},
        {"out/", "a.h", "out/a.h"},
        {"C:\\out\\", "a.h", "C:\\out\\a.h"},
        {"", "a.h", "a.h"},
        {"out", "", "out/"},
        {"", "", ""},
        // Ends in the double-byte character 0x95 0x5C, not in a backslash.
        {"\x95\x5c", "a.h", "\x95\x5c/a.h"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CGenerationCommand::JoinPath(c.folder, c.name), c.expected) << c.folder;
    }
}

TEST(Message, TextFillsTheInserts) {
    Message m{IDS_HEADER_GENERATION_FAILED, {"A.h"}};
    EXPECT_EQ(m.Text(), FormatString(IDS_HEADER_GENERATION_FAILED, {"A.h"}));
    EXPECT_NE(m.Text().find("[A.h]"), std::string::npos);
}

}  // namespace
}  // namespace tavrin
