#include "engine/project/ProjectRegistration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "platform/Faults.h"
#include "platform/NativePath.h"
#include "support/TempDir.h"

namespace tavrin {
namespace {

using testing::ReadFixture;
using testing::TempDir;
using Status = ProjectRegistration::Status;
namespace fs = std::filesystem;

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

// One folder of fixtures/project: its "case" file names the project and the class's two files
// (UTF-8, relative to the fixture's folder) and the outcome, as "key value" lines.
struct FixtureCase {
    std::string project = kProject;
    std::string header;
    std::string source;
    std::string status;
    std::string detail;  // what the result's detail must contain
    std::string file;    // the file a refusal names, when not the project
};

void ReadCase(const std::string& folder, FixtureCase& c) {
    std::istringstream lines(ReadFixture(folder + "case"));
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t blank = line.find(' ');
        const std::string key = line.substr(0, blank);
        const std::string value = blank == std::string::npos ? "" : line.substr(blank + 1);
        std::string* field = key == "project"  ? &c.project
                             : key == "header" ? &c.header
                             : key == "source" ? &c.source
                             : key == "status" ? &c.status
                             : key == "detail" ? &c.detail
                             : key == "file"   ? &c.file
                                               : nullptr;
        ASSERT_NE(field, nullptr) << folder << "case: " << line;
        *field = value;
    }
}

std::string StatusName(Status status) {
    static const std::map<Status, std::string> kNames = {
        {Status::kAdded, "added"},          {Status::kAlreadyThere, "already-there"},
        {Status::kNotXml, "not-xml"},       {Status::kNotProject, "not-project"},
        {Status::kOldFormat, "old-format"}, {Status::kBadEncoding, "bad-encoding"},
        {Status::kNotUtf8, "not-utf8"},
    };
    auto found = kNames.find(status);
    return found == kNames.end() ? "other" : found->second;
}

// Every project of the fixtures, each shaped like a real project of its kind: its files are
// copied, the class is added, and each file must then equal its ".expected" twin, or be as it
// was where it has none. A project that took the class takes nothing on a second run.
TEST(ProjectRegistration, AddsTheClassAsTheIdeWouldWriteIt) {
    const fs::path root = testing::Utf8Path(TAVRIN_FIXTURES_DIR "/project");
    std::vector<std::string> fixtures;
    for (const fs::directory_entry& entry : fs::directory_iterator(root)) {
        fixtures.push_back(testing::Utf8Name(entry.path().filename()));
    }
    std::sort(fixtures.begin(), fixtures.end());
    ASSERT_GE(fixtures.size(), 25U);
    for (const std::string& fixture : fixtures) {
        SCOPED_TRACE(fixture);
        const std::string folder = "project/" + fixture + "/";
        FixtureCase c;
        ASSERT_NO_FATAL_FAILURE(ReadCase(folder, c));
        TempDir dir;
        std::vector<std::string> files;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / fixture)) {
            const std::string name =
                testing::Utf8Name(entry.path().lexically_relative(root / fixture));
            if (entry.is_regular_file() && name != "case" && !name.ends_with(".expected")) {
                files.push_back(name);
                dir.Write(name, ReadFixture(folder + name));
            }
        }
        CFileOutputWriter writer;
        auto run = [&] {
            return RegisterClassFiles(PathIn(dir, platform::Utf8ToCp932(c.project)),
                                      PathIn(dir, platform::Utf8ToCp932(c.header)),
                                      PathIn(dir, platform::Utf8ToCp932(c.source)), writer);
        };
        ProjectRegistration result = run();
        EXPECT_EQ(StatusName(result.status), c.status) << result.file << " " << result.detail;
        EXPECT_NE(result.detail.find(c.detail), std::string::npos) << result.detail;
        if (result.status != Status::kAdded && result.status != Status::kAlreadyThere) {
            EXPECT_EQ(result.file, PathIn(dir, c.file.empty() ? c.project : c.file));
            EXPECT_TRUE(result.written.empty());
        }
        std::map<std::string, std::string> after;
        for (const std::string& name : files) {
            const bool changes = fs::exists(root / fixture / testing::Utf8Path(name + ".expected"));
            after[name] = dir.Read(name);
            EXPECT_EQ(after[name], ReadFixture(folder + name + (changes ? ".expected" : "")))
                << name;
        }
        if (result.status == Status::kAdded || result.status == Status::kAlreadyThere) {
            EXPECT_EQ(StatusName(run().status), "already-there");
            for (const std::string& name : files) {
                EXPECT_EQ(dir.Read(name), after[name]) << name << " changed on the second run";
            }
        }
    }
}

// A project that is not there cannot be read.
TEST(ProjectRegistration, SaysWhenTheProjectCannotBeRead) {
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

// What another program saves into the project while it is being edited: set by a test, written
// from the hook that runs right before each file is put in place.
std::string g_otherPath;
std::string g_otherSave;
int g_otherSaves = 0;  // how many renames still see another save first

void SaveAsAnotherProgram() {
    if (g_otherSaves > 0) {
        --g_otherSaves;
        std::ofstream(testing::Utf8Path(g_otherPath), std::ios::binary) << g_otherSave;
        g_otherSave.insert(g_otherSave.rfind("</Project>"), "<!-- again -->");
    }
}

// A save by another program between our reading and our replacing is never overwritten: the
// class is added to what it saved; when it keeps saving, nothing of ours is written.
TEST(ProjectRegistration, KeepsWhatAnotherProgramSavedMeanwhile) {
    for (int saves : {1, 3}) {
        SCOPED_TRACE(saves);
        TempDir dir;
        CopyFixture(dir, "vs2022-mfc", true);
        g_otherPath = dir.File(kProject);
        g_otherSave = ReadFixture("project/vs2022-mfc/App.vcxproj");
        g_otherSave.insert(g_otherSave.rfind("</Project>"), "<!-- saved -->");
        g_otherSaves = saves;
        platform::faults::SetHook(platform::faults::Call::Rename, SaveAsAnotherProgram);
        CFileOutputWriter writer;
        ProjectRegistration result =
            RegisterClassFiles(PathIn(dir, kProject), PathIn(dir, "SettingsDlg.h"),
                               PathIn(dir, "SettingsDlg.cpp"), writer);
        platform::faults::Clear();
        const std::string project = dir.Read(kProject);
        EXPECT_NE(project.find("<!-- saved -->"), std::string::npos);
        EXPECT_EQ(dir.Read(kFilters),
                  ReadFixture(saves == 1 ? "project/vs2022-mfc/App.vcxproj.filters.expected"
                                         : "project/vs2022-mfc/App.vcxproj.filters"));
        if (saves == 1) {
            EXPECT_EQ(result.status, Status::kAdded);
            EXPECT_NE(project.find("SettingsDlg.h"), std::string::npos);
        } else {
            EXPECT_EQ(result.status, Status::kChangedMeanwhile);
            EXPECT_EQ(project.find("SettingsDlg.h"), std::string::npos);
        }
    }
}

#ifndef _WIN32
int g_renames = 0;
void TerminateAtTheSecondRename() {
    if (++g_renames == 2) {
        std::raise(SIGTERM);
    }
}
#endif

// A request to terminate between the two writes waits until both files are in place.
TEST(ProjectRegistration, InterruptWaitsForBothFiles) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX signals; the console's events take their place on Windows";
#else
    GTEST_FLAG_SET(death_test_style, "fast");
    TempDir dir;
    CopyFixture(dir, "vs2022-mfc", true);
    EXPECT_EXIT(
        {
            platform::RemoveTemporaryFilesOnInterrupt();
            platform::faults::SetHook(platform::faults::Call::Rename, TerminateAtTheSecondRename);
            CFileOutputWriter writer;
            RegisterClassFiles(PathIn(dir, kProject), PathIn(dir, "SettingsDlg.h"),
                               PathIn(dir, "SettingsDlg.cpp"), writer);
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(143), "");
    EXPECT_EQ(dir.Read(kProject), ReadFixture("project/vs2022-mfc/App.vcxproj.expected"));
    EXPECT_EQ(dir.Read(kFilters), ReadFixture("project/vs2022-mfc/App.vcxproj.filters.expected"));
#endif
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
