#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/GenerationCommand.h"
#include "engine/TemplateTable.h"
#include "engine/project/ProjectRegistration.h"

// Generating a class as both front ends offer it: the header and source written by the
// generation command, then, when a project is named, added to that project and its filters
// file; or all of it previewed, writing nothing. Every outcome comes back as data and message
// IDs, for the dialog to show and tavrin-cli to print.
namespace tavrin {

// What generating would do to one file.
struct PreviewEntry {
    enum class Change { kCreate, kReplace, kSame };
    std::string path;
    Change change = Change::kCreate;
    bool projectFile = false;  // the project or its filters, rather than a class file
    std::string diff;          // a unified diff (code page 932) of a file that would change
};

struct GenerationReport {
    GenerationOutcome outcome = GenerationOutcome::kInvalidRequest;
    // True when the named project cannot take the class: then nothing was written, and
    // `project` says why.
    bool projectRefused = false;
    std::string headerPath;
    std::string sourcePath;
    // Present when a project was named and the class files were written (or would be).
    std::optional<ProjectRegistration> project;
    // A preview's files, the class files first, in the order a real run writes them.
    std::vector<PreviewEntry> preview;

    bool Written() const { return outcome == GenerationOutcome::kWritten; }
    // True when the project step went wrong after the class files were written.
    bool ProjectFailed() const;
};

class CClassGenerator {
public:
    CClassGenerator(const CTemplateTable& table, IGenerationHost& host)
        : m_table(table), m_host(host) {}

    // Called once the class files are written, before the project step begins.
    using WrittenCallback = std::function<void(const GenerationReport& report)>;

    // Writes the class; adds it to the project at `projectPath` unless that is empty. A project
    // that would be refused is refused before anything is written.
    GenerationReport Generate(const GenerationRequest& request, std::string_view projectPath,
                              const WrittenCallback& written = {});

    // Runs the same steps and writes nothing: the report's preview says, file by file, what a
    // real run would do, with the diffs of the files it would change when `withDiffs`. The
    // diffs' headers name the two sides in English, or through `translate` when there is one.
    GenerationReport Preview(const GenerationRequest& request, std::string_view projectPath,
                             bool withDiffs,
                             std::string_view (*translate)(std::string_view) = nullptr);

private:
    GenerationReport Run(const GenerationRequest& request, std::string_view projectPath,
                         IOutputWriter& writer, const WrittenCallback& written);

    const CTemplateTable& m_table;
    IGenerationHost& m_host;
};

// What the user is told of the project step: nothing after a plain success; that the project
// lists the class already; why nothing was written (a project refused before); or why the class
// was (or would be) written but not added.
std::optional<Message> ProjectStepMessage(const GenerationReport& report,
                                          std::string_view projectPath, bool preview);

// The project a class written to `outputFolder` belongs to: the one project file (.vcxproj) in
// the output folder; else the one beside the resource script; else the one in the nearest
// folder above the output folder that holds exactly one, looking no higher than the drive's
// root or the home folder. A folder holding several is passed over: which one is meant is for
// the user to say.
std::optional<std::string> FindProject(std::string_view outputFolder,
                                       std::string_view resourceScript);

}  // namespace tavrin
