#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/GenerationRequest.h"
#include "engine/OutputWriter.h"
#include "engine/StringTable.h"
#include "engine/TemplateTable.h"
#include "platform/TextFile.h"

namespace tavrin {

// The message that says why writing a file failed, "%s" being the file: the one set of reasons
// for the class files and the project's.
StringId WriteFailureMessage(platform::WriteFailure failure);

// A message of the string table with the values to insert into its "%s".
struct Message {
    Message() = default;
    Message(int messageId, std::vector<std::string> values = {}, std::string secondLine = {})
        : id(messageId), inserts(std::move(values)), detail(std::move(secondLine)) {}

    int id = 0;
    std::vector<std::string> inserts;
    // A second line under the text (why a write failed, and where), when there is one.
    std::string detail;

    // The text as the user sees it, in code page 932: the string itself when there is nothing
    // to insert, otherwise the string with every insert in its "%s"; the detail follows on a
    // line of its own.
    std::string Text() const;
};

// What the command needs from the front end that runs it: the dialog and tavrin-cli are
// the two hosts, and tests use a recording one.
class IGenerationHost {
public:
    virtual ~IGenerationHost() = default;

    // True when a file or folder exists at `path`.
    virtual bool FileExists(std::string_view path) = 0;

    // Reports a problem (an exclamation mark and an OK button in the dialog).
    virtual void ShowMessage(const Message& message) = 0;

    // Asks the overwrite question; true when the user answers Yes.
    virtual bool AskOverwrite(const Message& question) = 0;
};

// How a run ended. Only kWritten wrote anything, except kSourceFailed, which leaves the new
// header in place.
enum class GenerationOutcome {
    kWritten,
    kInvalidRequest,   // a required value is missing (message shown)
    kUnknownTemplate,  // the selected name is not in the table (nothing shown)
    kTemplateMissing,  // a template file does not exist (message shown)
    kDeclined,         // the user would not overwrite
    kHeaderFailed,     // the header could not be written (message shown)
    kSourceFailed,     // the source could not be written (message shown)
};

// The generation command: checks a request, works out the output paths, asks before it
// overwrites, and expands the template's header and source files into the output folder.
class CGenerationCommand {
public:
    CGenerationCommand(const CTemplateTable& table, IGenerationHost& host)
        : m_table(table), m_host(host), m_writer(FileWriter()) {}

    // A command whose finished output files go to `writer` instead of the disk: a preview
    // runs every step of a real run, and only the final write differs.
    CGenerationCommand(const CTemplateTable& table, IGenerationHost& host, IOutputWriter& writer)
        : m_table(table), m_host(host), m_writer(writer) {}

    // The whole command. The request is checked in a fixed order and only the message of the
    // first failed check is shown; a value holding only blanks counts as given. The header is
    // written first, and the source is not attempted when the header fails.
    GenerationOutcome OnGenerate(const GenerationRequest& request);

    // The output paths of the last run that got as far as working them out.
    const std::string& HeaderPath() const { return m_strHeaderPath; }
    const std::string& SourcePath() const { return m_strSourcePath; }

private:
    bool ValidateRequest(const GenerationRequest& request);

    static IOutputWriter& FileWriter();

    const CTemplateTable& m_table;
    IGenerationHost& m_host;
    IOutputWriter& m_writer;
    std::string m_strHeaderPath;
    std::string m_strSourcePath;
};

}  // namespace tavrin
