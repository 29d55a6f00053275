#include "platform/posix/DesktopEntry.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tavrin::platform::posix {

namespace fs = std::filesystem;

namespace {

std::string_view Trim(std::string_view text) {
    std::size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string_view::npos) {
        return {};
    }
    std::size_t end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

std::optional<std::string> ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::ostringstream content;
    content << file.rdbuf();
    if (file.bad()) {
        return std::nullopt;
    }
    return std::move(content).str();
}

bool IsRegularFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// $name when it is set to an absolute path, else `fallback`.
std::string HomeFolder(const char* name, const char* underHome) {
    const char* value = std::getenv(name);
    if (value != nullptr && value[0] == '/') {
        return value;
    }
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? std::string(home) + underHome : std::string();
}

// The absolute entries of the colon-separated list $name, else of `fallback`.
void AppendFolderList(std::vector<std::string>& folders, const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    std::string_view list = value != nullptr && value[0] != '\0' ? value : fallback;
    while (!list.empty()) {
        std::size_t colon = list.find(':');
        std::string_view folder = list.substr(0, colon);
        if (!folder.empty() && folder[0] == '/') {
            folders.emplace_back(folder);
        }
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
}

// The user's own folder first, then the system's list, as the XDG base directories say.
std::vector<std::string> XdgFolders(const char* homeVariable, const char* homeDefault,
                                    const char* listVariable, const char* listDefault) {
    std::vector<std::string> folders;
    if (std::string home = HomeFolder(homeVariable, homeDefault); !home.empty()) {
        folders.push_back(std::move(home));
    }
    AppendFolderList(folders, listVariable, listDefault);
    return folders;
}

}  // namespace

std::optional<std::string> KeyFileValue(std::string_view content, std::string_view group,
                                        std::string_view key) {
    bool inGroup = false;
    while (!content.empty()) {
        std::size_t newline = content.find('\n');
        std::string_view line = Trim(content.substr(0, newline));
        content =
            newline == std::string_view::npos ? std::string_view() : content.substr(newline + 1);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (line[0] == '[') {
            inGroup = line.size() == group.size() + 2 && line.back() == ']' &&
                      line.substr(1, group.size()) == group;
            continue;
        }
        std::size_t equals = line.find('=');
        if (inGroup && equals != std::string_view::npos && Trim(line.substr(0, equals)) == key) {
            return std::string(Trim(line.substr(equals + 1)));
        }
    }
    return std::nullopt;
}

std::string UnescapeKeyFileString(std::string_view value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        switch (value[++i]) {
            case 's':
                text += ' ';
                break;
            case 'n':
                text += '\n';
                break;
            case 't':
                text += '\t';
                break;
            case 'r':
                text += '\r';
                break;
            case '\\':
                text += '\\';
                break;
            default:  // not an escape of this level: the command line's quoting may need it
                text += '\\';
                text += value[i];
        }
    }
    return text;
}

std::string ExecToCommand(std::string_view exec) {
    std::string command;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] != '%') {
            command += exec[i];
            continue;
        }
        if (++i == exec.size()) {
            break;
        }
        switch (exec[i]) {
            case 'u':
            case 'U':
            case 'f':
            case 'F':
                command += "%1";
                break;
            case '%':
                command += '%';
                break;
            default:
                break;
        }
    }
    return command;
}

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> arguments;
    std::string argument;
    bool inArgument = false;
    bool quoted = false;
    for (std::size_t i = 0; i < commandLine.size(); ++i) {
        char c = commandLine[i];
        if (!quoted && (c == ' ' || c == '\t')) {
            if (inArgument) {
                arguments.push_back(std::move(argument));
                argument.clear();
                inArgument = false;
            }
            continue;
        }
        inArgument = true;
        if (c == '"') {
            quoted = !quoted;
        } else if (quoted && c == '\\' && i + 1 < commandLine.size() &&
                   std::string_view("\"`$\\").find(commandLine[i + 1]) != std::string_view::npos) {
            argument += commandLine[++i];
        } else {
            argument += c;
        }
    }
    if (inArgument) {
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

std::string DataHome() {
    return HomeFolder("XDG_DATA_HOME", "/.local/share");
}

std::vector<std::string> DataDirs() {
    return XdgFolders("XDG_DATA_HOME", "/.local/share", "XDG_DATA_DIRS",
                      "/usr/local/share:/usr/share");
}

std::vector<std::string> ConfigDirs() {
    return XdgFolders("XDG_CONFIG_HOME", "/.config", "XDG_CONFIG_DIRS", "/etc/xdg");
}

std::optional<std::string> FindDesktopEntry(std::string_view desktopId,
                                            const std::vector<std::string>& dataDirs) {
    if (desktopId.empty() || desktopId.find('/') != std::string_view::npos ||
        desktopId.front() == '.') {
        return std::nullopt;
    }
    for (const std::string& folder : dataDirs) {
        fs::path applications = fs::path(folder) / "applications";
        if (fs::path direct = applications / desktopId; IsRegularFile(direct)) {
            return direct.string();
        }
        // The ID of an entry in a sub-folder joins the folders with "-".
        if (desktopId.find('-') == std::string_view::npos) {
            continue;
        }
        std::error_code error;
        for (auto it = fs::recursive_directory_iterator(applications, error);
             !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
            std::string id = it->path().lexically_relative(applications).string();
            std::replace(id.begin(), id.end(), '/', '-');
            if (id == desktopId && IsRegularFile(it->path())) {
                return it->path().string();
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> DefaultApplicationFromMimeApps(
    std::string_view mimeType, const std::vector<std::string>& configDirs,
    const std::vector<std::string>& dataDirs) {
    std::vector<fs::path> lists;
    lists.reserve(configDirs.size() + dataDirs.size());
    for (const std::string& folder : configDirs) {
        lists.push_back(fs::path(folder) / "mimeapps.list");
    }
    for (const std::string& folder : dataDirs) {
        lists.push_back(fs::path(folder) / "applications" / "mimeapps.list");
    }
    for (const fs::path& list : lists) {
        std::optional<std::string> content = ReadFile(list);
        std::optional<std::string> ids =
            content ? KeyFileValue(*content, "Default Applications", mimeType) : std::nullopt;
        // A list of IDs, each ended by ";": the first installed one is the default.
        std::string_view rest = ids ? std::string_view(*ids) : std::string_view();
        while (!rest.empty()) {
            std::size_t semicolon = rest.find(';');
            std::string_view id = Trim(rest.substr(0, semicolon));
            if (FindDesktopEntry(id, dataDirs)) {
                return std::string(id);
            }
            rest = semicolon == std::string_view::npos ? std::string_view()
                                                       : rest.substr(semicolon + 1);
        }
    }
    return std::nullopt;
}

std::optional<std::string> DesktopEntryCommand(const std::string& path) {
    std::optional<std::string> content = ReadFile(path);
    if (!content) {
        return std::nullopt;
    }
    std::optional<std::string> type = KeyFileValue(*content, "Desktop Entry", "Type");
    std::optional<std::string> exec = KeyFileValue(*content, "Desktop Entry", "Exec");
    if ((type && *type != "Application") || !exec) {
        return std::nullopt;
    }
    std::string command = ExecToCommand(UnescapeKeyFileString(*exec));
    if (Trim(command).empty()) {
        return std::nullopt;
    }
    return command;
}

int XdgOpenStatusToResult(int exitStatus) {
    switch (exitStatus) {
        case 0:
            return 33;
        case 2:
            return 2;
        case 3:
        case 4:
            return 31;
        default:
            return 27;
    }
}

int SpawnErrorToResult(int error) {
    switch (error) {
        case ENOENT:
            return 2;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return 3;
        case EACCES:
        case EPERM:
            return 5;
        case ENOMEM:
            return 8;
        case EAGAIN:
            return 0;
        case ENOEXEC:
            return 11;
        case ETXTBSY:
            return 26;
        default:
            return -error;
    }
}

}  // namespace tavrin::platform::posix
