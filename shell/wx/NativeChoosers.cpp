#include "shell/wx/NativeChoosers.h"

#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/tokenzr.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace tavrin::shell::wx {

namespace {

// The folder the browser opens at: the given one, or the current directory (where an empty
// output folder resolves) when there is none, or the nearest folder above it that exists.
wxString ExistingFolder(const wxString& initialFolder) {
    wxFileName folder = wxFileName::DirName(initialFolder.empty() ? wxGetCwd() : initialFolder);
    while (!folder.DirExists() && folder.GetDirCount() > 0) {
        folder.RemoveLastDir();
    }
    return folder.GetPath();
}

}  // namespace

wxString CNativeChoosers::CaseInsensitiveWildcard(const wxString& wildcard) {
#ifdef __WXGTK__
    // GTK matches a filter's patterns case-sensitively, while Windows, where the projects come
    // from, ignores case: "*.rc" must offer LEGACY.RC too. Each letter of a pattern (every
    // second field) matches both of its cases.
    wxString result;
    wxStringTokenizer fields(wildcard, "|", wxTOKEN_RET_EMPTY_ALL);
    for (int index = 0; fields.HasMoreTokens(); ++index) {
        const wxString field = fields.GetNextToken();
        if (index > 0) {
            result += '|';
        }
        if (index % 2 == 0) {
            result += field;
            continue;
        }
        for (wxUniChar c : field) {
            const wxString lower = wxString(c).Lower();
            const wxString upper = wxString(c).Upper();
            result += lower != upper ? "[" + lower + upper + "]" : wxString(c);
        }
    }
    return result;
#else
    return wildcard;
#endif
}

std::optional<wxString> CNativeChoosers::ChooseFolder(wxWindow* parent, const wxString& title,
                                                      const wxString& initialFolder) {
    // Only existing file-system folders can be confirmed.
    const wxString start = ExistingFolder(initialFolder);
    wxDirDialog browser(parent, title, start, wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
#ifdef __WXGTK__
    // Opened inside the folder, GTK's chooser selects the first folder in it as soon as its list
    // has the focus, and confirming returns that one (res/ instead of the project). Opened at
    // its parent with the folder itself selected, confirming returns the folder.
    gtk_file_chooser_select_filename(GTK_FILE_CHOOSER(browser.m_widget), start.fn_str());
#endif
    if (browser.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return browser.GetPath();
}

std::optional<wxString> CNativeChoosers::ChooseFileToOpen(wxWindow* parent, const wxString& title,
                                                          const wxString& wildcard) {
    // The current directory is moved by the caller, which also knows the default extension.
    wxFileDialog dialog(parent, title, wxEmptyString, wxEmptyString,
                        CaseInsensitiveWildcard(wildcard), wxFD_OPEN);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return dialog.GetPath();
}

}  // namespace tavrin::shell::wx
