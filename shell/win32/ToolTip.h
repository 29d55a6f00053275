#pragma once

#include <windows.h>

#include <string>

namespace tavrin::shell::win32 {

// Sets the tooltip of `control`, a control of a dialog: one tooltip window serves all of the
// dialog's controls and goes with the dialog. An empty text removes the control's tooltip (an
// empty one would show as a stray little frame).
void SetToolTipText(HWND control, const std::wstring& text);

}  // namespace tavrin::shell::win32
