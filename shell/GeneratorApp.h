#pragma once

#include <functional>
#include <string>

#include "shell/GeneratorDlg.h"

namespace tavrin::shell {

// The program's run: the settings file path is fixed from the current directory and the
// account's user name, the main dialog's four persisted fields are restored from it, the
// dialog runs once, modally, and the fields are saved again however it was closed.
class CGeneratorApp {
public:
    // `runDialog` shows `dialog` in a real window and returns when the window has closed.
    // Returns false, as the program ends with the dialog.
    bool InitInstance(const std::function<void(CGeneratorDlg& dialog)>& runDialog);

    // The settings file of this run: current directory, separator, user name, ".cfg".
    const std::string& SettingsPath() const { return m_settingsPath; }

private:
    std::string m_settingsPath;
};

}  // namespace tavrin::shell
