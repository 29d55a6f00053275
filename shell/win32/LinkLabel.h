#pragma once

#include <windows.h>

#include <string>

#include "platform/UrlOpener.h"
#include "shell/LinkLabelState.h"
#include "shell/win32/Win32Handles.h"

namespace tavrin::shell::win32 {

// A static control of a dialog turned into a hyperlink: underlined, in the link colours of
// CLinkLabelState, fitted to its text, with the hand cursor and a tooltip naming the target.
// Its dialog hands it the static control's colour requests and its clicks.
class CLinkLabel {
public:
    explicit CLinkLabel(platform::IUrlOpener& opener);
    ~CLinkLabel();
    CLinkLabel(const CLinkLabel&) = delete;
    CLinkLabel& operator=(const CLinkLabel&) = delete;

    // Subclasses `control`: a label without a target takes the control's text as target, an
    // empty control shows the target.
    void Attach(HWND control);

    // A new target; the shown text stays, the tooltip follows.
    void SetTarget(std::string target);

    HWND Handle() const { return m_hwnd; }
    const CLinkLabelState& State() const { return m_state; }

    // The dialog's WM_CTLCOLORSTATIC for this control: the link colour on no background.
    HBRUSH OnCtlColor(HDC dc) const;

    // STN_CLICKED from the control: opens the target; a failure beeps and says why.
    void OnClicked();

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
    void FitToText();
    void Repaint();

    platform::IUrlOpener& m_opener;
    CLinkLabelState m_state;
    HWND m_hwnd = nullptr;
    UniqueFont m_fontLink;
    UniqueWindow m_tip;
    // The label holds the mouse capture while the pointer is over it.
    bool m_captured = false;
};

}  // namespace tavrin::shell::win32
