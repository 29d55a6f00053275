#pragma once

class wxWindow;

namespace tavrin::shell::wx {

// Makes `window` paint its own client area with the theme's window background whenever any
// part of it is redrawn. On GTK 3 a dialog's client area is otherwise left as it was: a label
// that redraws itself (Alt shows its access key) is drawn over its old text and turns bold,
// and what a closed window covered stays on screen. Does nothing on other toolkits.
void PaintThemeBackground(wxWindow& window);

}  // namespace tavrin::shell::wx
