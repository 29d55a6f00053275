#pragma once

#include <wx/dialog.h>

namespace tavrin::shell::wx {

// A report the user reads, scrolls and copies from (the template check, the preview): the
// text in a read-only box in a fixed-width font, and a close button; Escape closes it too.
class CReportDialog : public wxDialog {
public:
    CReportDialog(wxWindow* parent, const wxString& title, const wxString& text);
};

}  // namespace tavrin::shell::wx
