#include "shell/win32/LinkLabel.h"

#include <commctrl.h>
#include <windowsx.h>

#include "engine/StringTable.h"
#include "shell/LinkTarget.h"
#include "shell/win32/Win32Text.h"

namespace tavrin::shell::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr UINT_PTR kToolId = 1;

}  // namespace

CLinkLabel::CLinkLabel(platform::IUrlOpener& opener)
    : m_opener(opener), m_state(static_cast<ColorRef>(GetSysColor(COLOR_HIGHLIGHT))) {}

CLinkLabel::~CLinkLabel() {
    if (m_hwnd != nullptr) {
        RemoveWindowSubclass(m_hwnd, &CLinkLabel::SubclassProc, kSubclassId);
        if (GetCapture() == m_hwnd) {
            ReleaseCapture();
        }
    }
}

void CLinkLabel::Attach(HWND control) {
    m_hwnd = control;
    // The control reports clicks to its dialog only with this style.
    SetWindowLongPtrW(control, GWL_STYLE, GetWindowLongPtrW(control, GWL_STYLE) | SS_NOTIFY);
    const std::string shown = m_state.Attach(Narrow(WindowTextOf(control)));
    SetWindowTextW(control, Wide(shown).c_str());

    auto* font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (font == nullptr) {
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    LOGFONTW description{};
    if (GetObjectW(font, sizeof description, &description) != 0) {
        description.lfUnderline = TRUE;
        m_fontLink.reset(CreateFontIndirectW(&description));
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_fontLink.get()), TRUE);
    }
    FitToText();

    m_tip.reset(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control,
                                nullptr, GetModuleHandleW(nullptr), nullptr));
    if (m_tip != nullptr) {
        std::wstring tipText = Wide(m_state.Target());
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = control;
        tool.uId = kToolId;
        GetClientRect(control, &tool.rect);
        tool.lpszText = tipText.data();
        SendMessageW(m_tip.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SetWindowSubclass(control, &CLinkLabel::SubclassProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
}

void CLinkLabel::SetTarget(std::string target) {
    m_state.SetTarget(std::move(target));
    FitToText();
    if (m_tip != nullptr) {
        std::wstring tipText = Wide(m_state.Target());
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = m_hwnd;
        tool.uId = kToolId;
        tool.lpszText = tipText.data();
        SendMessageW(m_tip.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void CLinkLabel::FitToText() {
    if (m_hwnd == nullptr) {
        return;
    }
    RECT window{};
    GetWindowRect(m_hwnd, &window);
    HWND parent = GetParent(m_hwnd);
    if (parent != nullptr) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    }
    const std::wstring text = WindowTextOf(m_hwnd);
    SIZE extent{};
    HDC dc = GetDC(m_hwnd);
    HGDIOBJ previous = SelectObject(
        dc, m_fontLink ? static_cast<HGDIOBJ>(m_fontLink.get()) : GetStockObject(DEFAULT_GUI_FONT));
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(m_hwnd, dc);

    const auto style = static_cast<DWORD>(GetWindowLongPtrW(m_hwnd, GWL_STYLE));
    // Single style bits, the centre bit first, as the static control reads them.
    LabelAlignment alignment = LabelAlignment::Left;
    if ((style & SS_CENTER) != 0) {
        alignment = LabelAlignment::Center;
    } else if ((style & SS_RIGHT) != 0) {
        alignment = LabelAlignment::Right;
    }
    const LabelRect fitted =
        FitRectToText({window.left, window.top, window.right, window.bottom}, extent.cx, extent.cy,
                      alignment, (style & SS_CENTERIMAGE) != 0);
    SetWindowPos(m_hwnd, nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
                 fitted.bottom - fitted.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH CLinkLabel::OnCtlColor(HDC dc) const {
    SetTextColor(dc, static_cast<COLORREF>(m_state.TextColor()));
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void CLinkLabel::Repaint() {
    // The background is the dialog's: it is erased with the label's part of the parent.
    HWND parent = GetParent(m_hwnd);
    RECT rect{};
    GetWindowRect(m_hwnd, &rect);
    if (parent != nullptr) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        RedrawWindow(parent, &rect, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    } else {
        RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

void CLinkLabel::OnClicked() {
    const int result = m_state.OnLinkClicked(m_opener);
    if (IsOpened(result)) {
        Repaint();
        return;
    }
    MessageBeep(MB_ICONEXCLAMATION);
    MessageBoxW(GetParent(m_hwnd), Wide(OpenErrorMessage(result)).c_str(),
                Wide(LoadText(IDS_APP_TITLE)).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

LRESULT CALLBACK CLinkLabel::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR /*id*/, DWORD_PTR data) {
    auto* self = reinterpret_cast<CLinkLabel*>(data);
    switch (message) {
        case WM_SETCURSOR:
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        case WM_MOUSEMOVE: {
            const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
            RECT client{};
            GetClientRect(hwnd, &client);
            const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            switch (self->m_state.OnMouseMove(PtInRect(&client, point) != FALSE)) {
                case CLinkLabelState::PointerChange::Entered:
                    self->Repaint();
                    self->m_captured = true;
                    SetCapture(hwnd);
                    break;
                case CLinkLabelState::PointerChange::Left:
                    self->m_captured = false;
                    ReleaseCapture();
                    self->Repaint();
                    break;
                case CLinkLabelState::PointerChange::None:
                    break;
            }
            return result;
        }
        case WM_CAPTURECHANGED:
            // Taken away (a message box, another window): the pointer is no longer known to be
            // over the label, and no move outside would reach it to say so.
            if (self->m_captured && reinterpret_cast<HWND>(lParam) != hwnd) {
                self->m_captured = false;
                self->m_state.OnMouseMove(false);
                self->Repaint();
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &CLinkLabel::SubclassProc, kSubclassId);
            self->m_hwnd = nullptr;
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace tavrin::shell::win32
