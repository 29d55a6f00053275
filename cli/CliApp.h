#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/ClassFileNames.h"
#include "engine/ClassGeneration.h"
#include "engine/GenerationCommand.h"
#include "engine/TemplateLocation.h"
#include "engine/TemplateTable.h"

// tavrin-cli: the dialog's work from a command line. All texts here are code page 932; the
// conversion to and from the terminal happens at the edge (platform/Terminal.h).
namespace tavrin::cli {

enum ExitStatus : int {
    kExitWritten = 0,
    kExitFailed = 1,    // a check or a write failed, with its message
    kExitUsage = 2,     // the command line itself is wrong
    kExitDeclined = 3,  // an output exists and was not to be overwritten
};

enum class Command { kHelp, kVersion, kList, kShow, kScan, kGenerate, kCheck, kWhere, kInit };

enum class Overwrite { kAsk, kYes, kNo };

// The options of `generate`; an option not given is nothing, which differs from an empty one.
struct GenerateOptions {
    std::optional<std::string> templateName;
    std::optional<std::string> basicClassName;
    std::optional<std::string> derivedClassName;
    std::optional<std::string> headerFileName;
    std::optional<std::string> sourceFileName;
    std::optional<std::string> outputFolder;
    std::optional<std::string> dialogResourceId;
    Overwrite overwrite = Overwrite::kAsk;
    bool dryRun = false;  // generate everything, write nothing, say what would be written
    bool diff = false;    // a dry run that also shows how existing files would change
    std::optional<std::string> projectPath;  // the .vcxproj to add the class to
};

struct Invocation {
    Command command = Command::kHelp;
    std::string operand;  // the template of `show`, the script of `scan`, the folder of `init`
    GenerateOptions generate;
};

// An Invocation, or the reason the arguments make none.
struct ParsedArguments {
    std::optional<Invocation> invocation;
    std::string error;
};

// The usage lines in the user's language, as terminal text, as --help and a usage error
// print them.
std::string UsageText();

// Parses the arguments after the program's name and after the leading `-C DIR`, which main()
// has entered already: a folder is entered as the system names it, before any argument passes
// through code page 932.
ParsedArguments ParseArguments(const std::vector<std::string>& arguments);

// The request the dialog would hold: the template's values first, then the derived class name
// with the file names it gives, then the explicit names. No output folder means
// `currentDirectory`.
GenerationRequest BuildRequest(const CTemplateTable& table, const GenerateOptions& options,
                               std::string_view currentDirectory);

class CliApp {
public:
    // `out` and `err` take terminal text. `readTerminalLine` reads the answer to the overwrite
    // question; it gives nothing when there is no terminal to ask, which declines.
    CliApp(std::ostream& out, std::ostream& err,
           std::function<std::optional<std::string>()> readTerminalLine)
        : m_out(out), m_err(err), m_readTerminalLine(std::move(readTerminalLine)) {}

    // Runs the command line (code page 932 arguments, without the program's name and the leading
    // `-C DIR`) in the current directory, and returns the exit status.
    int Run(const std::vector<std::string>& arguments);

private:
    int List();
    int Show(std::string_view templateName);
    int Scan(std::string_view scriptPath);
    int Generate(const GenerateOptions& options);
    int Check();
    int Where();
    int Init(std::string_view folder);
    // What a dry run would have written, file by file, with the diffs asked for.
    void ShowPreview(const std::vector<PreviewEntry>& preview);

    // Where the templates are: the start folder's, else the user's, which is made when
    // missing; tells what it made and why it could not. Nothing when there is no table to use.
    std::optional<TemplateLocation> Locate();
    // Loads the table Locate finds; reports the failure.
    bool LoadTable(CTemplateTable& table);
    int UsageError(std::string_view problem);
    // A template name the table lacks: the names closest to it, not the whole usage.
    int UnknownTemplate(const CTemplateTable& table, std::string_view name);

    std::ostream& m_out;
    std::ostream& m_err;
    std::function<std::optional<std::string>()> m_readTerminalLine;
};

}  // namespace tavrin::cli
