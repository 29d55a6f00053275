#include "shell/StartFolder.h"

#include "engine/StringTable.h"
#include "platform/CurrentDirectory.h"
#include "platform/FolderListing.h"
#include "platform/NativePath.h"

#ifndef TAVRIN_VERSION
#define TAVRIN_VERSION "unknown"
#endif

namespace tavrin::shell {

std::optional<std::string> StartOptionAnswer(const std::vector<std::filesystem::path>& arguments) {
    if (arguments.size() != 1) {
        return std::nullopt;
    }
    const std::filesystem::path& option = arguments.front();
    if (option == "--version") {
        return "tavrin " TAVRIN_VERSION "\n";
    }
    if (option != "--help" && option != "-h") {
        return std::nullopt;
    }
    return "usage: tavrin [FOLDER]\n"
           "       tavrin --help | --version\n"
           "\n"
           "Opens the dialog that writes the header and source file of a new class from a\n"
           "template. FOLDER (default: the current directory) is where it works: the class is\n"
           "written there, and its template.tbl is used when it has one; otherwise your own\n"
           "template folder is, made from the installed examples the first time.\n"
           "See tavrin(1) and tavrin-cli(1).\n";
}

std::optional<std::string> EnterStartFolder(const std::vector<std::filesystem::path>& arguments) {
    if (arguments.empty()) {
        return std::nullopt;
    }
    const std::filesystem::path& folder = arguments.front();
    // Starting in another folder than the one asked for would read and write another folder's
    // settings and files without the user noticing: a folder that cannot be entered ends the
    // run instead.
    if (!folder.empty() && platform::ChangeCurrentDirectoryNative(folder)) {
        return std::nullopt;
    }
    return FormatString(IDS_START_FOLDER_FAILED, {platform::FromNativePath(folder)});
}

std::optional<std::string> SoleResourceScript() {
    std::optional<std::filesystem::path> found =
        platform::SoleFileWithExtension(platform::NativeCurrentDirectory(), ".rc");
    std::string path = found ? platform::ExactCp932Path(*found) : std::string();
    return path.empty() ? std::nullopt : std::optional<std::string>(std::move(path));
}

}  // namespace tavrin::shell
