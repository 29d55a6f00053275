#include "shell/win32/PathBox.h"

#include <string>

#include "shell/win32/ToolTip.h"

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
    const LRESULT length = SendMessageW(box, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    GetWindowTextW(box, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    SetToolTipText(box, text);
}

}  // namespace tavrin::shell::win32
