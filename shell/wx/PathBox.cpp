#include "shell/wx/PathBox.h"

#include <wx/textctrl.h>

namespace tavrin::shell::wx {

namespace {

void UpdateTooltip(wxTextCtrl& box) {
    // No tooltip for an empty box: an empty one would show as a stray little frame.
    const wxString text = box.GetValue();
    if (text.empty()) {
        box.UnsetToolTip();
    } else if (box.GetToolTipText() != text) {
        box.SetToolTip(text);
    }
}

}  // namespace

void AttachPathBox(wxTextCtrl& box) {
    box.Bind(wxEVT_TEXT, [&box](wxCommandEvent& event) {
        event.Skip();
        UpdateTooltip(box);
    });
}

void ShowPathEnd(wxTextCtrl& box) {
    // The caret at the end scrolls the text so that its end is in view.
    box.SetInsertionPointEnd();
    UpdateTooltip(box);
}

}  // namespace tavrin::shell::wx
