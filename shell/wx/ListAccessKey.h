#pragma once

class wxWindow;

namespace tavrin::shell::wx {

// Makes the access key of each label that comes just before a list box in `dialog` focus the
// list itself. On GTK the label's target is the scrolled frame around the list, which takes
// the focus in the list's place: the list is not focused, and the next arrow key moves on to
// the following control instead of choosing an entry. Does nothing on other toolkits, where the
// dialog manager already does this.
void AimAccessKeysAtLists(wxWindow& dialog);

}  // namespace tavrin::shell::wx
