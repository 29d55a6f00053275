#include "shell/StartFolder.h"

#include "engine/StringTable.h"
#include "platform/CurrentDirectory.h"
#include "platform/FolderListing.h"
#include "platform/NativePath.h"

namespace tavrin::shell {

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
