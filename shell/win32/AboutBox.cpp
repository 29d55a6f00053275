#include "shell/win32/AboutBox.h"

#include "shell/AboutInfo.h"
#include "shell/ResourceIds.h"
#include "shell/win32/Win32Text.h"
#include "shell/win32/WindowPlacement.h"

namespace tavrin::shell::win32 {

CAboutBox::CAboutBox(platform::IUrlOpener& opener)
    : CDialogBase(kIddAboutBox), m_linkHome(opener), m_linkMail(opener) {}

void CAboutBox::OnInitDialog() {
    m_linkHome.Attach(GetDlgItem(m_hwnd, kIdcHomeLink));
    m_linkMail.Attach(GetDlgItem(m_hwnd, kIdcMailLink));
    m_linkMail.SetTarget(MailTarget());

    std::string productName = Narrow(WindowTextOf(GetDlgItem(m_hwnd, kIdcProductName)));
    std::string version = Narrow(WindowTextOf(GetDlgItem(m_hwnd, kIdcProductVersion)));
    ApplyVersionInfo(productName, version);
    SetDlgItemTextW(m_hwnd, kIdcProductName, Wide(productName).c_str());
    SetDlgItemTextW(m_hwnd, kIdcProductVersion, Wide(version).c_str());
    CentreDialog(m_hwnd);
}

INT_PTR CAboutBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return TRUE;
        case WM_CTLCOLORSTATIC: {
            auto* control = reinterpret_cast<HWND>(lParam);
            auto* dc = reinterpret_cast<HDC>(wParam);
            for (CLinkLabel* link : {&m_linkHome, &m_linkMail}) {
                if (control == link->Handle()) {
                    return reinterpret_cast<INT_PTR>(link->OnCtlColor(dc));
                }
            }
            // Every text stands on what is behind it: the texts inside the picture on the picture.
            if (GetDlgCtrlID(control) != kIdcAboutIcon) {
                SetBkMode(dc, TRANSPARENT);
                return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
            }
            return FALSE;
        }
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (HIWORD(wParam) == STN_CLICKED && id == kIdcHomeLink) {
                m_linkHome.OnClicked();
            } else if (HIWORD(wParam) == STN_CLICKED && id == kIdcMailLink) {
                m_linkMail.OnClicked();
            } else if (id == kIdOk || id == kIdCancel) {
                Close(id);
            }
            return TRUE;
        }
        default:
            return FALSE;
    }
}

void RunAboutBox(HWND owner, platform::IUrlOpener& opener) {
    auto box = std::make_unique<CAboutBox>(opener);
    box->RunModal(owner);
}

}  // namespace tavrin::shell::win32
