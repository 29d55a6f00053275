#include "shell/win32/ToolTip.h"

#include <commctrl.h>

namespace tavrin::shell::win32 {

namespace {

constexpr wchar_t kToolTipProperty[] = L"TavrinToolTip";

HWND ToolTipWindowOf(HWND dialog) {
    auto* tip = static_cast<HWND>(GetPropW(dialog, kToolTipProperty));
    if (tip == nullptr) {
        tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                              WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
        if (tip != nullptr) {
            // Long paths wrap instead of running off the screen.
            SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 600);
            SetPropW(dialog, kToolTipProperty, tip);
        }
    }
    return tip;
}

}  // namespace

void SetToolTipText(HWND control, const std::wstring& text) {
    HWND dialog = GetParent(control);
    HWND tip = ToolTipWindowOf(dialog);
    if (tip == nullptr) {
        return;  // a tooltip is a convenience: what it says is on the screen already
    }
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    const bool known =
        SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
    if (text.empty()) {
        if (known) {
            SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        return;
    }
    std::wstring copy = text;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.lpszText = copy.data();
    SendMessageW(tip, known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                 reinterpret_cast<LPARAM>(&tool));
}

}  // namespace tavrin::shell::win32
