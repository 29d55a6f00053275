#pragma once

#include <windows.h>

#include <memory>

#include "platform/UrlOpener.h"
#include "shell/win32/LinkLabel.h"

namespace tavrin::shell::win32 {

// The About box, dialog 8000: product name and version from the executable's own version
// resource, and the two links.
class CAboutBox {
public:
    explicit CAboutBox(platform::IUrlOpener& opener);

    // Runs the box modally over `owner`.
    void RunModal(HWND owner);

    // Creates it without waiting, for a caller that drives it with messages; the caller
    // destroys the window before the box.
    HWND CreateModeless(HWND owner);

    CLinkLabel& MailLink() { return m_linkMail; }
    CLinkLabel& HomeLink() { return m_linkHome; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog(HWND hwnd);

    CLinkLabel m_linkHome;
    CLinkLabel m_linkMail;
    bool m_modal = false;
};

// Runs a fresh About box: the links start unvisited each time.
void RunAboutBox(HWND owner, platform::IUrlOpener& opener);

}  // namespace tavrin::shell::win32
