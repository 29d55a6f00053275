#pragma once

#include <string>
#include <string_view>

// The window side of the main dialog, keyed by control ID. The dialog's behaviour talks to
// its window only through this, so that it runs and is tested without a display; the real
// window implements it on the toolkit and converts between code page 932 and the toolkit's
// text at its edge.
namespace tavrin::shell {

class IDialogWindow {
public:
    virtual ~IDialogWindow() = default;

    // The text of an edit box or of the combo box's edit part, in code page 932. Characters
    // code page 932 cannot hold come back as "?".
    virtual std::string GetText(int controlId) = 0;

    // Sets a control's text without raising its change notification.
    virtual void SetText(int controlId, std::string_view text) = 0;

    virtual void EnableControl(int controlId, bool enable) = 0;

    // The check box's state.
    virtual bool GetCheck(int controlId) = 0;
    virtual void SetCheck(int controlId, bool checked) = 0;
    // The text shown while the pointer rests on a control.
    virtual void SetToolTip(int controlId, std::string_view text) = 0;
    // The window's title: the program's name, and what the dialog has to say without stopping
    // the user.
    virtual void SetTitle(std::string_view text) = 0;

    // The template list (unsorted): items in the order they are added.
    virtual void ListReset(int controlId) = 0;
    virtual void ListAdd(int controlId, std::string_view text) = 0;
    // The selected index, or -1 when nothing is selected.
    virtual int ListGetSelection(int controlId) = 0;
    virtual std::string ListGetText(int controlId, int index) = 0;

    // The dialog ID combo box: its list keeps itself sorted and keeps duplicates.
    virtual void ComboReset(int controlId) = 0;
    virtual void ComboAdd(int controlId, std::string_view text) = 0;
    virtual int ComboGetCount(int controlId) = 0;
    virtual std::string ComboGetText(int controlId, int index) = 0;
    // Selects a list entry, which then shows in the edit part.
    virtual void ComboSelect(int controlId, int index) = 0;

    // A modal message box with the application's title as caption. `style` is
    // kMbOkExclamation or kMbYesNoExclamation; returns kIdOk, kIdYes or kIdNo.
    virtual int ShowMessageBox(std::string_view text, int style) = 0;

    // The toolkit's folder browser with `title`, opened at `initialFolder` (empty: its
    // default). True with the chosen folder's path when the user confirms one.
    virtual bool RunFolderBrowser(std::string_view title, std::string_view initialFolder,
                                  std::string& chosenFolder) = 0;

    // The toolkit's file-open dialog for one file matching `wildcard` (e.g. "*.rc"), described
    // by `description`; `defaultExtension` is added to a typed name without one. True with
    // the chosen file's full path when the user confirms. Like the Windows dialog, it leaves
    // the folder the user moved to as the current directory.
    virtual bool RunFileOpenDialog(std::string_view description, std::string_view wildcard,
                                   std::string_view defaultExtension, std::string& chosenPath) = 0;

    // Shows the About box (modal).
    virtual void ShowAboutBox() = 0;

    // Shows a report (modal) in a read-only box the user can scroll and copy from.
    virtual void ShowReport(std::string_view title, std::string_view text) = 0;
};

}  // namespace tavrin::shell
