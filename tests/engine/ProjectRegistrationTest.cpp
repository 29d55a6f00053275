#include "engine/ProjectRegistration.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/NativePath.h"
#include "support/TempDir.h"

namespace tavrin {
namespace {

using testing::ReadFixture;
using testing::TempDir;
using Status = ProjectRegistration::Status;

constexpr const char* kProject = "App.vcxproj";
constexpr const char* kFilters = "App.vcxproj.filters";

// `name` under `dir` as a code page 932 path; the folder itself is plain ASCII.
std::string PathIn(const TempDir& dir, std::string_view name) {
    return dir.Path() + "/" + std::string(name);
}

// The fixture's files copied into `dir`.
void CopyFixture(const TempDir& dir, std::string_view fixture, bool withFilters) {
    const std::string folder = "project/" + std::string(fixture) + "/";
    dir.Write(kProject, ReadFixture(folder + std::string(kProject)));
    if (withFilters) {
        dir.Write(kFilters, ReadFixture(folder + std::string(kFilters)));
    }
}

// Fixture bytes in, expected bytes out: each project as the IDE of its time writes it, the
// class added beside the project or in a sub-folder. "same" means the file must not change.
TEST(ProjectRegistration, AddsTheClassAsTheIdeWouldWriteIt) {
    const struct {
        const char* fixture;
        bool filters;
        std::string_view header;  // code page 932, relative to the project's folder
        std::string_view source;
        const char* projectExpected;  // nullptr: unchanged
        const char* filtersExpected;
        Status status;
    } cases[] = {
        {"vs2022-mfc", true, "SettingsDlg.h", "SettingsDlg.cpp", "App.vcxproj.expected",
         "App.vcxproj.filters.expected", Status::kAdded},
        {"vs2010-mixed", true, "src/SettingsDlg.h", "src/SettingsDlg.cpp", "App.vcxproj.expected",
         "App.vcxproj.filters.expected", Status::kAdded},
        // "ダイアログ\設定Dlg" in code page 932, in a UTF-16 project without filters.
        {"utf16", false,
         "\x83_\x83"
         "C\x83"
         "A\x83\x8D\x83O/\x90\xdd\x92\xe8"
         "Dlg.h",
         "\x83_\x83"
         "C\x83"
         "A\x83\x8D\x83O/\x90\xdd\x92\xe8"
         "Dlg.cpp",
         "App.vcxproj.expected", nullptr, Status::kAdded},
        {"empty", true, "SettingsDlg.h", "SettingsDlg.cpp", "App.vcxproj.expected",
         "App.vcxproj.filters.expected", Status::kAdded},
        {"tabs-lf", true, "settings_dlg.h", "settings_dlg.cpp", "App.vcxproj.expected",
         "App.vcxproj.filters.expected", Status::kAdded},
        {"already-there", true, "SettingsDlg.h", "SettingsDlg.cpp", nullptr,
         "App.vcxproj.filters.expected", Status::kAdded},
        {"already-there", false, "SettingsDlg.h", "SettingsDlg.cpp", nullptr, nullptr,
         Status::kAlreadyThere},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fixture) + (c.filters ? " with filters" : ""));
        TempDir dir;
        CopyFixture(dir, c.fixture, c.filters);
        CFileOutputWriter writer;
        ProjectRegistration result = RegisterClassFiles(
            PathIn(dir, kProject), PathIn(dir, c.header), PathIn(dir, c.source), writer);
        EXPECT_EQ(result.status, c.status) << result.file << " " << result.detail;
        const std::string folder = "project/" + std::string(c.fixture) + "/";
        EXPECT_EQ(dir.Read(kProject),
                  ReadFixture(folder + (c.projectExpected ? c.projectExpected : kProject)));
        if (c.filters) {
            EXPECT_EQ(dir.Read(kFilters),
                      ReadFixture(folder + (c.filtersExpected ? c.filtersExpected : kFilters)));
        }
        // A second run finds both files there and changes nothing.
        const std::string project = dir.Read(kProject);
        EXPECT_EQ(RegisterClassFiles(PathIn(dir, kProject), PathIn(dir, c.header),
                                     PathIn(dir, c.source), writer)
                      .status,
                  Status::kAlreadyThere);
        EXPECT_EQ(dir.Read(kProject), project);
    }
}

// What is not a project is refused and left as it was, whatever the filters file holds.
TEST(ProjectRegistration, RefusesWhatIsNoProjectAndTouchesNothing) {
    const std::string filters = ReadFixture("project/empty/App.vcxproj.filters");
    const struct {
        const char* name;
        std::string project;
        std::string filters;
        Status status;
        std::string_view failing;  // the file the result names
    } cases[] = {
        {"not well-formed", "<?xml version=\"1.0\"?>\r\n<Project><ItemGroup></Project>\r\n",
         filters, Status::kNotXml, kProject},
        {"two roots",
         "<Project xmlns=\"http://schemas.microsoft.com/developer/msbuild/2003\"/><Project/>",
         filters, Status::kNotXml, kProject},
        {"no namespace", "<Project><ItemGroup><ClInclude Include=\"a.h\" /></ItemGroup></Project>",
         filters, Status::kNotProject, kProject},
        {"another root",
         "<Solution xmlns=\"http://schemas.microsoft.com/developer/msbuild/2003\"></Solution>",
         filters, Status::kNotProject, kProject},
        {"empty file", "", filters, Status::kNotXml, kProject},
        {"declared in another encoding",
         "<?xml version=\"1.0\" encoding=\"shift_jis\"?>\r\n<Project "
         "xmlns=\"http://schemas.microsoft.com/developer/msbuild/2003\">\r\n</Project>\r\n",
         filters, Status::kBadEncoding, kProject},
        {"broken UTF-16", std::string("\xFF\xFE<\0\x3D\xD8", 6), filters, Status::kBadEncoding,
         kProject},
        {"filters not well-formed", ReadFixture("project/empty/App.vcxproj"), "<Project",
         Status::kNotXml, kFilters},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        dir.Write(kProject, c.project);
        dir.Write(kFilters, c.filters);
        CFileOutputWriter writer;
        ProjectRegistration result = RegisterClassFiles(PathIn(dir, kProject), PathIn(dir, "A.h"),
                                                        PathIn(dir, "A.cpp"), writer);
        EXPECT_EQ(result.status, c.status) << result.detail;
        EXPECT_EQ(result.file, PathIn(dir, c.failing));
        EXPECT_TRUE(result.written.empty());
        EXPECT_EQ(dir.Read(kProject), c.project);
        EXPECT_EQ(dir.Read(kFilters), c.filters);
    }
    TempDir dir;
    CFileOutputWriter writer;
    EXPECT_EQ(
        RegisterClassFiles(PathIn(dir, kProject), PathIn(dir, "A.h"), PathIn(dir, "A.cpp"), writer)
            .status,
        Status::kUnreadable);
}

// Writes files for real, except where told to fail.
class FailingWriter : public IOutputWriter {
public:
    bool Write(std::string_view path, std::string_view bytes) override {
        ++m_writes;
        if (path.ends_with(".filters") || (m_failRestore && m_writes > 2)) {
            return false;
        }
        return m_files.Write(path, bytes);
    }

    explicit FailingWriter(bool failRestore) : m_failRestore(failRestore) {}

private:
    CFileOutputWriter m_files;
    bool m_failRestore;
    int m_writes = 0;
};

// Both files change or neither: a filters file that cannot be written takes the project's
// change back, and where even that fails the result says the project alone changed.
TEST(ProjectRegistration, PutsTheProjectBackWhenTheFiltersCannotBeWritten) {
    for (bool failRestore : {false, true}) {
        SCOPED_TRACE(failRestore ? "the put-back fails too" : "the put-back works");
        TempDir dir;
        CopyFixture(dir, "vs2022-mfc", true);
        FailingWriter writer(failRestore);
        ProjectRegistration result =
            RegisterClassFiles(PathIn(dir, kProject), PathIn(dir, "SettingsDlg.h"),
                               PathIn(dir, "SettingsDlg.cpp"), writer);
        EXPECT_EQ(result.file, PathIn(dir, kFilters));
        EXPECT_EQ(dir.Read(kFilters), ReadFixture("project/vs2022-mfc/App.vcxproj.filters"));
        if (failRestore) {
            EXPECT_EQ(result.status, Status::kHalfWritten);
            EXPECT_EQ(result.written, std::vector<std::string>{PathIn(dir, kProject)});
            EXPECT_EQ(dir.Read(kProject), ReadFixture("project/vs2022-mfc/App.vcxproj.expected"));
        } else {
            EXPECT_EQ(result.status, Status::kWriteFailed);
            EXPECT_TRUE(result.written.empty());
            EXPECT_EQ(dir.Read(kProject), ReadFixture("project/vs2022-mfc/App.vcxproj"));
        }
    }
}

TEST(ProjectRegistration, NamesFilesRelativeToTheProjectsFolder) {
    const struct {
        std::string_view project;
        std::string_view file;
        std::string_view expected;
        bool windowsOnly;
    } cases[] = {
        {"proj/App.vcxproj", "proj/A.h", "A.h", false},
        {"proj/App.vcxproj", "proj/src/ui/A.h", "src\\ui\\A.h", false},
        {"proj/App.vcxproj", "other/A.h", "..\\other\\A.h", false},
        {"proj/sub/App.vcxproj", "proj/./x/../A.h", "..\\A.h", false},
        // "表" ends in the byte of "\": it must stay one character.
        {"proj/App.vcxproj", "proj/\x95\x5c/A.h", "\x95\x5c\\A.h", false},
        {"C:\\Work\\App\\App.vcxproj", "c:\\work\\app\\Src\\A.h", "Src\\A.h", true},
        {"C:\\Work\\App\\App.vcxproj", "D:\\Shared\\A.h", "D:\\Shared\\A.h", true},
    };
    for (const auto& c : cases) {
        if (c.windowsOnly && !platform::kPathsIgnoreCase) {
            continue;  // drive letters and case-blind names are Windows's alone
        }
        EXPECT_EQ(ProjectRelativePath(c.project, c.file).value_or("(none)"), c.expected) << c.file;
    }
}

}  // namespace
}  // namespace tavrin
