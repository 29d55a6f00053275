#pragma once

class wxTopLevelWindow;

namespace tavrin::shell::wx {

// How much taller the frame the window manager drew around the window (title bar and borders)
// makes it on the screen, as the display server knows it; the toolkit's own figure, which is
// only an estimate until the window is framed, where the server cannot tell.
int FrameDecorationHeight(wxTopLevelWindow& window);

}  // namespace tavrin::shell::wx
