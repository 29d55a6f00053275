#pragma once

class wxListBox;

namespace tavrin::shell::wx {

// Puts the keyboard cursor on the first row of `list` without selecting it, when nothing is
// selected. A Windows list box that gains the focus shows its focus frame and selects nothing;
// a GTK list without a cursor row selects its first row then. The dialog opens with the focus
// on its template list, so on GTK the first template would be chosen, and its defaults would
// replace the restored fields, before the user did anything. Does nothing on other toolkits.
void PlaceCursorWithoutSelecting(wxListBox& list);

}  // namespace tavrin::shell::wx
