// tavrin-cli run as the real program, with standard input from the null device (no terminal),
// on the case folders under fixtures/cli/cases. A case folder holds:
//   case    one directive a line, fields separated by tabs (comments say what the case guards):
//           run ARG...       the arguments; "{dir}" stands for the work folder
//           status N         the exit status expected (0 when not given)
//           only posix|windows
//           copy SRC [DEST]  a fixture (file or folder, under fixtures/) into the work folder
//           expect PATH SRC  the work folder's PATH must afterwards equal the fixture SRC
//           mkdir, readonly, fifo PATH; symlink TARGET PATH   made before the run, in order
//           env NAME VALUE   set for the run (LC_ALL is C.UTF-8 and LANGUAGE en unless set)
//           user-language ja|en   LANGUAGE unset: the user's language decides (on Windows,
//                            where the environment cannot change it, the case runs for one)
//           cwd PATH         run there, not in the work folder
//           stdout-to / stderr-to PATH   the stream goes there and is not compared
//           unchecked PATH   files under PATH are not compared
//   in/     files copied into the work folder after the fixtures
//   stdout, stderr   what the program prints (UTF-8; missing means nothing), with "{dir}",
//           "{/}" (the system's separator) and "{version}"; a ".windows" variant wins there
//   out/    files the run writes or changes; every other file must stay as it was.
// GUIDs and dates are masked. TAVRIN_UPDATE_CASES=1 writes what the program did into the
// case's stdout, stderr and out/, for review before committing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <list>
#include <map>
#include <optional>

#include "platform/UserLanguage.h"
#include "support/Process.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace tavrin::cli {
namespace {

namespace fs = std::filesystem;
using testing::Utf8Name;
using testing::Utf8Path;
using Files = std::map<std::string, std::string>;  // relative UTF-8 path -> bytes

const fs::path kCases = Utf8Path(TAVRIN_FIXTURES_DIR "/cli/cases");

constexpr bool kWindows = fs::path::preferred_separator == L'\\';

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Replace(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); !from.empty() && at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// GUIDs and dates masked; UTF-16 is compared without its zero bytes, so that the masks fit.
std::string Masked(std::string bytes) {
    if (bytes.size() >= 2 && (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))) {
        bytes.erase(std::remove(bytes.begin() + 2, bytes.end(), '\0'), bytes.end());
    }
    return testing::MaskGuids(bytes);
}

// The regular files under `root`; links and other special files are not followed.
Files Snapshot(const fs::path& root, const std::vector<std::string>& unchecked) {
    Files files;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        const std::string name = Utf8Name(it->path().lexically_relative(root).generic_u8string());
        const bool skipped = std::any_of(unchecked.begin(), unchecked.end(),
                                         [&](auto& prefix) { return name.starts_with(prefix); });
        if (!skipped && it->symlink_status().type() == fs::file_type::regular) {
            files[name] = testing::ReadBytes(it->path()).value_or("");
        }
    }
    return files;
}

Files FilesUnder(const fs::path& root) {
    return fs::is_directory(root) ? Snapshot(root, {}) : Files{};
}

// Variables set for one run, the last set put back first, so that each one's value before the
// run comes back however the test ends.
struct Environment {
    std::list<testing::ScopedEnv> set;
    void Set(std::string name, std::optional<std::string> value) {
        set.emplace_back(std::move(name), std::move(value));
    }
    void Restore() {
        while (!set.empty()) {
            set.pop_back();
        }
    }
    ~Environment() { Restore(); }
};

class CliCase : public ::testing::TestWithParam<std::string> {};

TEST_P(CliCase, PrintsAndWritesWhatItsFolderSays) {
    const fs::path folder = kCases / GetParam();
    const bool update = std::getenv("TAVRIN_UPDATE_CASES") != nullptr;
    testing::TempDir work;
    const fs::path root = fs::canonical(Utf8Path(work.Path()));
    const std::string dir = Utf8Name(root);
    std::vector<std::string> arguments;
    std::vector<std::string> unchecked;
    // English unless a case asks for another language; LANG alone decides when LC_ALL is empty.
    Environment environment;
    environment.Set("LC_ALL", "C.UTF-8");
    environment.Set("LANGUAGE", "en");
    std::map<std::string, std::string> option;  // status, cwd, stdout-to, stderr-to
    Files expected;
    for (const std::vector<std::string>& line :
         testing::ReadCases("cli/cases/" + GetParam() + "/case")) {
        const std::string& directive = line[0];
        const auto at = [&](std::size_t i) { return root / Utf8Path(line.at(i)); };
        if (directive == "run") {
            for (std::size_t i = 1; i < line.size(); ++i) {
                arguments.push_back(Replace(line[i], "{dir}", dir));
            }
        } else if (directive == "only" && line.at(1) != (kWindows ? "windows" : "posix")) {
            GTEST_SKIP() << "runs on " << line[1] << " only";
        } else if (directive == "user-language") {
            // Wine gives every process the locale the test run started with.
            const bool japanese = (platform::UserDefaultLanguageId() & 0x3FF) == 0x11;
            if (kWindows && japanese != (line.at(1) == "ja")) {
                GTEST_SKIP() << "for a user whose language is " << line[1];
            }
            environment.Set("LANGUAGE", std::nullopt);
        } else if (directive == "copy") {
            fs::path target = line.size() > 2 ? at(2) : root;
            fs::create_directories(fs::is_directory(Utf8Path(TAVRIN_FIXTURES_DIR "/" + line[1]))
                                       ? target
                                       : target.parent_path());
            fs::copy(Utf8Path(TAVRIN_FIXTURES_DIR "/" + line[1]), target,
                     fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        } else if (directive == "expect") {
            expected[line.at(1)] = testing::ReadFixture(line.at(2));
        } else if (directive == "env") {
            environment.Set(line.at(1), Replace(line.at(2), "{dir}", dir));
        } else if (directive == "unchecked") {
            unchecked.push_back(line.at(1));
        } else if (directive == "status" || directive == "cwd" || directive == "stdout-to" ||
                   directive == "stderr-to") {
            option[directive] = line.at(1);
        }
    }
    if (fs::is_directory(folder / "in")) {
        fs::copy(folder / "in", root,
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    for (const std::vector<std::string>& line :
         testing::ReadCases("cli/cases/" + GetParam() + "/case")) {
        const fs::path path = root / Utf8Path(line.back());
        if (line[0] == "mkdir") {
            fs::create_directories(path);
        } else if (line[0] == "readonly") {
            fs::permissions(
                path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                fs::perm_options::remove);
        } else if (line[0] == "symlink") {
            fs::remove(path);
            fs::create_symlink(Utf8Path(line.at(1)), path);
#ifndef _WIN32
        } else if (line[0] == "fifo") {
            fs::remove(path);
            ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
#endif
        }
    }
    Files before = Snapshot(root, unchecked);
    const std::string cwd = option.contains("cwd")
                                ? Utf8Name((root / Utf8Path(option["cwd"])).lexically_normal())
                                : dir;
    testing::ProgramRun run = testing::RunProgram(TAVRIN_CLI_PATH, arguments, cwd,
                                                  option["stdout-to"], option["stderr-to"]);
    environment.Restore();

    const auto shown = [&](std::string text) {
        return Replace(Replace(Replace(std::move(text), "{dir}", dir), "{/}",
                               std::string(1, kWindows ? '\\' : '/')),
                       "{version}", TAVRIN_VERSION);
    };
    EXPECT_EQ(run.status, std::stoi(option.contains("status") ? option["status"] : "0"));
    for (const auto& [stream, printed] :
         {std::pair{"stdout", &run.out}, std::pair{"stderr", &run.err}}) {
        const fs::path own = folder / (std::string(stream) + (kWindows ? ".windows" : ""));
        const fs::path file = fs::exists(own) ? own : folder / stream;
        if (update && file == folder / stream &&
            (*printed != shown(testing::ReadBytes(file).value_or("")))) {
            WriteFile(file, Replace(*printed, dir, "{dir}"));
        }
        EXPECT_EQ(Masked(*printed), Masked(shown(testing::ReadBytes(file).value_or("")))) << stream;
    }

    for (auto& [name, bytes] : FilesUnder(folder / "out")) {
        expected[name] = bytes;
    }
    Files after = Snapshot(root, unchecked);
    for (auto& [name, bytes] : expected) {
        before[name] = bytes;
    }
    for (auto& [name, bytes] : after) {
        if (update && (!before.contains(name) || Masked(before[name]) != Masked(bytes))) {
            WriteFile(folder / "out" / Utf8Path(name), testing::MaskGuids(bytes));
        }
        EXPECT_TRUE(before.contains(name)) << name << " was written";
        EXPECT_EQ(Masked(before[name]), Masked(bytes)) << name;
    }
    for (auto& [name, bytes] : before) {
        EXPECT_TRUE(after.contains(name)) << name << " is gone";
    }
}

std::vector<std::string> CaseNames() {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(kCases)) {
        names.push_back(Utf8Name(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Cases, CliCase, ::testing::ValuesIn(CaseNames()),
                         [](const auto& info) { return Replace(info.param, "-", "_"); });

}  // namespace
}  // namespace tavrin::cli
