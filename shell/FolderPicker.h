#pragma once

#include <string>
#include <string_view>

#include "shell/DialogWindow.h"

namespace tavrin::shell {

// One browse for a folder through the owner window's folder browser, opened at an initial
// folder. Create one per browse and read m_szFolder after a result of 1.
class CFolderPicker {
public:
    // 1 when the user confirmed a folder, whose path is then in m_szFolder; 0 when the browse
    // was cancelled, gave no path, or there is no owner window to run it in. The initial
    // folder is pre-selected without one trailing separator.
    int Browse(IDialogWindow* owner, std::string_view title, std::string_view initialFolder);

    // The same with the title taken from the string table.
    int Browse(IDialogWindow* owner, int titleId, std::string_view initialFolder);

    // The initial folder as the browser is to pre-select it: one trailing separator removed.
    static std::string WithoutTrailingSeparator(std::string_view folder);

    // After a result of 1, the chosen folder's path; otherwise no choice at all.
    std::string m_szFolder;
};

}  // namespace tavrin::shell
