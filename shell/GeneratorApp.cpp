#include "shell/GeneratorApp.h"

#include "platform/CurrentDirectory.h"
#include "platform/NativePath.h"
#include "platform/TextFile.h"
#include "shell/StartFolder.h"

namespace tavrin::shell {

bool CGeneratorApp::InitInstance(const std::function<void(CGeneratorDlg& dialog)>& runDialog) {
    // Fixed now: the file-open dialog may move the current directory later.
    TemplateLocation location = LocateTemplates(m_places ? *m_places : InstalledTemplatePlaces());
    m_settingsPath = location.settingsPath;
    // A start folder that code page 932 cannot name gives a relative path; the run may move
    // the current directory, so the folder is kept as the system names it and entered again
    // before the settings are saved.
    const std::filesystem::path startFolder =
        location.folder.empty() ? platform::NativeCurrentDirectory() : std::filesystem::path();

    // Ended from outside (a terminal's Ctrl-C, a session's end) during a generation, the
    // program removes the temporary file of the write under way before it goes.
    platform::RemoveTemporaryFilesOnInterrupt();

    CGeneratorDlg dialog;
    if (!m_settingsPath.empty()) {
        dialog.LoadSettings(m_settingsPath);
    }
    // "Open with" on a project folder: the class goes there, with the project's script.
    if (m_folderGiven && location.userTemplateSet) {
        dialog.m_strOutputFolder = platform::CurrentDirectory();
        if (std::optional<std::string> script = SoleResourceScript()) {
            dialog.m_strResourceFile = *script;
            dialog.m_strDialogResourceId.clear();
        }
    }
    dialog.m_templateLocation = std::move(location);
    runDialog(dialog);
    // However the dialog was closed: after Cancel the fields hold their last exchanged values.
    if (!m_settingsPath.empty() &&
        (startFolder.empty() || platform::ChangeCurrentDirectoryNative(startFolder))) {
        dialog.SaveSettings(m_settingsPath);
    }
    return false;
}

}  // namespace tavrin::shell
