#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tavrin::shell {

// The desktop program's command line: `tavrin [FOLDER]`. A launcher (a desktop entry's file
// argument, "Open with" on a folder in a file manager, a context-menu entry in Explorer)
// passes the folder to work in. It becomes the current directory before anything reads it,
// so that the table, the settings file and the default output folder are that folder's, as
// if the program had been started there. Nothing else on the command line is looked at.
//
// `arguments` are the arguments after the program's name, as the system names them. Returns
// the message to show before the program ends when the folder cannot be entered; nothing
// when the program goes on (also when no folder was given).
std::optional<std::string> EnterStartFolder(const std::vector<std::filesystem::path>& arguments);

}  // namespace tavrin::shell
