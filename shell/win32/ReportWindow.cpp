#include "shell/win32/ReportWindow.h"

#include <string>

#include "shell/ResourceIds.h"
#include "shell/win32/DialogBase.h"
#include "shell/win32/Win32Text.h"
#include "shell/win32/WindowPlacement.h"

namespace tavrin::shell::win32 {

namespace {

// An edit box breaks lines at CR LF only.
std::wstring WithCrLf(const std::wstring& text) {
    std::wstring result;
    result.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) {
            result += L'\r';
        }
        result += text[i];
    }
    return result;
}

class CReportWindow : public CDialogBase {
public:
    CReportWindow(std::string_view title, std::string_view text)
        : CDialogBase(kIddReport), m_title(Wide(title)), m_text(WithCrLf(Wide(text))) {}

private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) override {
        switch (message) {
            case WM_INITDIALOG: {
                SetWindowTextW(m_hwnd, m_title.c_str());
                SetDlgItemTextW(m_hwnd, kIdcReportText, m_text.c_str());
                CentreDialog(m_hwnd);
                // The focus on the text, nothing selected: ready to scroll with the keys.
                HWND text = GetDlgItem(m_hwnd, kIdcReportText);
                SetFocus(text);
                SendMessageW(text, EM_SETSEL, 0, 0);
                return FALSE;
            }
            case WM_COMMAND:
                if (LOWORD(wParam) == kIdOk || LOWORD(wParam) == kIdCancel) {
                    Close(LOWORD(wParam));
                    return TRUE;
                }
                return FALSE;
            default:
                return FALSE;
        }
    }

    std::wstring m_title;
    std::wstring m_text;
};

}  // namespace

void RunReportWindow(HWND owner, std::string_view title, std::string_view text) {
    CReportWindow(title, text).RunModal(owner);
}

}  // namespace tavrin::shell::win32
