#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/ClassGeneration.h"
#include "engine/GenerationCommand.h"
#include "engine/StringTable.h"
#include "engine/TemplateLocation.h"
#include "engine/TemplateTable.h"
#include "platform/UrlOpener.h"
#include "shell/DialogWindow.h"
#include "shell/ResourceIds.h"

namespace tavrin::shell {

// The commands of the window's menu (the system menu, or the context menu where there is
// none), in their order, with their texts.
struct MenuCommand {
    int id;
    StringId text;
};
inline constexpr MenuCommand kMenuCommands[] = {
    {kIdmOpenTemplateFolder, IDS_OPEN_TEMPLATE_FOLDER},
    {kIdmCheckTemplates, IDS_CHECK_TEMPLATES},
    {kIdmPreview, IDS_PREVIEW},
    {kIdmAboutBox, IDS_ABOUTBOX},
};

// The main dialog's behaviour: the fields of one generation request, filled for the user
// from the selected template and the derived class name, and handed to the generation
// command. Fields hold code page 932. The window calls the On... handlers for its events.
class CGeneratorDlg : public IGenerationHost {
public:
    // The window that shows the dialog; attached before OnInitDialog, and used until the
    // dialog has closed.
    void AttachWindow(IDialogWindow& window) { m_window = &window; }

    // Called once when the window is created, before it is shown: system-menu entries aside,
    // fills the template list, the default output folder and the controls, and the dialog IDs
    // of the resource script. Loads the table of m_templateLocation (left empty: the start
    // folder's) and reports when it holds no template; tells the user about a template
    // folder made just now, or why it could not be made.
    void OnInitDialog();

    // Events of the window, routed to these by RouteControlEvent (shell/DialogEvents.h).
    void OnSelchangeTemplateList();
    void OnChangeDerivedClassName();  // a change the user made to control 2005
    void OnBrowseOutputFolder();
    void OnBrowseResourceFile();
    void OnGenerate();
    // The commands of kMenuCommands: the template folder opened, the table's check report
    // shown, the preview of a generation shown, the About box opened.
    void OnSysCommand(int commandId);
    void OnOK();      // the close button: reads the controls into the fields
    void OnCancel();  // Escape or the window's close box: reads nothing

    void EnableResourceControls();
    void FillDialogResourceIds();

    // Reading (true) copies every control's text into its field; writing (false) copies every
    // field into its control with change notifications locked out, and selects the first
    // combo entry that begins with the dialog ID (ignoring ASCII case), else puts the ID into
    // the combo's edit part.
    void UpdateData(bool saveAndValidate);

    // The persisted fields, section "TavrinDlg" of the settings file at `path`: the four
    // boxes, and whether the class is added to the project.
    void LoadSettings(std::string_view path);
    void SaveSettings(std::string_view path);

    // IGenerationHost: how the generation command reaches the user.
    bool FileExists(std::string_view path) override;
    void ShowMessage(const Message& message) override;
    bool AskOverwrite(const Message& question) override;

    // True while UpdateData(false) runs: change events then are the dialog's own, which
    // RouteControlEvent drops.
    bool NotificationsLocked() const { return m_notificationsLocked; }

    std::string m_strBasicClassName;
    std::string m_strDerivedClassName;
    std::string m_strHeaderFileName;
    std::string m_strSourceFileName;
    std::string m_strOutputFolder;
    std::string m_strResourceFile;
    std::string m_strDialogResourceId;
    bool m_bAddToProject = false;
    // The project a class generated now would be added to; empty when there is none.
    std::string m_strProjectFile;

    CTemplateTable m_templateTable;
    TemplateLocation m_templateLocation;
    // What opens the template folder; tests put a recording one here.
    platform::IUrlOpener* m_opener = &platform::SystemUrlOpener();

private:
    // Finds the project for the output folder and script, and offers it (or says there is none).
    void UpdateProject();
    // The project to add the class to, when the user asked for it and there is one.
    std::string ProjectToAddTo() const;
    // Shows what a generation wrote, in the title, and a failed project step in a message box.
    void ShowWritten(const GenerationReport& report);
    void ShowTemplateCheck();
    void ShowPreview();
    void SetTitleNote(std::string_view note);

    // The selected template's name, or nothing.
    std::optional<std::string> SelectedTemplate();
    // The fields as a request for the selected template.
    GenerationRequest Request();

    IDialogWindow* m_window = nullptr;
    bool m_notificationsLocked = false;
};

}  // namespace tavrin::shell
