#pragma once

#include <optional>

#include <wx/string.h>

class wxWindow;

namespace tavrin::shell::wx {

// The toolkit's own folder and file choosers. They sit behind this seam because GTK's
// choosers cannot be driven from a test: tests put scripted ones in their place.
class INativeChoosers {
public:
    virtual ~INativeChoosers() = default;

    // The folder confirmed in a modal folder browser titled `title` that opens at
    // `initialFolder` (empty: the browser's default); nothing when cancelled.
    virtual std::optional<wxString> ChooseFolder(wxWindow* parent, const wxString& title,
                                                 const wxString& initialFolder) = 0;

    // The file confirmed in a modal file-open dialog titled `title` offering `wildcard`
    // (toolkit form, "description|pattern"); nothing when cancelled.
    virtual std::optional<wxString> ChooseFileToOpen(wxWindow* parent, const wxString& title,
                                                     const wxString& wildcard) = 0;
};

// The real ones: wxDirDialog and wxFileDialog.
class CNativeChoosers : public INativeChoosers {
public:
    std::optional<wxString> ChooseFolder(wxWindow* parent, const wxString& title,
                                         const wxString& initialFolder) override;
    std::optional<wxString> ChooseFileToOpen(wxWindow* parent, const wxString& title,
                                             const wxString& wildcard) override;

    // `wildcard` as the toolkit's file dialog is to get it so that its patterns ignore the
    // case of letters, as on Windows.
    static wxString CaseInsensitiveWildcard(const wxString& wildcard);
};

}  // namespace tavrin::shell::wx
