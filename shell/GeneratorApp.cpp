#include "shell/GeneratorApp.h"

#include "platform/CurrentDirectory.h"
#include "platform/NativePath.h"
#include "platform/TextFile.h"
#include "platform/UserName.h"

namespace tavrin::shell {

bool CGeneratorApp::InitInstance(const std::function<void(CGeneratorDlg& dialog)>& runDialog) {
    // One file per user and start directory, fixed now: the file-open dialog may move the
    // current directory later. The separator goes in without a look at the directory's end,
    // so a root directory gives two in a row, which the system takes as one.
    const std::string directory = platform::CurrentDirectory();
    m_settingsPath = (directory.empty() ? std::string() : directory + platform::kNativeSeparator) +
                     platform::AccountUserName() + ".cfg";
    // A start folder that code page 932 cannot name gives a relative path; the run may move
    // the current directory, so the folder is kept as the system names it and entered again
    // before the settings are saved.
    const std::filesystem::path startFolder =
        directory.empty() ? platform::NativeCurrentDirectory() : std::filesystem::path();

    // Ended from outside (a terminal's Ctrl-C, a session's end) during a generation, the
    // program removes the temporary file of the write under way before it goes.
    platform::RemoveTemporaryFilesOnInterrupt();

    CGeneratorDlg dialog;
    dialog.LoadSettings(m_settingsPath);
    runDialog(dialog);
    // However the dialog was closed: after Cancel the fields hold their last exchanged values.
    if (startFolder.empty() || platform::ChangeCurrentDirectoryNative(startFolder)) {
        dialog.SaveSettings(m_settingsPath);
    }
    return false;
}

}  // namespace tavrin::shell
