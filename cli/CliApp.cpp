#include "cli/CliApp.h"

#include <ostream>

#include "cli/Messages.h"
#include "engine/ClassGeneration.h"
#include "engine/ClosestNames.h"
#include "engine/Mbcs.h"
#include "engine/ResourceScanner.h"
#include "engine/StringTable.h"
#include "engine/TemplateCheck.h"
#include "platform/CurrentDirectory.h"
#include "platform/FileStatus.h"
#include "platform/NativePath.h"
#include "platform/Terminal.h"

#ifndef TAVRIN_VERSION
#define TAVRIN_VERSION "unknown"
#endif

namespace tavrin::cli {

namespace {

constexpr std::string_view kUsage = TrMark(
    "usage: tavrin-cli [-C DIR] list\n"
    "       tavrin-cli [-C DIR] show TEMPLATE\n"
    "       tavrin-cli [-C DIR] scan RCFILE\n"
    "       tavrin-cli [-C DIR] generate -t TEMPLATE [-b BASE] [-d DERIVED] [--header FILE]\n"
    "                  [--source FILE] [-o FOLDER] [-i DIALOG_ID] [--yes | --no]\n"
    "                  [--dry-run] [--diff] [--project VCXPROJ]\n"
    "       tavrin-cli [-C DIR] check\n"
    "       tavrin-cli [-C DIR] where\n"
    "       tavrin-cli init [FOLDER]\n"
    "       tavrin-cli --help | --version\n");

constexpr std::string_view kHelpDetails = TrMark(
    "\n"
    "Writes the header and source file of a new class from the templates listed in\n"
    "\"template.tbl\" in the current directory, or, when it has none, in your own template\n"
    "folder, which is made from the installed examples the first time it is needed.\n"
    "\n"
    "  -C DIR                 run as if started in DIR\n"
    "  -t, --template NAME    the template (see list)\n"
    "  -b, --base NAME        base class name\n"
    "  -d, --derived NAME     derived class name; also names the header and source files\n"
    "      --header FILE      header file name\n"
    "      --source FILE      source file name\n"
    "  -o, --output FOLDER    output folder (default: the current directory)\n"
    "  -i, --dialog-id ID     dialog resource ID (see scan)\n"
    "      --yes, --no        overwrite existing output files, or leave them alone\n"
    "      --dry-run          write nothing; show which files would be created or replaced\n"
    "      --diff             --dry-run, with a unified diff of each file to be replaced\n"
    "      --project VCXPROJ  add both files to this project (and to VCXPROJ.filters)\n"
    "\n"
    "check reports mistakes in template.tbl and its template files, one per line.\n"
    "where prints the path of the template.tbl in use.\n"
    "init copies the installed examples into FOLDER (default: your template folder).\n"
    "\n"
    "Exit status: 0 written (check: nothing wrong), 1 failed (check: problems found),\n"
    "2 usage error, 3 overwrite declined.\n");

struct ValueOption {
    std::string_view shortName;  // empty when there is none
    std::string_view longName;
    std::optional<std::string> GenerateOptions::*field;
};

constexpr ValueOption kValueOptions[] = {
    {"-t", "--template", &GenerateOptions::templateName},
    {"-b", "--base", &GenerateOptions::basicClassName},
    {"-d", "--derived", &GenerateOptions::derivedClassName},
    {"", "--header", &GenerateOptions::headerFileName},
    {"", "--source", &GenerateOptions::sourceFileName},
    {"-o", "--output", &GenerateOptions::outputFolder},
    {"-i", "--dialog-id", &GenerateOptions::dialogResourceId},
    {"", "--project", &GenerateOptions::projectPath},
};

bool IsHelp(std::string_view argument) {
    return argument == "-h" || argument == "--help";
}

// An option has its dash and a name; everything else, an empty argument and a lone "-"
// included, is an operand. Arguments are classified before they are looked up, so that no
// operand can ever be taken for an option that lacks a short form.
bool IsOption(std::string_view argument) {
    return argument.size() > 1 && argument[0] == '-';
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string Unexpected(std::string_view argument) {
    return IsOption(argument) ? TrFormat("unknown option \"%s\"", {argument})
                              : TrFormat("unexpected argument \"%s\"", {argument});
}

// The generate options from `arguments[next]` on. False with `error` set when they are wrong.
bool ParseGenerateOptions(const std::vector<std::string>& arguments, std::size_t next,
                          Invocation& invocation, std::string& error) {
    GenerateOptions& options = invocation.generate;
    bool yes = false;
    bool no = false;
    for (std::size_t i = next; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        if (IsHelp(argument)) {
            invocation.command = Command::kHelp;
            return true;
        }
        if (argument == "--yes" || argument == "--no") {
            (argument == "--yes" ? yes : no) = true;
            continue;
        }
        if (argument == "--dry-run" || argument == "--diff") {
            options.dryRun = true;
            options.diff = options.diff || argument == "--diff";
            continue;
        }
        const ValueOption* matched = nullptr;
        std::optional<std::string> value;
        for (const ValueOption& option : kValueOptions) {
            if (!IsOption(argument)) {
                break;
            }
            if (argument == option.shortName || argument == option.longName) {
                matched = &option;
            } else if (argument.size() > option.longName.size() &&
                       argument.substr(0, option.longName.size()) == option.longName &&
                       argument[option.longName.size()] == '=') {
                matched = &option;
                value = std::string(argument.substr(option.longName.size() + 1));
            }
            if (matched != nullptr) {
                break;
            }
        }
        if (matched == nullptr) {
            error = Unexpected(argument);
            return false;
        }
        if (!value) {
            if (i + 1 == arguments.size()) {
                error = TrFormat("option %s needs a value", {argument});
                return false;
            }
            value = arguments[++i];
        }
        options.*(matched->field) = std::move(value);
    }
    if (yes && no) {
        error = Tr("--yes and --no exclude each other");
        return false;
    }
    options.overwrite = yes ? Overwrite::kYes : no ? Overwrite::kNo : Overwrite::kAsk;
    return true;
}

// The single operand of show and scan, which "--" may precede.
bool ParseOperand(const std::vector<std::string>& arguments, std::size_t next,
                  Invocation& invocation, std::string_view missing, std::string& error) {
    if (next < arguments.size() && IsHelp(arguments[next])) {
        invocation.command = Command::kHelp;
        return true;
    }
    if (next < arguments.size() && arguments[next] == "--") {
        ++next;
    }
    if (next == arguments.size()) {
        error = missing;
        return false;
    }
    if (next + 1 < arguments.size()) {
        error = Unexpected(arguments[next + 1]);
        return false;
    }
    invocation.operand = arguments[next];
    return true;
}

void WriteLine(std::ostream& stream, std::string_view cp932) {
    stream << platform::ToTerminal(cp932) << '\n';
}

bool IsYes(std::string_view answer) {
    std::size_t first = answer.find_first_not_of(" \t\r");
    std::size_t last = answer.find_last_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return false;
    }
    std::string_view word = answer.substr(first, last - first + 1);
    return mbcs::EqualsIgnoringAsciiCase(word, "y") || mbcs::EqualsIgnoringAsciiCase(word, "yes");
}

class CliHost : public IGenerationHost {
public:
    CliHost(std::ostream& err, Overwrite overwrite,
            const std::function<std::optional<std::string>()>& readTerminalLine)
        : m_err(err), m_overwrite(overwrite), m_readTerminalLine(readTerminalLine) {}

    bool FileExists(std::string_view path) override { return platform::PathExists(path); }

    void ShowMessage(const Message& message) override { WriteLine(m_err, message.Text()); }

    bool AskOverwrite(const Message& question) override {
        if (m_overwrite != Overwrite::kAsk) {
            return m_overwrite == Overwrite::kYes;
        }
        m_err << platform::ToTerminal(question.Text()) << " (y/N) " << std::flush;
        std::optional<std::string> answer;
        if (m_readTerminalLine) {
            answer = m_readTerminalLine();
        }
        if (!answer) {
            // No terminal, or it ended: nobody said yes. End the prompt's line all the same.
            m_err << '\n';
            return false;
        }
        return IsYes(*answer);
    }

private:
    std::ostream& m_err;
    Overwrite m_overwrite;
    const std::function<std::optional<std::string>()>& m_readTerminalLine;
};

}  // namespace

std::string UsageText() {
    return platform::ToTerminal(Tr(kUsage));
}

ParsedArguments ParseArguments(const std::vector<std::string>& arguments) {
    ParsedArguments parsed;
    Invocation invocation;
    if (!arguments.empty() && (IsHelp(arguments[0]) || arguments[0] == "--version")) {
        invocation.command = IsHelp(arguments[0]) ? Command::kHelp : Command::kVersion;
        parsed.invocation = std::move(invocation);
        return parsed;
    }
    std::size_t i = 0;
    if (i == arguments.size()) {
        parsed.error = Tr("missing command");
        return parsed;
    }
    std::string_view command = arguments[i++];
    bool ok = false;
    if (command == "list" || command == "check" || command == "where") {
        invocation.command = command == "list"    ? Command::kList
                             : command == "check" ? Command::kCheck
                                                  : Command::kWhere;
        ok = i == arguments.size() || IsHelp(arguments[i]);
        if (ok && i < arguments.size()) {
            invocation.command = Command::kHelp;
        } else if (!ok) {
            parsed.error = Unexpected(arguments[i]);
        }
    } else if (command == "show") {
        invocation.command = Command::kShow;
        ok = ParseOperand(arguments, i, invocation, Tr("missing template name"), parsed.error);
    } else if (command == "scan") {
        invocation.command = Command::kScan;
        ok = ParseOperand(arguments, i, invocation, Tr("missing resource script"), parsed.error);
    } else if (command == "init") {
        invocation.command = Command::kInit;
        ok = i == arguments.size() ||
             ParseOperand(arguments, i, invocation, Tr("missing template folder"), parsed.error);
    } else if (command == "generate") {
        invocation.command = Command::kGenerate;
        ok = ParseGenerateOptions(arguments, i, invocation, parsed.error);
    } else {
        parsed.error =
            IsOption(command) ? Unexpected(command) : TrFormat("unknown command \"%s\"", {command});
    }
    if (ok) {
        parsed.invocation = std::move(invocation);
    }
    return parsed;
}

GenerationRequest BuildRequest(const CTemplateTable& table, const GenerateOptions& options,
                               std::string_view currentDirectory) {
    GenerationRequest request;
    request.templateName = options.templateName;
    if (options.templateName) {
        ApplyTemplateDefaults(table, *options.templateName, request);
    }
    if (options.derivedClassName) {
        request.derivedClassName = *options.derivedClassName;
        ClassFileNames names = DeriveFileNames(request.derivedClassName);
        request.headerFileName = std::move(names.header);
        request.sourceFileName = std::move(names.source);
    }
    if (options.basicClassName) {
        request.basicClassName = *options.basicClassName;
    }
    if (options.headerFileName) {
        request.headerFileName = *options.headerFileName;
    }
    if (options.sourceFileName) {
        request.sourceFileName = *options.sourceFileName;
    }
    request.outputFolder = options.outputFolder.value_or(std::string(currentDirectory));
    request.dialogResourceId = options.dialogResourceId.value_or("");
    return request;
}

int CliApp::Run(const std::vector<std::string>& arguments) {
    ParsedArguments parsed = ParseArguments(arguments);
    if (!parsed.invocation) {
        return UsageError(parsed.error);
    }
    const Invocation& invocation = *parsed.invocation;
    switch (invocation.command) {
        case Command::kHelp:
            m_out << UsageText() << platform::ToTerminal(Tr(kHelpDetails));
            return kExitWritten;
        case Command::kVersion:
            m_out << "tavrin-cli " TAVRIN_VERSION "\n";
            return kExitWritten;
        default:
            break;
    }
    switch (invocation.command) {
        case Command::kList:
            return List();
        case Command::kShow:
            return Show(invocation.operand);
        case Command::kScan:
            return Scan(invocation.operand);
        case Command::kCheck:
            return Check();
        case Command::kWhere:
            return Where();
        case Command::kInit:
            return Init(invocation.operand);
        default:
            return Generate(invocation.generate);
    }
}

std::optional<TemplateLocation> CliApp::Locate() {
    TemplateLocation location = LocateTemplates(InstalledTemplatePlaces());
    if (location.problem) {
        WriteLine(m_err, location.problem->Text());
        return std::nullopt;
    }
    if (location.created) {
        WriteLine(m_err, FormatString(IDS_TEMPLATE_FOLDER_CREATED, {location.folder}));
    }
    return location;
}

bool CliApp::LoadTable(CTemplateTable& table) {
    std::optional<TemplateLocation> location = Locate();
    if (!location) {
        return false;
    }
    const std::optional<Message> unread = LoadTemplateTable(*location, table);
    if (!unread) {
        return true;
    }
    if (!location->folder.empty()) {
        WriteLine(m_err, unread->Text());
    } else {
        // A folder code page 932 cannot name is shown as the system names it.
        const std::string folder = platform::NativeToTerminal(platform::NativeCurrentDirectory());
        const std::string_view inserts[] = {folder};
        m_err << FormatText(platform::ToTerminal(LoadText(IDS_TEMPLATE_LOAD_FAILED)), inserts)
              << '\n';
    }
    return false;
}

int CliApp::UsageError(std::string_view problem) {
    WriteLine(m_err, "tavrin-cli: " + std::string(problem));
    m_err << UsageText();
    return kExitUsage;
}

int CliApp::UnknownTemplate(const CTemplateTable& table, std::string_view name) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(table.GetCount()));
    for (int i = 0; i < table.GetCount(); ++i) {
        names.push_back(table.GetAt(i).name);
    }
    std::string closest;
    for (const std::string& candidate : ClosestNames(names, name, 3)) {
        closest += (closest.empty() ? "" : ", ") + Quoted(candidate);
    }
    WriteLine(m_err, "tavrin-cli: " +
                         (closest.empty()
                              ? TrFormat("unknown template \"%s\"", {name})
                              : TrFormat("unknown template \"%s\"; the closest in the table: %s",
                                         {name, closest})));
    return kExitUsage;
}

int CliApp::List() {
    CTemplateTable table;
    if (!LoadTable(table)) {
        return kExitFailed;
    }
    for (int i = 0; i < table.GetCount(); ++i) {
        WriteLine(m_out, table.GetAt(i).name);
    }
    return kExitWritten;
}

int CliApp::Show(std::string_view templateName) {
    CTemplateTable table;
    if (!LoadTable(table)) {
        return kExitFailed;
    }
    const CTemplateEntry* entry = table.FindEntry(templateName);
    if (entry == nullptr) {
        return UnknownTemplate(table, templateName);
    }
    WriteLine(m_out, TrFormat("header: %s", {entry->headerTemplate}));
    WriteLine(m_out, TrFormat("source: %s", {entry->sourceTemplate}));
    for (const CTemplateKeyword& keyword : entry->keywords) {
        WriteLine(m_out, keyword.keyword + "\t" + keyword.firstField + "\t" + keyword.value);
    }
    return kExitWritten;
}

int CliApp::Scan(std::string_view scriptPath) {
    CResourceScanner scanner;
    if (!scanner.Scan(scriptPath)) {
        bool readable = platform::IsRegularFile(scriptPath);
        WriteLine(m_err,
                  "tavrin-cli: " + (readable ? TrFormat("no dialog resource ID in %s", {scriptPath})
                                             : TrFormat("cannot read %s", {scriptPath})));
        return kExitFailed;
    }
    for (const std::string& id : scanner.GetIds()) {
        WriteLine(m_out, id);
    }
    return kExitWritten;
}

int CliApp::Generate(const GenerateOptions& options) {
    CTemplateTable table;
    if (!LoadTable(table)) {
        return kExitFailed;
    }
    if (options.templateName && table.FindEntry(*options.templateName) == nullptr) {
        return UnknownTemplate(table, *options.templateName);
    }
    const std::string directory = platform::CurrentDirectory();
    if (options.projectPath && (!platform::PathExists(*options.projectPath) ||
                                platform::IsDirectory(*options.projectPath))) {
        return UsageError(TrFormat("no project file \"%s\"", {*options.projectPath}));
    }
    GenerationRequest request = BuildRequest(table, options, directory);
    // A dry run asks nothing: it shows what an overwrite would do. Only --no still declines.
    Overwrite overwrite = options.dryRun && options.overwrite == Overwrite::kAsk
                              ? Overwrite::kYes
                              : options.overwrite;
    CliHost host(m_err, overwrite, m_readTerminalLine);
    CClassGenerator generator(table, host);
    const std::string project = options.projectPath.value_or("");
    // Written into a current directory that code page 932 cannot name, the files have
    // relative paths; they are shown in that folder as the system names it.
    std::string shownFolder;
    if (!options.outputFolder && directory.empty()) {
        shownFolder = platform::NativeToTerminal(platform::NativeCurrentDirectory() / "");
    }
    // The class files are named as soon as they are written. An interrupt from then on waits
    // until the project step is done and has said what it wrote.
    std::optional<platform::DeferredInterrupts> deferred;
    auto written = [&](const GenerationReport& report) {
        m_out << shownFolder << platform::ToTerminal(report.headerPath) << '\n';
        m_out << shownFolder << platform::ToTerminal(report.sourcePath) << std::endl;
        deferred.emplace();
    };
    const GenerationReport report = options.dryRun
                                        ? generator.Preview(request, project, options.diff, Tr)
                                        : generator.Generate(request, project, written);
    if (report.project && report.project->status == ProjectRegistration::Status::kAdded &&
        !options.dryRun) {
        for (const std::string& file : report.project->written) {
            WriteLine(m_out, file);
        }
    }
    if (std::optional<Message> message = ProjectStepMessage(report, project, options.dryRun)) {
        WriteLine(m_err, message->Text());
    }
    m_out.flush();
    deferred.reset();
    if (report.projectRefused) {
        return kExitFailed;
    }
    switch (report.outcome) {
        case GenerationOutcome::kWritten:
            break;
        case GenerationOutcome::kDeclined:
            return kExitDeclined;
        case GenerationOutcome::kUnknownTemplate:
            return kExitUsage;  // ruled out above
        default:
            return kExitFailed;
    }
    if (options.dryRun) {
        ShowPreview(report.preview);
    }
    return report.ProjectFailed() ? kExitFailed : kExitWritten;
}

void CliApp::ShowPreview(const std::vector<PreviewEntry>& preview) {
    for (const PreviewEntry& entry : preview) {
        switch (entry.change) {
            case PreviewEntry::Change::kCreate:
                WriteLine(m_out, TrFormat("would create %s", {entry.path}));
                break;
            case PreviewEntry::Change::kReplace:
                WriteLine(m_out, TrFormat("would replace %s (contents differ)", {entry.path}));
                break;
            case PreviewEntry::Change::kSame:
                WriteLine(m_out, TrFormat("would replace %s (same contents)", {entry.path}));
                break;
        }
        m_out << platform::ToTerminal(entry.diff);
    }
}

int CliApp::Check() {
    std::optional<TemplateLocation> location = Locate();
    if (!location) {
        return kExitFailed;
    }
    // The findings name the table as the user knows it: by its name in the start folder,
    // by its full path in the user's own folder.
    std::vector<CheckFinding> findings = CheckTemplateSet(
        location->tablePath,
        location->userTemplateSet ? location->tablePath : std::string(kTemplateTableName));
    bool problems = false;
    for (const CheckFinding& finding : findings) {
        WriteLine(m_out, FormatFinding(finding, Tr));
        problems = problems || finding.kind == CheckFinding::Kind::kProblem;
    }
    return problems ? kExitFailed : kExitWritten;
}

int CliApp::Where() {
    std::optional<TemplateLocation> location = Locate();
    if (!location) {
        return kExitFailed;
    }
    if (location->folder.empty()) {
        m_out << platform::NativeToTerminal(platform::NativeCurrentDirectory() / kTemplateTableName)
              << '\n';
    } else {
        WriteLine(m_out, location->tablePath);
    }
    return kExitWritten;
}

int CliApp::Init(std::string_view folder) {
    const TemplatePlaces places = InstalledTemplatePlaces();
    std::optional<std::filesystem::path> target =
        folder.empty() ? std::optional(places.userFolder) : platform::ToNativePath(folder);
    if (!target || target->empty()) {
        return UsageError(Tr("no template folder to make"));
    }
    std::error_code error;
    if (std::filesystem::exists(*target / kTemplateTableName, error)) {
        // A template set of the user's own is never overwritten.
        WriteLine(m_err, "tavrin-cli: " +
                             TrFormat("%s exists already; nothing was copied",
                                      {platform::FromNativePath(*target / kTemplateTableName)}));
        return kExitFailed;
    }
    if (std::optional<Message> problem = CopyExamples(places, *target)) {
        WriteLine(m_err, problem->Text());
        return kExitFailed;
    }
    m_out << platform::NativeToTerminal(*target) << '\n';
    return kExitWritten;
}

}  // namespace tavrin::cli
