#pragma once

#include <windows.h>

namespace tavrin::shell::win32 {

// A dialog from a resource template, run modally or created modeless, whose messages go to
// the object behind it: the dialog-procedure plumbing every dialog of the program shares.
class CDialogBase {
public:
    CDialogBase(const CDialogBase&) = delete;
    CDialogBase& operator=(const CDialogBase&) = delete;

    // Runs the dialog modally over `owner` and returns when it has closed, with the result
    // its Close gave (-1 when the template is missing).
    INT_PTR RunModal(HWND owner = nullptr);

    // Creates the dialog without waiting, for a caller that drives it with messages. Closing
    // it destroys the window; so does the object's end. Null when the template is missing.
    HWND CreateModeless(HWND owner = nullptr);

    HWND Handle() const { return m_hwnd; }

protected:
    explicit CDialogBase(int templateId) : m_templateId(templateId) {}
    // Destroys a modeless window still open; its last messages no longer reach the object.
    virtual ~CDialogBase();

    // The dialog's messages, from WM_INITDIALOG on (m_hwnd is set by then) until before
    // WM_NCDESTROY: a dialog procedure's result.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // Ends a modal run with `result`, or destroys a modeless window.
    void Close(int result);

    HWND m_hwnd = nullptr;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    int m_templateId;
    bool m_modal = false;
};

}  // namespace tavrin::shell::win32
