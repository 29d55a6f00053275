#include "shell/win32/ReportWindow.h"

#include <string>

#include "shell/ResourceIds.h"
#include "shell/win32/Win32Text.h"
#include "shell/win32/WindowPlacement.h"

namespace tavrin::shell::win32 {

namespace {

struct Report {
    std::wstring title;
    std::wstring text;
};

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

INT_PTR CALLBACK ReportProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            const auto* report = reinterpret_cast<const Report*>(lParam);
            SetWindowTextW(hwnd, report->title.c_str());
            SetDlgItemTextW(hwnd, kIdcReportText, report->text.c_str());
            CentreDialog(hwnd);
            // The focus on the text, nothing selected: ready to scroll with the keys.
            HWND text = GetDlgItem(hwnd, kIdcReportText);
            SetFocus(text);
            SendMessageW(text, EM_SETSEL, 0, 0);
            return FALSE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == kIdOk || LOWORD(wParam) == kIdCancel) {
                EndDialog(hwnd, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void RunReportWindow(HWND owner, std::string_view title, std::string_view text) {
    const Report report{Wide(title), WithCrLf(Wide(text))};
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIddReport), owner, &ReportProc,
                    reinterpret_cast<LPARAM>(&report));
}

}  // namespace tavrin::shell::win32
