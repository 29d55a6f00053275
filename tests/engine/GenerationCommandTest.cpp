#include "engine/GenerationCommand.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>

#include "engine/BuiltInKeywords.h"
#include "platform/FileStatus.h"
#include "support/TempDir.h"

namespace tavrin {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::vector<std::string>>;

// Records what the command shows and asks: "shown" or "asked", the message's number and its
// inserts, then "detail" and the detail when there is one. Answers the question as told.
class RecordingHost : public IGenerationHost {
public:
    bool FileExists(std::string_view path) override { return platform::PathExists(path); }
    void ShowMessage(const Message& message) override { Record("shown", message); }
    bool AskOverwrite(const Message& question) override {
        Record("asked", question);
        return answer;
    }
    void Record(const char* kind, const Message& message) {
        events.push_back({kind, std::to_string(message.id)});
        events.back().insert(events.back().end(), message.inserts.begin(), message.inserts.end());
        if (!message.detail.empty()) {
            events.push_back({"detail", message.detail});
        }
    }

    bool answer = true;
    Lines events;
};

// Each case of fixtures/command/cases.txt, whose head says how a case reads, runs the command
// once in a copy of templates/ there.
TEST(GenerationCommand, RunsEveryCaseOfTheTable) {
    static const std::map<std::string, int> kIds = {
#define TAVRIN_STRING(id, name, text) {#name, id},
#include "res/strings.inc"
#undef TAVRIN_STRING
    };
    EXPECT_EQ(BuiltInKeywordValues({2026, 1, 5}, "u")[0].second, "2026/01/05");
    static const char* const kOutcomes[] = {"written",          "invalid",  "unknown-template",
                                            "template-missing", "declined", "header-failed",
                                            "source-failed"};
    std::vector<Lines> cases;
    for (std::vector<std::string>& line : testing::ReadCases("command/cases.txt")) {
        if (line[0] == "case") {
            cases.emplace_back();
        }
        cases.back().push_back(std::move(line));
    }
    ASSERT_GE(cases.size(), 14u);
    for (const Lines& lines : cases) {
        SCOPED_TRACE(lines[0].at(1));
        testing::TempDir dir;
        const fs::path root = testing::Utf8Path(dir.Path());
        fs::copy(testing::Utf8Path(TAVRIN_FIXTURES_DIR "/command/templates"), root,
                 fs::copy_options::recursive);
        fs::create_directory(root / "out");
        std::set<std::string> guids;
        const auto files = [&] {
            static const std::regex guid("[0-9A-F]{8}(_[0-9A-F]{4}){3}_[0-9A-F]{12}");
            std::map<std::string, std::string> found;
            for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
                if (entry.is_regular_file()) {
                    const std::string name = entry.path().lexically_relative(root).generic_string();
                    const std::string file = dir.Read(name);
                    guids.insert(std::sregex_token_iterator(file.begin(), file.end(), guid), {});
                    found[name] = testing::MaskGuids(file);
                }
            }
            return found;
        };
        const auto bytes = [](const std::vector<std::string>& line) {
            std::string repeated;
            for (int i = line.size() > 3 ? std::stoi(line[3]) : 1; i > 0; --i) {
                repeated += line.at(2);
            }
            return repeated;
        };
        CTemplateTable table;
        table.SetFileName(dir.File("template.tbl"));
        ASSERT_TRUE(table.Load());
        GenerationRequest request;
        RecordingHost host;
        std::string outcome;
        Lines events;
        std::map<std::string, std::string> expected = files();  // the folder afterwards
        for (const std::vector<std::string>& line : lines) {
            const std::string& what = line[0];
            if (what == "request") {
                request = {line.at(1), line.at(2),      line.at(3), line.at(4),
                           line.at(5), dir.File("out"), line.at(6)};
                if (line[1] == "(none)") {
                    request.templateName.reset();
                }
            } else if (what == "file" || what == "expect") {
                expected[line.at(1)] = testing::MaskGuids(bytes(line));
                if (what == "file") {
                    dir.Write(line[1], bytes(line));
                }
            } else if (what == "readonly") {
                ASSERT_EQ(::chmod(dir.File(line.at(1)).c_str(), 0444), 0);
            } else if (what == "answer") {
                host.answer = line.at(1) != "no";
            } else if (what == "outcome") {
                outcome = line.at(1);
            } else if (what == "shown" || what == "asked" || what == "detail") {
                std::vector<std::string> fields(line.begin() + 2, line.end());
                for (std::string& field : fields) {
                    const std::size_t at = field.find("{dir}/");
                    field = at == field.npos ? field
                                             : field.substr(0, at) + dir.File(field.substr(at + 6));
                }
                const int id = kIds.at(line.at(1));
                const std::vector<std::string_view> inserts(fields.begin(), fields.end());
                events.push_back(
                    {what, what == "detail" ? FormatString(id, inserts) : std::to_string(id)});
                if (what != "detail") {
                    events.back().insert(events.back().end(), fields.begin(), fields.end());
                }
            }
        }
        CGenerationCommand command(table, host);
        EXPECT_EQ(kOutcomes[static_cast<int>(command.OnGenerate(request))], outcome);
        EXPECT_EQ(host.events, events);
        EXPECT_EQ(files(), expected);
        EXPECT_LE(guids.size(), 1u);
    }
}

}  // namespace
}  // namespace tavrin
