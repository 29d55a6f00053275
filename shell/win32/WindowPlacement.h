#pragma once

#include <windows.h>

namespace tavrin::shell::win32 {

// Centres a dialog as it opens, the way dialogs of Windows programs are expected to open:
// over its owner when it has one, else on the monitor under the mouse pointer (the primary
// one when the pointer is nowhere). It stays inside the work area of that monitor, so that no
// part of it hides under the task bar or off the screen.
void CentreDialog(HWND dialog);

}  // namespace tavrin::shell::win32
