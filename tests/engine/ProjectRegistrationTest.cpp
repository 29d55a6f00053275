#include "engine/project/ProjectRegistration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/project/ProjectXml.h"
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

// `name` (UTF-8) under `dir` as a code page 932 path; the folder itself is plain ASCII.
std::string PathIn(const TempDir& dir, std::string_view name) {
    return dir.Path() + "/" + platform::Utf8ToCp932(name);
}

// As the cases name the statuses, in their order of declaration.
std::string StatusName(Status status) {
    static const char* const kNames[] = {
        "added",        "already-there", "unreadable", "not-xml",          "not-project",
        "bad-encoding", "not-utf8",      "old-format", "too-large",        "bad-path",
        "write-failed", "half-written",  "same-file",  "changed-meanwhile"};
    const auto index = static_cast<std::size_t>(status);
    return index < std::size(kNames) ? kNames[index] : "other";
}

// What happens right before the n-th file is put in place, as the case says: another program
// saves the project (adding a comment each time), the user asks the program to terminate, or
// putting the file in place fails (" n " is in `failing`).
struct {
    const TempDir* dir = nullptr;
    std::string project;
    int saves = 0;
    int interruptAt = 0;
    std::string failing;
    int renames = 0;
} g_meanwhile;

void BeforeRename() {
    const int rename = ++g_meanwhile.renames;
    if (rename == g_meanwhile.interruptAt) {
        std::raise(SIGTERM);
    }
    if (g_meanwhile.failing.find(" " + std::to_string(rename) + " ") != std::string::npos) {
        platform::faults::Arm(platform::faults::Call::Rename);
    }
    if (g_meanwhile.saves > 0) {
        --g_meanwhile.saves;
        std::string saved = g_meanwhile.dir->Read(g_meanwhile.project);
        saved.insert(saved.rfind("</Project>"), "<!-- saved -->");
        g_meanwhile.dir->Write(g_meanwhile.project, saved);
    }
}

// Every folder of fixtures/project is one case, read as the README there says.
TEST(ProjectRegistration, AddsTheClassAsTheIdeWouldWriteIt) {
    const fs::path root = testing::Utf8Path(TAVRIN_FIXTURES_DIR "/project");
    std::vector<std::string> fixtures;
    for (const fs::directory_entry& entry : fs::directory_iterator(root)) {
        if (entry.is_directory()) {
            fixtures.push_back(testing::Utf8Name(entry.path().filename()));
        }
    }
    ASSERT_GE(fixtures.size(), 60U);
    for (const std::string& fixture : fixtures) {
        SCOPED_TRACE(fixture);
        const std::string folder = "project/" + fixture + "/";
        std::map<std::string, std::string> c = {{"project", "App.vcxproj"}};
        for (const std::vector<std::string>& line : testing::ReadCases(folder + "case")) {
            c[line[0]] = line.size() > 1 ? line[1] : "";
        }
        TempDir dir;
        std::map<std::string, std::string> expected;  // each file's name, or its twin's
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / fixture)) {
            std::string name = testing::Utf8Name(entry.path().lexically_relative(root / fixture));
            std::replace(name.begin(), name.end(), '\\', '/');  // as the case names files
            if (entry.is_regular_file() && name != "case" && !name.ends_with(".expected")) {
                dir.Write(name, ReadFixture(folder + name));
                fs::path twin = entry.path();
                expected[name] = fs::exists(twin += ".expected") ? name + ".expected" : name;
            }
        }
        std::vector<std::string> changing;
        for (const auto& [name, twin] : expected) {
            if (twin != name && !c.contains("written")) {
                changing.push_back(PathIn(dir, name));
            }
        }
        std::istringstream written(c["written"]);
        for (std::string name; written >> name;) {
            changing.push_back(PathIn(dir, name));
        }
        CFileOutputWriter writer;
        auto run = [&] {
            return RegisterClassFiles(PathIn(dir, c["project"]), PathIn(dir, c["header"]),
                                      PathIn(dir, c["source"]), writer);
        };
        auto check = [&] {
            for (const auto& [name, twin] : expected) {
                EXPECT_EQ(dir.Read(name), ReadFixture(folder + twin)) << name;
            }
        };
        g_meanwhile = {&dir, c["project"], std::atoi(c["saved-meanwhile"].c_str()),
                       std::atoi(c["interrupt-at-rename"].c_str()), " " + c["fail-writes"] + " "};
        platform::faults::SetHook(platform::faults::Call::Rename, BeforeRename);
        if (g_meanwhile.interruptAt > 0) {
#ifndef _WIN32
            EXPECT_EXIT(
                {
                    platform::RemoveTemporaryFilesOnInterrupt();
                    run();
                    std::_Exit(0);
                },
                ::testing::ExitedWithCode(128 + SIGTERM), "");
            check();
#endif
            platform::faults::Clear();
            continue;
        }
        const ProjectRegistration result = run();
        platform::faults::Clear();
        EXPECT_EQ(StatusName(result.status), c["status"]) << result.file << " " << result.detail;
        EXPECT_NE(result.detail.find(c["detail"]), std::string::npos) << result.detail;
        EXPECT_EQ(result.written, changing);
        const bool took = result.status == Status::kAdded || result.status == Status::kAlreadyThere;
        EXPECT_TRUE(took ||
                    result.file == PathIn(dir, c.contains("file") ? c["file"] : c["project"]))
            << result.file;
        check();
        if (took) {
            EXPECT_EQ(StatusName(run().status), "already-there");
            check();
        }
    }
}

// The cases are in the fixture; drive letters and case-blind names are Windows's alone.
TEST(ProjectRegistration, NamesFilesRelativeToTheProjectsFolder) {
    for (const std::vector<std::string>& c : testing::ReadCases("names/project-relative.txt")) {
        if (c.size() < 4 || platform::kPathsIgnoreCase) {
            EXPECT_EQ(ProjectRelativePath(c[0], c[1]).value_or("(none)"), c[2]) << c[1];
        }
    }
}

TEST(ProjectXml, ShowsProjectTextInCodePage932) {
    EXPECT_EQ(ProjectTextForDisplay("\xE8\xA1\xA8"), "\x95\x5c");              // UTF-8, no mark
    EXPECT_EQ(ProjectTextForDisplay("\xEF\xBB\xBF\xE8\xA1\xA8"), "\x95\x5c");  // with its mark
    EXPECT_EQ(ProjectTextForDisplay(std::string("\xFF\xFE\x68\x88", 4)), "\x95\x5c");
}

}  // namespace
}  // namespace tavrin
