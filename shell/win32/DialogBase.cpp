#include "shell/win32/DialogBase.h"

namespace tavrin::shell::win32 {

CDialogBase::~CDialogBase() {
    if (m_hwnd != nullptr && !m_modal) {
        // The derived part is gone: the window's last messages must not reach it.
        SetWindowLongPtrW(m_hwnd, DWLP_USER, 0);
        DestroyWindow(m_hwnd);
    }
}

INT_PTR CDialogBase::RunModal(HWND owner) {
    m_modal = true;
    const INT_PTR result =
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), owner,
                        &CDialogBase::DialogProc, reinterpret_cast<LPARAM>(this));
    m_hwnd = nullptr;
    return result;
}

HWND CDialogBase::CreateModeless(HWND owner) {
    m_modal = false;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), owner,
                              &CDialogBase::DialogProc, reinterpret_cast<LPARAM>(this));
}

void CDialogBase::Close(int result) {
    if (m_modal) {
        EndDialog(m_hwnd, result);
    } else {
        DestroyWindow(m_hwnd);
    }
}

INT_PTR CALLBACK CDialogBase::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        reinterpret_cast<CDialogBase*>(lParam)->m_hwnd = hwnd;
    }
    auto* self = reinterpret_cast<CDialogBase*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        self->m_hwnd = nullptr;
        return FALSE;
    }
    return self->OnMessage(message, wParam, lParam);
}

}  // namespace tavrin::shell::win32
