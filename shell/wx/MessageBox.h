#pragma once

#include <wx/msgdlg.h>

#ifdef __WXGTK__
#include <wx/generic/msgdlgg.h>
#endif

namespace tavrin::shell::wx {

// The message box the program shows. GTK 3's own message dialog draws no icon, whatever the
// style asks for, so on GTK the toolkit's generic box, which shows the exclamation mark, takes
// its place; elsewhere it is the system's.
#ifdef __WXGTK__
using CMessageBox = wxGenericMessageDialog;
#else
using CMessageBox = wxMessageDialog;
#endif

}  // namespace tavrin::shell::wx
