#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/GenerationCommand.h"
#include "engine/TemplateTable.h"
#include "shell/DialogWindow.h"

namespace tavrin::shell {

// The main dialog's behaviour: the fields of one generation request, filled for the user
// from the selected template and the derived class name, and handed to the generation
// command. Fields hold code page 932. The window calls the On... handlers for its events.
class CGeneratorDlg : public IGenerationHost {
public:
    // The window that shows the dialog; attached before OnInitDialog, and used until the
    // dialog has closed.
    void AttachWindow(IDialogWindow& window) { m_window = &window; }

    // Called once when the window is created, before it is shown: system-menu entry aside,
    // fills the template list, the default output folder and the controls. Loads
    // "template.tbl" from the current directory and reports when it holds no template.
    void OnInitDialog();

    // Events of the window.
    void OnSelchangeTemplateList();
    void OnChangeDerivedClassName();  // a change the user made to control 2005
    void OnBrowseOutputFolder();
    void OnBrowseResourceFile();
    void OnGenerate();
    void OnSysCommand(int commandId);  // kIdmAboutBox opens the About box
    void OnOK();                       // the close button: reads the controls into the fields
    void OnCancel();                   // Escape or the window's close box: reads nothing

    void EnableResourceControls();
    void FillDialogResourceIds();

    // Reading (true) copies every control's text into its field; writing (false) copies every
    // field into its control with change notifications locked out, and selects the first
    // combo entry that begins with the dialog ID (ignoring ASCII case), else puts the ID into
    // the combo's edit part.
    void UpdateData(bool saveAndValidate);

    // The four persisted fields, section "TavrinDlg" of the settings file at `path`.
    void LoadSettings(std::string_view path);
    void SaveSettings(std::string_view path);

    // IGenerationHost: how the generation command reaches the user.
    bool FileExists(std::string_view path) override;
    void ShowMessage(const Message& message) override;
    bool AskOverwrite(const Message& question) override;

    // True while UpdateData(false) runs; the window ignores change events then.
    bool NotificationsLocked() const { return m_notificationsLocked; }

    std::string m_strBasicClassName;
    std::string m_strDerivedClassName;
    std::string m_strHeaderFileName;
    std::string m_strSourceFileName;
    std::string m_strOutputFolder;
    std::string m_strResourceFile;
    std::string m_strDialogResourceId;

    CTemplateTable m_templateTable;

private:
    // The selected template's name, or nothing.
    std::optional<std::string> SelectedTemplate();
    // The fields as a request for the selected template.
    GenerationRequest Request();

    IDialogWindow* m_window = nullptr;
    bool m_notificationsLocked = false;
};

}  // namespace tavrin::shell
