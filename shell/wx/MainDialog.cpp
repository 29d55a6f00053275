#include "shell/wx/MainDialog.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/clntdata.h>
#include <wx/combobox.h>
#include <wx/display.h>
#include <wx/iconbndl.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

#include "engine/StringTable.h"
#include "platform/NativePath.h"
#include "shell/DialogEvents.h"
#include "shell/PathBox.h"
#include "shell/ResourceIds.h"
#include "shell/wx/AboutBox.h"
#include "shell/wx/FrameHeight.h"
#include "shell/wx/LayoutResources.h"
#include "shell/wx/ListAccessKey.h"
#include "shell/wx/ListCursor.h"
#include "shell/wx/MessageBox.h"
#include "shell/wx/PathBox.h"
#include "shell/wx/ReportDialog.h"
#include "shell/wx/ThemeBackground.h"
#include "shell/wx/WxText.h"

// Icon 302, drawn for Tavrin (res/make_icon.py).
#include "res/TavrinIcon16.xpm"
#include "res/TavrinIcon32.xpm"

namespace tavrin::shell::wx {

namespace {

// The code page 932 bytes behind a list entry. The toolkit holds Unicode, and some code page
// 932 characters share one Unicode character (the NEC and IBM duplicates), so the text the
// list shows would not always give the table's name back byte for byte.
class CBytesClientData : public wxClientData {
public:
    explicit CBytesClientData(std::string_view bytes) : m_bytes(bytes) {}
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

std::string EntryBytes(wxItemContainer& items, int index) {
    if (index < 0 || static_cast<unsigned>(index) >= items.GetCount()) {
        return {};
    }
    if (auto* data = dynamic_cast<CBytesClientData*>(items.GetClientObject(index))) {
        return data->Bytes();
    }
    return FromWx(items.GetString(index));
}

// The title of the resource script's file dialog: the one the file-open dialog of a Japanese
// Windows shows when the program gives none.
const char kFileOpenTitle[] = "開く";

wxEventTypeTag<wxCommandEvent> EventTypeOf(ControlEvent event) {
    switch (event) {
        case ControlEvent::Clicked:
            return wxEVT_BUTTON;
        case ControlEvent::SelectionChanged:
            return wxEVT_LISTBOX;
        case ControlEvent::TextChanged:
            break;
    }
    return wxEVT_TEXT;
}

wxIconBundle ApplicationIcons() {
    wxIconBundle icons;
    icons.AddIcon(wxIcon(tavrin_icon_16_xpm));
    icons.AddIcon(wxIcon(tavrin_icon_32_xpm));
    return icons;
}

}  // namespace

CMainDialog::CMainDialog(wxWindow* parent, CGeneratorDlg& dialog,
                         std::unique_ptr<INativeChoosers> choosers, platform::IUrlOpener& opener)
    : m_dialog(dialog),
      m_choosers(choosers ? std::move(choosers) : std::make_unique<CNativeChoosers>()),
      m_opener(opener) {
    LoadLayoutResources();
    bool created = wxXmlResource::Get()->LoadDialog(this, parent, "IDD_MAIN_DIALOG");
    wxASSERT_MSG(created, "the layout of dialog 301 is not compiled in");
    (void)created;
    SetIcons(ApplicationIcons());
    PaintThemeBackground(*this);
    AimAccessKeysAtLists(*this);

    for (const EventRoute& route : kEventRoutes) {
        // The toolkit's writes raise no change events (ChangeValue).
        Bind(
            EventTypeOf(route.event),
            [this, route](wxCommandEvent&) {
                RouteControlEvent(m_dialog, route.controlId, route.event);
            },
            route.controlId);
    }
    Bind(wxEVT_BUTTON, &CMainDialog::OnCloseButton, this, kIdOk);
    Bind(wxEVT_CHAR_HOOK, &CMainDialog::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &CMainDialog::OnCloseWindow, this);
    AddAboutCommand();
    for (int id : {kIdcOutputFolder, kIdcResourceFile}) {
        AttachPathBox(*ControlOf<wxTextCtrl>(id));
    }

    m_dialog.AttachWindow(*this);
    m_dialog.OnInitDialog();
    FitIntoDisplay();
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        FitIntoDisplay();
    });
    Centre();
}

template <class Control>
Control* CMainDialog::ControlOf(int controlId) {
    auto* control = dynamic_cast<Control*>(FindWindow(controlId));
    wxASSERT_MSG(control != nullptr,
                 wxString::Format("dialog 301 has no such control %d", controlId));
    return control;
}

std::string CMainDialog::GetText(int controlId) {
    if (auto* entry = ControlOf<wxTextEntry>(controlId)) {
        return FromWx(entry->GetValue());
    }
    return {};
}

void CMainDialog::SetText(int controlId, std::string_view text) {
    // ChangeValue: a write raises no change notification. Text that is already there is
    // left alone, and the caret keeps its place in text that changed: a character typed that
    // code page 932 cannot hold turns into "?" where the user is typing, and the next one
    // follows it, as in a Windows box, which never held the character.
    if (auto* entry = ControlOf<wxTextEntry>(controlId)) {
        wxString value = ToWx(text);
        if (entry->GetValue() != value) {
            const long caret = entry->GetInsertionPoint();
            entry->ChangeValue(value);
            entry->SetInsertionPoint(std::min(caret, entry->GetLastPosition()));
            if (IsPathBox(controlId)) {
                ShowPathEnd(*ControlOf<wxTextCtrl>(controlId));
            }
        }
    }
}

void CMainDialog::EnableControl(int controlId, bool enable) {
    if (wxWindow* control = FindWindow(controlId)) {
        control->Enable(enable);
    }
}

bool CMainDialog::GetCheck(int controlId) {
    auto* box = ControlOf<wxCheckBox>(controlId);
    return box != nullptr && box->GetValue();
}

void CMainDialog::SetCheck(int controlId, bool checked) {
    if (auto* box = ControlOf<wxCheckBox>(controlId)) {
        box->SetValue(checked);
    }
}

void CMainDialog::SetToolTip(int controlId, std::string_view text) {
    if (wxWindow* control = FindWindow(controlId)) {
        control->SetToolTip(ToWx(text));
    }
}

void CMainDialog::SetTitle(std::string_view text) {
    wxDialog::SetTitle(ToWx(text));
}

void CMainDialog::ShowReport(std::string_view title, std::string_view text) {
    CReportDialog report(this, ToWx(title), ToWx(text));
    report.ShowModal();
}

void CMainDialog::ListReset(int controlId) {
    if (auto* list = ControlOf<wxListBox>(controlId)) {
        list->Clear();
    }
}

void CMainDialog::ListAdd(int controlId, std::string_view text) {
    if (auto* list = ControlOf<wxListBox>(controlId)) {
        list->Append(ToWx(text), new CBytesClientData(text));
        if (list->GetCount() == 1) {
            // The list opens with nothing selected and must stay so when it gains the focus.
            PlaceCursorWithoutSelecting(*list);
        }
    }
}

int CMainDialog::ListGetSelection(int controlId) {
    auto* list = ControlOf<wxListBox>(controlId);
    return list != nullptr ? list->GetSelection() : -1;
}

std::string CMainDialog::ListGetText(int controlId, int index) {
    auto* list = ControlOf<wxListBox>(controlId);
    return list != nullptr ? EntryBytes(*list, index) : std::string();
}

void CMainDialog::ComboReset(int controlId) {
    if (auto* combo = ControlOf<wxComboBox>(controlId)) {
        combo->Clear();
    }
}

void CMainDialog::ComboAdd(int controlId, std::string_view text) {
    // The combo box sorts as it adds and keeps duplicates.
    if (auto* combo = ControlOf<wxComboBox>(controlId)) {
        combo->Append(ToWx(text), new CBytesClientData(text));
    }
}

int CMainDialog::ComboGetCount(int controlId) {
    auto* combo = ControlOf<wxComboBox>(controlId);
    return combo != nullptr ? static_cast<int>(combo->GetCount()) : 0;
}

std::string CMainDialog::ComboGetText(int controlId, int index) {
    auto* combo = ControlOf<wxComboBox>(controlId);
    return combo != nullptr ? EntryBytes(*combo, index) : std::string();
}

void CMainDialog::ComboSelect(int controlId, int index) {
    // Selecting the entry that already shows would rewrite the edit part all the same.
    auto* combo = ControlOf<wxComboBox>(controlId);
    if (combo != nullptr && (combo->GetSelection() != index ||
                             combo->GetValue() != combo->GetString(static_cast<unsigned>(index)))) {
        combo->SetSelection(index);
    }
}

int CMainDialog::ShowMessageBox(std::string_view text, int style) {
    const bool yesNo = style == kMbYesNoExclamation;
    CMessageBox box(this, ToWx(text), ToWx(LoadText(IDS_APP_TITLE)),
                    (yesNo ? wxYES_NO : wxOK) | wxICON_EXCLAMATION);
    if (yesNo) {
        // A box without a Cancel button would otherwise take Escape and its close box for a
        // click of its affirmative button, Yes.
        box.SetEscapeId(wxID_NO);
    }
    return MessageBoxAnswer(style, box.ShowModal() == wxID_YES);
}

bool CMainDialog::RunFolderBrowser(std::string_view title, std::string_view initialFolder,
                                   std::string& chosenFolder) {
    // The browser is opened at the folder as generation would resolve it, so a relative
    // folder is pre-selected too. A folder that is no valid path opens the browser's default.
    wxString initial;
    if (!initialFolder.empty()) {
        if (std::optional<std::filesystem::path> native = platform::ToNativePath(initialFolder)) {
            std::error_code error;
            std::filesystem::path absolute = std::filesystem::absolute(*native, error);
            initial = FromFsPath(error ? *native : absolute);
        }
    }
    std::optional<wxString> folder = m_choosers->ChooseFolder(this, ToWx(title), initial);
    if (!folder || folder->empty()) {
        return false;
    }
    chosenFolder = platform::FromNativePath(ToFsPath(*folder));
    return true;
}

bool CMainDialog::RunFileOpenDialog(std::string_view description, std::string_view wildcard,
                                    std::string_view defaultExtension, std::string& chosenPath) {
    std::optional<wxString> file = m_choosers->ChooseFileToOpen(
        this, wxString::FromUTF8(kFileOpenTitle), ToWx(description) + "|" + ToWx(wildcard));
    if (!file || file->empty()) {
        return false;
    }
    std::error_code error;
    std::filesystem::path path = ToFsPath(*file);
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    path = WithDefaultExtension(error ? path : absolute, defaultExtension);
    // As the Windows dialog does, the folder the user went to stays the current directory:
    // relative output folders and template files resolve against it from now on.
    std::filesystem::current_path(path.parent_path(), error);
    chosenPath = platform::FromNativePath(path);
    return true;
}

void CMainDialog::ShowAboutBox() {
    CAboutBox box(this, m_opener);
    box.ShowModal();
}

std::unique_ptr<wxMenu> CMainDialog::CreateAboutMenu() const {
    const std::vector<MenuEntry> entries = MenuEntries();
    if (entries.empty()) {
        return nullptr;
    }
    auto menu = std::make_unique<wxMenu>();
    for (const MenuEntry& entry : entries) {
        menu->Append(entry.id, ToWx(entry.text));
    }
    return menu;
}

void CMainDialog::AddAboutCommand() {
    const std::vector<MenuEntry> entries = MenuEntries();
    if (entries.empty()) {
        return;
    }
#ifdef __WXMSW__
    if (wxMenu* systemMenu = MSWGetSystemMenu()) {
        systemMenu->AppendSeparator();
        for (const MenuEntry& entry : entries) {
            systemMenu->Append(entry.id, ToWx(entry.text));
        }
    }
#else
    // No system menu here: the commands go into the dialog's context menu instead.
    Bind(wxEVT_CONTEXT_MENU, &CMainDialog::OnContextMenu, this);
#endif
    for (const MenuEntry& entry : entries) {
        Bind(
            wxEVT_MENU, [this, id = entry.id](wxCommandEvent&) { m_dialog.OnSysCommand(id); },
            entry.id);
    }
}

void CMainDialog::OnContextMenu(wxContextMenuEvent& event) {
    // The text boxes and the combo box keep their own menu (cut, copy, paste).
    if (dynamic_cast<wxTextEntry*>(event.GetEventObject()) != nullptr) {
        event.Skip();
        return;
    }
    if (std::unique_ptr<wxMenu> menu = CreateAboutMenu()) {
        PopupMenu(menu.get(), ContextMenuPosition(event));
    }
}

wxPoint CMainDialog::ContextMenuPosition(const wxContextMenuEvent& event) const {
    if (event.GetPosition() != wxDefaultPosition) {
        return ScreenToClient(event.GetPosition());
    }
    // The menu key: the menu opens on the control that has the focus, wherever the mouse is.
    auto* control = dynamic_cast<wxWindow*>(event.GetEventObject());
    if (control == nullptr || control == this) {
        return wxPoint(0, 0);
    }
    return ScreenToClient(control->GetScreenPosition());
}

void CMainDialog::FitIntoDisplay() {
    // The layout is in dialog units, which grow with the font: at a large scale the dialog can
    // be taller than the screen, and as it cannot be resized, its buttons would be out of
    // reach. The template list, which scrolls, gives up the height that does not fit. The
    // title bar's height is known only once the window manager has framed the window, so this
    // is checked again whenever the window's size changes.
    auto* list = ControlOf<wxListBox>(kIdcTemplateList);
    const int frame = std::max(FrameDecorationHeight(*this), 0);
    const int overflow =
        GetSizer()->GetMinSize().GetHeight() + frame - wxDisplay(this).GetClientArea().GetHeight();
    if (overflow <= 0 || list == nullptr) {
        return;
    }
    const wxSize listSize = list->GetMinSize();
    const int height = std::max(listSize.GetHeight() - overflow, 3 * list->GetCharHeight());
    if (height < listSize.GetHeight()) {
        list->SetMinSize(wxSize(listSize.GetWidth(), height));
        GetSizer()->SetSizeHints(this);
    }
}

void CMainDialog::OnCloseButton(wxCommandEvent&) {
    m_dialog.OnOK();
    End(kIdOk);
}

void CMainDialog::OnCharHook(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_ESCAPE && event.GetModifiers() == wxMOD_NONE) {
        Cancel();
        return;
    }
    event.Skip();
}

void CMainDialog::OnCloseWindow(wxCloseEvent&) {
    Cancel();
}

void CMainDialog::Cancel() {
    m_dialog.OnCancel();
    End(kIdCancel);
}

void CMainDialog::End(int result) {
    if (IsModal()) {
        EndModal(result);
    } else {
        SetReturnCode(result);
        Hide();
    }
}

}  // namespace tavrin::shell::wx
