#pragma once

class wxTextCtrl;

namespace tavrin::shell::wx {

// Makes `box` a path box (see shell/PathBox.h): its tooltip follows its text from now on.
void AttachPathBox(wxTextCtrl& box);

// Shows the end of the path the dialog has just written into `box`.
void ShowPathEnd(wxTextCtrl& box);

}  // namespace tavrin::shell::wx
