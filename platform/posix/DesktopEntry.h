#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The freedesktop.org side of opening links on POSIX: finding the application registered for
// web pages and turning its desktop entry into a command line. Everything here works on text
// and on the folders it is given, so that it is tested without the user's configuration;
// texts are UTF-8, as desktop entries are.
namespace tavrin::platform::posix {

// The raw value of `key` in group `group` of a key file (desktop entry, mimeapps.list), or
// nothing. Blanks around "=" are ignored; the first occurrence counts; localised variants
// ("Name[ja]") are other keys.
std::optional<std::string> KeyFileValue(std::string_view content, std::string_view group,
                                        std::string_view key);

// Resolves the escapes of a key file string value: \s \n \t \r \\.
std::string UnescapeKeyFileString(std::string_view value);

// An Exec line (already unescaped) as a command line with "%1" where the link goes: each of
// the field codes %u %U %f %F becomes "%1", "%%" becomes "%", and the other field codes
// (%i %c %k and the deprecated ones) are dropped, since nothing here can fill them.
std::string ExecToCommand(std::string_view exec);

// Splits a command line into program and arguments as desktop entries quote them: blanks
// and tabs separate, double quotes group (and may produce an empty argument), and inside
// quotes a backslash makes the next " ` $ or \ literal. No other expansion takes place.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The user's own data folder: $XDG_DATA_HOME when it is absolute, else ~/.local/share; empty
// without a home folder.
std::string DataHome();

// The folders that hold application data, most important first: $XDG_DATA_HOME (default
// ~/.local/share), then $XDG_DATA_DIRS (default /usr/local/share:/usr/share). Relative
// entries are ignored.
std::vector<std::string> DataDirs();

// The folders that hold configuration, most important first: $XDG_CONFIG_HOME (default
// ~/.config), then $XDG_CONFIG_DIRS (default /etc/xdg).
std::vector<std::string> ConfigDirs();

// The path of the desktop entry with ID `desktopId` ("firefox.desktop") under the
// "applications" folder of the first data folder that has it. An entry in a sub-folder has
// the sub-folder in its ID ("kde4-app.desktop" for kde4/app.desktop).
std::optional<std::string> FindDesktopEntry(std::string_view desktopId,
                                            const std::vector<std::string>& dataDirs);

// The desktop ID of the default application for `mimeType` that the user's mimeapps.list
// files name and that is installed: the files in the configuration folders first, then those
// in the data folders' "applications" folders.
std::optional<std::string> DefaultApplicationFromMimeApps(
    std::string_view mimeType, const std::vector<std::string>& configDirs,
    const std::vector<std::string>& dataDirs);

// The command line of the desktop entry at `path`: its Exec line through ExecToCommand.
// Nothing when the file cannot be read, is no application entry, or has no Exec line.
std::optional<std::string> DesktopEntryCommand(const std::string& path);

// What xdg-open's exit status means as a shell result code: 0 opened (33), 2 target not
// found (2), 3 and 4 nothing could open it (31, no associated application), anything else a
// failed invocation (27, incomplete or invalid association).
int XdgOpenStatusToResult(int exitStatus);

// What a failed start of a program (an errno value) means as a result code: 2 file not
// found, 3 path not found, 5 access denied, 8 out of memory, 0 out of resources, 11 not an
// executable, 26 in use; other errors give their number, negated.
int SpawnErrorToResult(int error);

}  // namespace tavrin::platform::posix
