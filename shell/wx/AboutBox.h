#pragma once

#include <string_view>

#include <wx/bitmap.h>
#include <wx/dialog.h>

#include "platform/UrlOpener.h"

class wxPaintEvent;

namespace tavrin::shell::wx {

class CLinkLabel;

// The About box, dialog 8000: the program's icon, name and version (from the version
// resource), the copyright line, and on the picture panel the contact address and the home
// page as links. It closes with its only button, "閉じる", or Escape.
class CAboutBox : public wxDialog {
public:
    // The links open their targets with `opener`, which must outlive the box.
    explicit CAboutBox(wxWindow* parent,
                       platform::IUrlOpener& opener = platform::SystemUrlOpener());

    CLinkLabel& HomeLink() { return *m_linkHome; }
    CLinkLabel& MailLink() { return *m_linkMail; }

private:
    CLinkLabel* AttachLink(int controlId, std::string_view text, platform::IUrlOpener& opener);
    void InitPicturePanel();
    void OnInitDialog();
    void OnPaintPicture(wxPaintEvent& event);

    // Owned by the dialog, as its children.
    CLinkLabel* m_linkHome = nullptr;
    CLinkLabel* m_linkMail = nullptr;
    wxBitmap m_picture;
    wxWindow* m_picturePanel = nullptr;
};

}  // namespace tavrin::shell::wx
