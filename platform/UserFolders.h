#pragma once

#include <filesystem>

namespace tavrin::platform {

// The running program's own file, as the system names it; empty when it cannot be had.
std::filesystem::path ProgramFile();

// The folder where programs keep their users' own data: %APPDATA% on Windows, the XDG data
// home ($XDG_DATA_HOME, else ~/.local/share) on POSIX. Empty when the system names none.
std::filesystem::path UserDataFolder();

// Copies every file and folder below `from` into `to`, creating `to` and its parents, and
// leaves what `to` already holds as it is. The copies may be written by the user even where
// the originals may not (installed files). False when anything could not be copied.
bool CopyFolderContents(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace tavrin::platform
