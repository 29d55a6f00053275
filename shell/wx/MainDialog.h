#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <wx/dialog.h>

#include "platform/UrlOpener.h"
#include "shell/DialogWindow.h"
#include "shell/GeneratorDlg.h"
#include "shell/wx/NativeChoosers.h"

class wxCommandEvent;
class wxKeyEvent;
class wxCloseEvent;
class wxContextMenuEvent;
class wxMenu;
class wxPoint;

namespace tavrin::shell::wx {

// The main dialog's window on wxWidgets. It holds no behaviour of its own: it builds the
// controls of dialog 301 from the layout resource, hands every event to the CGeneratorDlg
// it shows, and converts between code page 932 and the toolkit's text at its edge.
class CMainDialog : public wxDialog, public IDialogWindow {
public:
    // Builds the window and runs the dialog's opening (which may already show a message
    // box). `choosers` replaces the native file and folder choosers (tests); null for the
    // real ones. The About box's links open with `opener`, which must outlive the window.
    CMainDialog(wxWindow* parent, CGeneratorDlg& dialog,
                std::unique_ptr<INativeChoosers> choosers = nullptr,
                platform::IUrlOpener& opener = platform::SystemUrlOpener());

    // IDialogWindow
    std::string GetText(int controlId) override;
    void SetText(int controlId, std::string_view text) override;
    void EnableControl(int controlId, bool enable) override;
    bool GetCheck(int controlId) override;
    void SetCheck(int controlId, bool checked) override;
    void SetToolTip(int controlId, std::string_view text) override;
    using wxDialog::SetTitle;  // the toolkit's own, for wxString
    void SetTitle(std::string_view text) override;
    void ListReset(int controlId) override;
    void ListAdd(int controlId, std::string_view text) override;
    int ListGetSelection(int controlId) override;
    std::string ListGetText(int controlId, int index) override;
    void ComboReset(int controlId) override;
    void ComboAdd(int controlId, std::string_view text) override;
    int ComboGetCount(int controlId) override;
    std::string ComboGetText(int controlId, int index) override;
    void ComboSelect(int controlId, int index) override;
    int ShowMessageBox(std::string_view text, int style) override;
    bool RunFolderBrowser(std::string_view title, std::string_view initialFolder,
                          std::string& chosenFolder) override;
    bool RunFileOpenDialog(std::string_view description, std::string_view wildcard,
                           std::string_view defaultExtension, std::string& chosenPath) override;
    void ShowAboutBox() override;
    void ShowReport(std::string_view title, std::string_view text) override;

    // Where the platform has no system menu (GTK), the menu's commands sit in this menu, which
    // the dialog pops up on a right click or the menu key. Null when string 500 is empty.
    std::unique_ptr<wxMenu> CreateAboutMenu() const;

private:
    template <class Control>
    Control* ControlOf(int controlId);

    // Where the context menu opens, in client coordinates: at the pointer for a click, at the
    // focused control for the menu key.
    wxPoint ContextMenuPosition(const wxContextMenuEvent& event) const;
    void FitIntoDisplay();
    void AddAboutCommand();
    void OnCloseButton(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnCloseWindow(wxCloseEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    void Cancel();
    void End(int result);

    CGeneratorDlg& m_dialog;
    std::unique_ptr<INativeChoosers> m_choosers;
    platform::IUrlOpener& m_opener;
};

}  // namespace tavrin::shell::wx
