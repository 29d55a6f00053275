#include "shell/GeneratorDlg.h"

#include <algorithm>
#include <array>
#include <utility>

#include "engine/ClassFileNames.h"
#include "engine/IniFile.h"
#include "engine/Mbcs.h"
#include "engine/ResourceScanner.h"
#include "engine/StringTable.h"
#include "engine/TemplateCheck.h"
#include "platform/CurrentDirectory.h"
#include "platform/FileStatus.h"
#include "shell/FolderPicker.h"
#include "shell/ResourceIds.h"

namespace tavrin::shell {

namespace {

constexpr std::string_view kSettingsSection = "TavrinDlg";
constexpr std::string_view kAddToProjectKey = "AddToProject";

// The controls that only matter for a template with a dialog resource ID, enabled and
// disabled together.
constexpr std::array<int, 5> kResourceControls = {kIdcResourceFileLabel, kIdcResourceFile,
                                                  kIdcBrowseResourceFile, kIdcDialogResourceIdLabel,
                                                  kIdcDialogResourceId};

// The edit boxes and their fields, in exchange order; the combo box follows them.
struct EditField {
    int controlId;
    std::string CGeneratorDlg::*field;
};
constexpr std::array<EditField, 6> kEditFields = {{
    {kIdcBasicClassName, &CGeneratorDlg::m_strBasicClassName},
    {kIdcDerivedClassName, &CGeneratorDlg::m_strDerivedClassName},
    {kIdcHeaderFileName, &CGeneratorDlg::m_strHeaderFileName},
    {kIdcSourceFileName, &CGeneratorDlg::m_strSourceFileName},
    {kIdcOutputFolder, &CGeneratorDlg::m_strOutputFolder},
    {kIdcResourceFile, &CGeneratorDlg::m_strResourceFile},
}};

// A field and the key it goes by. The persisted fields, in the order they are read and
// written:
struct KeyedField {
    std::string_view key;
    std::string CGeneratorDlg::*field;
};
constexpr std::array<KeyedField, 4> kSettings = {{
    {"BasicClassName", &CGeneratorDlg::m_strBasicClassName},
    {"OutputFolder", &CGeneratorDlg::m_strOutputFolder},
    {"ResourceFile", &CGeneratorDlg::m_strResourceFile},
    {"DialogResourceId", &CGeneratorDlg::m_strDialogResourceId},
}};

// A menu command's text as a window's title: without its access key and its dots.
std::string MenuTitle(StringId id) {
    std::string text = LoadText(id);
    if (std::size_t key = text.find("(&"); key != std::string::npos) {
        text.erase(key, 4);
    }
    if (text.size() >= 3 && text.compare(text.size() - 3, 3, "...") == 0) {
        text.resize(text.size() - 3);
    }
    return text;
}

// The check of the table in use, the table named as the user knows it.
std::vector<CheckFinding> CheckTable(const TemplateLocation& location) {
    return CheckTemplateSet(location.tablePath, location.userTemplateSet
                                                    ? location.tablePath
                                                    : std::string(kTemplateTableName));
}

// A preview asks nothing: it shows what replacing the files would do.
class PreviewHost : public IGenerationHost {
public:
    explicit PreviewHost(IGenerationHost& dialog) : m_dialog(dialog) {}
    bool FileExists(std::string_view path) override { return m_dialog.FileExists(path); }
    void ShowMessage(const Message& message) override { m_dialog.ShowMessage(message); }
    bool AskOverwrite(const Message&) override { return true; }

private:
    IGenerationHost& m_dialog;
};

}  // namespace

void CGeneratorDlg::OnInitDialog() {
    std::string currentDirectory = platform::CurrentDirectory();
    if (m_strOutputFolder.empty()) {
        m_strOutputFolder = currentDirectory;
    }
    if (m_templateLocation.tablePath.empty()) {
        m_templateLocation = StartFolderTemplates();
    }
    const TemplateLocation& location = m_templateLocation;

    if (location.problem) {
        m_window->ShowMessageBox(location.problem->Text(), kMbOkExclamation);
    } else if (location.created) {
        m_window->ShowMessageBox(FormatString(IDS_TEMPLATE_FOLDER_CREATED, {location.folder}),
                                 kMbOkExclamation);
    }
    // The dialog opens all the same; generating then reports that nothing is selected.
    const std::optional<Message> unread = LoadTemplateTable(location, m_templateTable);
    if (unread && !location.problem) {
        m_window->ShowMessageBox(unread->Text(), kMbOkExclamation);
    }
    m_window->ListReset(kIdcTemplateList);
    for (int i = 0; i < m_templateTable.GetCount(); ++i) {
        m_window->ListAdd(kIdcTemplateList, m_templateTable.GetAt(i).name);
    }

    UpdateData(false);
    // The remembered script's IDs are offered at once; the ID box shows the remembered ID,
    // or stays empty until the user picks one.
    if (!m_strResourceFile.empty()) {
        FillDialogResourceIds();
    }
    EnableResourceControls();
    UpdateProject();
    // A table with problems says so once, where it does not stop the user; the report is
    // one menu command away.
    if (m_templateTable.GetCount() > 0) {
        const std::vector<CheckFinding> findings = CheckTable(location);
        if (std::any_of(findings.begin(), findings.end(), [](const CheckFinding& finding) {
                return finding.kind == CheckFinding::Kind::kProblem;
            })) {
            SetTitleNote(LoadText(IDS_TEMPLATE_PROBLEMS));
        }
    }
}

void CGeneratorDlg::OnSelchangeTemplateList() {
    std::optional<std::string> templateName = SelectedTemplate();
    if (!templateName) {
        return;
    }
    // Read first, so that what the user typed into a box the template has no default for is
    // not replaced by an older field value when the fields are written back.
    UpdateData(true);
    GenerationRequest request = Request();
    ApplyTemplateDefaults(m_templateTable, *templateName, request);
    m_strBasicClassName = request.basicClassName;
    m_strDerivedClassName = request.derivedClassName;
    m_strHeaderFileName = request.headerFileName;
    m_strSourceFileName = request.sourceFileName;
    // The template's file names stand even when it supplies a derived class name: writing
    // the fields does not derive them anew.
    UpdateData(false);
    EnableResourceControls();
}

void CGeneratorDlg::EnableResourceControls() {
    std::optional<std::string> templateName = SelectedTemplate();
    bool enable = templateName && NeedsDialogResourceId(m_templateTable, *templateName);
    // Disabled controls keep their text; it is still persisted and handed to the command.
    for (int controlId : kResourceControls) {
        m_window->EnableControl(controlId, enable);
    }
}

void CGeneratorDlg::OnBrowseOutputFolder() {
    // The browser starts from the folder as the box shows it, typed or not; a cancelled
    // browse leaves the fields and the boxes as they are.
    CFolderPicker picker;
    if (picker.Browse(m_window, IDS_OUTPUT_FOLDER_TITLE, m_window->GetText(kIdcOutputFolder)) !=
        1) {
        return;
    }
    UpdateData(true);
    m_strOutputFolder = picker.m_szFolder;
    UpdateData(false);
    UpdateProject();
}

void CGeneratorDlg::OnBrowseResourceFile() {
    std::string path;
    if (!m_window->RunFileOpenDialog("Resource files(*.rc)", "*.rc", ".rc", path)) {
        return;
    }
    UpdateData(true);
    m_strResourceFile = path;
    FillDialogResourceIds();
    // Selects the first listed ID that begins with the dialog ID, if any.
    UpdateData(false);
    UpdateProject();
}

void CGeneratorDlg::FillDialogResourceIds() {
    m_window->ComboReset(kIdcDialogResourceId);
    if (!m_strResourceFile.empty()) {
        // An unreadable script, or one without dialogs, just leaves the list empty.
        CResourceScanner scanner;
        if (scanner.Scan(m_strResourceFile)) {
            for (const std::string& id : scanner.GetIds()) {
                m_window->ComboAdd(kIdcDialogResourceId, id);
            }
        }
    }
    m_window->SetText(kIdcDialogResourceId, m_strDialogResourceId);
}

void CGeneratorDlg::OnChangeDerivedClassName() {
    UpdateData(true);
    ClassFileNames names = DeriveFileNames(m_strDerivedClassName);
    m_strHeaderFileName = std::move(names.header);
    m_strSourceFileName = std::move(names.source);
    UpdateData(false);
}

void CGeneratorDlg::OnGenerate() {
    UpdateData(true);
    UpdateProject();
    CClassGenerator generator(m_templateTable, *this);
    ShowWritten(generator.Generate(Request(), ProjectToAddTo()));
}

void CGeneratorDlg::UpdateProject() {
    m_strProjectFile = FindProject(m_strOutputFolder, m_strResourceFile).value_or("");
    m_window->EnableControl(kIdcAddToProject, !m_strProjectFile.empty());
    m_window->SetToolTip(kIdcAddToProject,
                         m_strProjectFile.empty()
                             ? LoadText(IDS_NO_PROJECT_TIP)
                             : FormatString(IDS_ADD_TO_PROJECT_TIP, {m_strProjectFile}));
}

std::string CGeneratorDlg::ProjectToAddTo() const {
    return m_bAddToProject ? m_strProjectFile : std::string();
}

void CGeneratorDlg::SetTitleNote(std::string_view note) {
    std::string title = LoadText(IDS_APP_TITLE);
    if (!note.empty()) {
        title += " - ";
        title += note;
    }
    m_window->SetTitle(title);
}

void CGeneratorDlg::ShowWritten(const GenerationReport& report) {
    if (!report.Written()) {
        // The command has said why, except for a project that refused the class before
        // anything was written.
        if (std::optional<Message> message = ProjectStepMessage(report, m_strProjectFile, false)) {
            ShowMessage(*message);
        }
        return;
    }
    // Said where the user looks next, without a box to close: the file names first, as a
    // narrow title shows its start, then the folder (or the project that now lists them), so
    // that a class written to an unexpected folder is noticed at once.
    const bool added =
        report.project && report.project->status == ProjectRegistration::Status::kAdded;
    SetTitleNote(FormatString(added ? IDS_WRITTEN_AND_ADDED : IDS_WRITTEN,
                              {m_strHeaderFileName, m_strSourceFileName,
                               added                       ? m_strProjectFile
                               : m_strOutputFolder.empty() ? platform::CurrentDirectoryForDisplay()
                                                           : m_strOutputFolder}));
    if (report.ProjectFailed()) {
        if (std::optional<Message> message = ProjectStepMessage(report, m_strProjectFile, false)) {
            ShowMessage(*message);
        }
    }
}

void CGeneratorDlg::ShowTemplateCheck() {
    std::string report;
    bool problems = false;
    for (const CheckFinding& finding : CheckTable(m_templateLocation)) {
        report += FormatFinding(finding) + "\n";
        problems = problems || finding.kind == CheckFinding::Kind::kProblem;
    }
    if (!problems) {
        report = LoadText(IDS_NO_PROBLEMS) + "\n" + report;
    }
    m_window->ShowReport(MenuTitle(IDS_CHECK_TEMPLATES), report);
}

void CGeneratorDlg::ShowPreview() {
    UpdateData(true);
    UpdateProject();
    PreviewHost host(*this);
    CClassGenerator generator(m_templateTable, host);
    const GenerationReport result = generator.Preview(Request(), ProjectToAddTo(), true);
    if (!result.Written() && !result.projectRefused) {
        return;  // the command has said why
    }
    std::string report;
    if (std::optional<Message> message = ProjectStepMessage(result, m_strProjectFile, true)) {
        report += message->Text() + "\n\n";
    }
    for (const PreviewEntry& entry : result.preview) {
        const StringId line = entry.change == PreviewEntry::Change::kCreate    ? IDS_PREVIEW_CREATE
                              : entry.change == PreviewEntry::Change::kReplace ? IDS_PREVIEW_REPLACE
                                                                               : IDS_PREVIEW_SAME;
        report += FormatString(line, {entry.path}) + "\n" + entry.diff;
    }
    m_window->ShowReport(MenuTitle(IDS_PREVIEW), report);
}

void CGeneratorDlg::OnSysCommand(int commandId) {
    // The low four bits of a system command are the system's own.
    if ((commandId & 0xFFF0) == kIdmAboutBox) {
        m_window->ShowAboutBox();
    } else if ((commandId & 0xFFF0) == kIdmCheckTemplates) {
        ShowTemplateCheck();
    } else if ((commandId & 0xFFF0) == kIdmPreview) {
        ShowPreview();
    } else if ((commandId & 0xFFF0) == kIdmOpenTemplateFolder) {
        const std::string& folder = m_templateLocation.folder;
        if (folder.empty() || m_opener->OpenWithDefaultHandler(folder) <= platform::kOpenedAbove) {
            m_window->ShowMessageBox(
                FormatString(IDS_TEMPLATE_FOLDER_OPEN_FAILED,
                             {folder.empty() ? platform::CurrentDirectoryForDisplay() : folder}),
                kMbOkExclamation);
        }
    }
}

void CGeneratorDlg::OnOK() {
    UpdateData(true);
}

void CGeneratorDlg::OnCancel() {
    // Nothing is read: what was typed since the last exchange is dropped.
}

void CGeneratorDlg::UpdateData(bool saveAndValidate) {
    if (saveAndValidate) {
        for (const EditField& edit : kEditFields) {
            this->*edit.field = m_window->GetText(edit.controlId);
        }
        m_strDialogResourceId = m_window->GetText(kIdcDialogResourceId);
        m_bAddToProject = m_window->GetCheck(kIdcAddToProject);
        return;
    }

    bool wasLocked = std::exchange(m_notificationsLocked, true);
    for (const EditField& edit : kEditFields) {
        m_window->SetText(edit.controlId, this->*edit.field);
    }
    m_window->SetCheck(kIdcAddToProject, m_bAddToProject);
    // The first listed ID that the field's text begins shows in full; an ID that begins none
    // is shown as it stands. An empty ID begins every entry and so selects the first one, as
    // the Windows combo box does: once a script is chosen, the box offers its first dialog.
    int count = m_window->ComboGetCount(kIdcDialogResourceId);
    int match = -1;
    for (int i = 0; i < count && match < 0; ++i) {
        if (mbcs::StartsWithIgnoringAsciiCase(m_window->ComboGetText(kIdcDialogResourceId, i),
                                              m_strDialogResourceId)) {
            match = i;
        }
    }
    if (match >= 0) {
        m_window->ComboSelect(kIdcDialogResourceId, match);
    } else {
        m_window->SetText(kIdcDialogResourceId, m_strDialogResourceId);
    }
    m_notificationsLocked = wasLocked;
}

void CGeneratorDlg::LoadSettings(std::string_view path) {
    // A missing file or key reads as empty; values of any length come back whole.
    for (const KeyedField& setting : kSettings) {
        this->*setting.field = ReadIniString(path, kSettingsSection, setting.key, "");
    }
    m_bAddToProject = ReadIniString(path, kSettingsSection, kAddToProjectKey, "0") == "1";
}

void CGeneratorDlg::SaveSettings(std::string_view path) {
    // A settings file that cannot be written costs this run's values, nothing more: no
    // message, as at the end of the run there is no one left to tell.
    for (const KeyedField& setting : kSettings) {
        WriteIniString(path, kSettingsSection, setting.key, this->*setting.field);
    }
    WriteIniString(path, kSettingsSection, kAddToProjectKey, m_bAddToProject ? "1" : "0");
}

bool CGeneratorDlg::FileExists(std::string_view path) {
    return platform::PathExists(path);
}

void CGeneratorDlg::ShowMessage(const Message& message) {
    m_window->ShowMessageBox(message.Text(), kMbOkExclamation);
}

bool CGeneratorDlg::AskOverwrite(const Message& question) {
    // Only an explicit Yes replaces the files: Escape or the question's close box, which some
    // message boxes answer with something else than No, keep them.
    return m_window->ShowMessageBox(question.Text(), kMbYesNoExclamation) == kIdYes;
}

GenerationRequest CGeneratorDlg::Request() {
    return {SelectedTemplate(),  m_strBasicClassName, m_strDerivedClassName, m_strHeaderFileName,
            m_strSourceFileName, m_strOutputFolder,   m_strDialogResourceId};
}

std::optional<std::string> CGeneratorDlg::SelectedTemplate() {
    int index = m_window->ListGetSelection(kIdcTemplateList);
    if (index < 0) {
        return std::nullopt;
    }
    return m_window->ListGetText(kIdcTemplateList, index);
}

}  // namespace tavrin::shell
