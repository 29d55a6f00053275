#pragma once

#include <functional>
#include <optional>
#include <string>

#include "engine/TemplateLocation.h"
#include "shell/GeneratorDlg.h"

namespace tavrin::shell {

// The program's run: the templates and the settings file are located (the start folder's own
// set, else the user's), the main dialog's four persisted fields are restored from the
// settings file, the dialog runs once, modally, and the fields are saved again however it
// was closed.
class CGeneratorApp {
public:
    // The start folder was handed over by a launcher ("Open with" on a project folder).
    void SetFolderGiven(bool given) { m_folderGiven = given; }

    // Where to look instead of this installation's places (tests).
    void SetTemplatePlaces(TemplatePlaces places) { m_places = std::move(places); }

    // `runDialog` shows `dialog` in a real window and returns when the window has closed.
    // Returns false, as the program ends with the dialog.
    bool InitInstance(const std::function<void(CGeneratorDlg& dialog)>& runDialog);

    // The settings file of this run; empty when none can be kept.
    const std::string& SettingsPath() const { return m_settingsPath; }

private:
    bool m_folderGiven = false;
    std::optional<TemplatePlaces> m_places;
    std::string m_settingsPath;
};

}  // namespace tavrin::shell
