#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/UrlOpener.h"
#include "shell/DialogWindow.h"
#include "shell/GeneratorDlg.h"
#include "shell/win32/DialogBase.h"
#include "shell/win32/PathBox.h"
#include "shell/win32/Win32Handles.h"

namespace tavrin::shell::win32 {

// The main dialog as a native dialog from resource 301: the window side of CGeneratorDlg.
// Notifications go to the dialog's handlers through the shared routes (shell/DialogEvents.h);
// texts cross here between UTF-16 and code page 932. Run modally, it returns 1 when closed
// with the close button, 2 when cancelled.
class CMainWindow : public CDialogBase, public IDialogWindow {
public:
    CMainWindow(CGeneratorDlg& dialog, platform::IUrlOpener& opener);

    std::string GetText(int controlId) override;
    void SetText(int controlId, std::string_view text) override;
    void EnableControl(int controlId, bool enable) override;
    bool GetCheck(int controlId) override;
    void SetCheck(int controlId, bool checked) override;
    void SetToolTip(int controlId, std::string_view text) override;
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

private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInitDialog();
    void OnCommand(int id, int code);
    HWND Item(int controlId) const { return GetDlgItem(m_hwnd, controlId); }

    CGeneratorDlg& m_dialog;
    platform::IUrlOpener& m_opener;
    // True while the window writes a control's text itself: the change notification that
    // the write raises is not the user's.
    bool m_writing = false;
    UniqueIcon m_icon;
    UniqueIcon m_smallIcon;
    CPathBoxes m_pathBoxes;
};

}  // namespace tavrin::shell::win32
