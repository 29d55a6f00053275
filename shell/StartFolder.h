#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tavrin::shell {

// The desktop program's command line: `tavrin [FOLDER]`. A launcher (a desktop entry's file
// argument, "Open with" on a folder in a file manager, a context-menu entry in Explorer)
// passes the folder to work in. It becomes the current directory before anything reads it,
// as if the program had been started there: a table in it is used, and the file dialog and
// relative paths start there. Nothing else on the command line is looked at.
//
// `arguments` are the arguments after the program's name, as the system names them. Returns
// the message to show before the program ends when the folder cannot be entered; nothing
// when the program goes on (also when no folder was given).
std::optional<std::string> EnterStartFolder(const std::vector<std::filesystem::path>& arguments);

// The text that `tavrin --help` (or -h) and `tavrin --version` answer with, ASCII; nothing
// for any other command line. Asked before the folder is entered: these end the run at once,
// successfully, and no folder named so is ever meant.
std::optional<std::string> StartOptionAnswer(const std::vector<std::filesystem::path>& arguments);

// The full path of the one resource script (*.rc, any letter case) in the current directory;
// nothing when there is none, or more than one to choose from, or code page 932 cannot name it.
std::optional<std::string> SoleResourceScript();

}  // namespace tavrin::shell
