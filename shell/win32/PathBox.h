#pragma once

#include <windows.h>

namespace tavrin::shell::win32 {

// The path boxes of a dialog (see shell/PathBox.h) and their tooltips, each showing the box's
// whole text.
class CPathBoxes {
public:
    // Shows the end of the path the dialog has just written into `box`, and the path in its
    // tooltip.
    void ShowPathEnd(HWND box);
    // The user changed the text of `box`: its tooltip follows.
    void UpdateTooltip(HWND box);
};

}  // namespace tavrin::shell::win32
