#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "engine/GenerationCommand.h"
#include "engine/TemplateTable.h"

// Where a run finds "template.tbl" and keeps its settings file; the dialog and tavrin-cli
// both ask here.
//
// A start folder (the current directory) that holds "template.tbl" is a template set of its
// own, as it always was: that table, and the settings file beside it. Any other start folder
// (the home folder of a menu entry, a project opened with "Open with") uses the user's own
// template set, made once from the installed examples, and the settings file lives there, so
// that nothing is written into the start folder.
namespace tavrin {

// The places looked at, as the system names them.
struct TemplatePlaces {
    std::filesystem::path userFolder;     // the user's own template set; empty when unknown
    std::filesystem::path examples;       // the installed examples; empty when none were found
    std::filesystem::path programFolder;  // named when the examples are missing
};

// This installation's places: %APPDATA%\Tavrin\templates on Windows,
// ${XDG_DATA_HOME:-~/.local/share}/tavrin/templates on POSIX; the examples beside the program
// (Windows), in ../share/tavrin/examples from it (POSIX), or, in the build tree, the copy
// the build puts beside it.
TemplatePlaces InstalledTemplatePlaces();

struct TemplateLocation {
    // Code page 932. The folder is empty for a current directory that code page 932 cannot
    // name: the paths are then relative to it, as before.
    std::string folder;
    std::string tablePath;
    std::string settingsPath;        // empty: no settings file can be kept
    bool userTemplateSet = false;    // the user's own folder is in use, not the start folder
    bool created = false;            // it was filled from the examples by this call
    std::optional<Message> problem;  // why the user's own set cannot be had
};

// The start folder's own set, whether or not it holds a table: its "template.tbl" and the
// settings file beside it.
TemplateLocation StartFolderTemplates();

// Looks at the current directory, then at the user's folder, which is filled from the
// examples when it holds no "template.tbl" (files already there are kept).
TemplateLocation LocateTemplates(const TemplatePlaces& places);

// Copies the examples into `folder` to start a template set there; files already there are
// kept. Nothing on success, else the message that says why not.
std::optional<Message> CopyExamples(const TemplatePlaces& places,
                                    const std::filesystem::path& folder);

// Loads the table `location` names into `table`. Nothing when it could be read; else the
// message that says it could not, naming its folder (a current directory code page 932 cannot
// name with "?" for what it cannot hold).
std::optional<Message> LoadTemplateTable(const TemplateLocation& location, CTemplateTable& table);

// The name of the table file.
inline constexpr std::string_view kTemplateTableName = "template.tbl";

}  // namespace tavrin
