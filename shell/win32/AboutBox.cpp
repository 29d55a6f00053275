#include "shell/win32/AboutBox.h"

#include "shell/AboutInfo.h"
#include "shell/ResourceIds.h"
#include "shell/win32/Win32Text.h"
#include "shell/win32/WindowPlacement.h"

namespace tavrin::shell::win32 {

CAboutBox::CAboutBox(platform::IUrlOpener& opener) : m_linkHome(opener), m_linkMail(opener) {}

void CAboutBox::RunModal(HWND owner) {
    m_modal = true;
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIddAboutBox), owner,
                    &CAboutBox::DialogProc, reinterpret_cast<LPARAM>(this));
}

HWND CAboutBox::CreateModeless(HWND owner) {
    m_modal = false;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIddAboutBox), owner,
                              &CAboutBox::DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CAboutBox::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<CAboutBox*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    return self == nullptr ? FALSE : self->OnMessage(hwnd, message, wParam, lParam);
}

void CAboutBox::OnInitDialog(HWND hwnd) {
    m_linkHome.Attach(GetDlgItem(hwnd, kIdcHomeLink));
    m_linkMail.Attach(GetDlgItem(hwnd, kIdcMailLink));
    m_linkMail.SetTarget(MailTarget());

    std::string productName = Narrow(WindowTextOf(GetDlgItem(hwnd, kIdcProductName)));
    std::string version = Narrow(WindowTextOf(GetDlgItem(hwnd, kIdcProductVersion)));
    ApplyVersionInfo(productName, version);
    SetDlgItemTextW(hwnd, kIdcProductName, Wide(productName).c_str());
    SetDlgItemTextW(hwnd, kIdcProductVersion, Wide(version).c_str());
    CentreDialog(hwnd);
}

INT_PTR CAboutBox::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(hwnd);
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
                if (m_modal) {
                    EndDialog(hwnd, id);
                } else {
                    DestroyWindow(hwnd);
                }
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
