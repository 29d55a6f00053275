#include "shell/wx/NativeChoosers.h"

#include <wx/dirdlg.h>
#include <wx/filedlg.h>

namespace tavrin::shell {

std::optional<wxString> CNativeChoosers::ChooseFolder(wxWindow* parent, const wxString& title,
                                                      const wxString& initialFolder) {
    // Only existing file-system folders can be confirmed.
    wxDirDialog browser(parent, title, initialFolder, wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (browser.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return browser.GetPath();
}

std::optional<wxString> CNativeChoosers::ChooseFileToOpen(wxWindow* parent, const wxString& title,
                                                          const wxString& wildcard) {
    // The current directory is moved by the caller, which also knows the default extension.
    wxFileDialog dialog(parent, title, wxEmptyString, wxEmptyString, wildcard, wxFD_OPEN);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return dialog.GetPath();
}

}  // namespace tavrin::shell
