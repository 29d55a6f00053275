#include "shell/FolderPicker.h"

#include "engine/StringTable.h"
#include "platform/NativePath.h"

namespace tavrin::shell {

std::string CFolderPicker::WithoutTrailingSeparator(std::string_view folder) {
    // Character by character: "...表" ends in the trail byte 0x5C, not in a backslash. "/"
    // separates on every system and is never a trail byte, so its last byte tells. A root
    // "/" alone stays, as nothing would be left of it to pre-select; so does "\" where it is
    // no separator.
    const bool rootOnly = folder.size() <= 1;
    const bool windowsRoot = platform::kNativeSeparator == '\\' && folder == "\\";
    if (platform::EndsWithSeparator(folder) && (!rootOnly || windowsRoot)) {
        folder.remove_suffix(1);
    }
    return std::string(folder);
}

int CFolderPicker::Browse(IDialogWindow* owner, std::string_view title,
                          std::string_view initialFolder) {
    m_szFolder = WithoutTrailingSeparator(initialFolder);
    if (owner == nullptr) {
        return 0;
    }
    std::string chosen;
    // A confirmed item without a file-system path is no folder for the caller.
    if (!owner->RunFolderBrowser(title, m_szFolder, chosen) || chosen.empty()) {
        return 0;
    }
    m_szFolder = std::move(chosen);
    return 1;
}

int CFolderPicker::Browse(IDialogWindow* owner, int titleId, std::string_view initialFolder) {
    return Browse(owner, LoadText(titleId), initialFolder);
}

}  // namespace tavrin::shell
