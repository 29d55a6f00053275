#pragma once

#include <windows.h>

#include <memory>

#include "platform/UrlOpener.h"
#include "shell/win32/DialogBase.h"
#include "shell/win32/LinkLabel.h"

namespace tavrin::shell::win32 {

// The About box, dialog 8000: product name and version from the executable's own version
// resource, and the two links. Run modally over the main dialog; created modeless in tests.
class CAboutBox : public CDialogBase {
public:
    explicit CAboutBox(platform::IUrlOpener& opener);

    CLinkLabel& MailLink() { return m_linkMail; }
    CLinkLabel& HomeLink() { return m_linkHome; }

private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInitDialog();

    CLinkLabel m_linkHome;
    CLinkLabel m_linkMail;
};

// Runs a fresh About box: the links start unvisited each time.
void RunAboutBox(HWND owner, platform::IUrlOpener& opener);

}  // namespace tavrin::shell::win32
