#include "shell/win32/PathBox.h"

#include <commctrl.h>

#include <string>

namespace tavrin::shell::win32 {

void CPathBoxes::ShowPathEnd(HWND box) {
    // The caret at the end scrolls the text so that its end is in view; the box shows its
    // start whenever its text is written.
    const LRESULT length = SendMessageW(box, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(length), length);
    SendMessageW(box, EM_SCROLLCARET, 0, 0);
    UpdateTooltip(box);
}

void CPathBoxes::UpdateTooltip(HWND box) {
    HWND dialog = GetParent(box);
    if (m_tooltip == nullptr) {
        m_tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
        if (m_tooltip == nullptr) {
            return;  // the path stays in the box; the tooltip is a convenience
        }
        // Long paths wrap instead of running off the screen.
        SendMessageW(m_tooltip, TTM_SETMAXTIPWIDTH, 0, 600);
    }
    const LRESULT length = SendMessageW(box, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    GetWindowTextW(box, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));

    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(box);
    const bool known =
        SendMessageW(m_tooltip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
    // An empty box has no tooltip: an empty one would show as a stray little frame.
    if (text.empty()) {
        if (known) {
            SendMessageW(m_tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        return;
    }
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.lpszText = text.data();
    SendMessageW(m_tooltip, known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                 reinterpret_cast<LPARAM>(&tool));
}

}  // namespace tavrin::shell::win32
