#include "shell/wx/AboutBox.h"

#include <string>
#include <string_view>

#include <wx/dcclient.h>
#include <wx/icon.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

#include "shell/AboutInfo.h"
#include "shell/ResourceIds.h"
#include "shell/wx/LayoutResources.h"
#include "shell/wx/LinkLabel.h"
#include "shell/wx/ThemeBackground.h"
#include "shell/wx/WxText.h"

// Icon 302 (res/make_icon.py) and bitmap 8001 (res/make_about_panel.py), drawn for Tavrin.
#include "res/AboutPanel.xpm"
#include "res/TavrinIcon32.xpm"

namespace tavrin::shell::wx {

CAboutBox::CAboutBox(wxWindow* parent, platform::IUrlOpener& opener) {
    LoadLayoutResources();
    bool created = wxXmlResource::Get()->LoadDialog(this, parent, "IDD_ABOUTBOX");
    wxASSERT_MSG(created, "the layout of dialog 8000 is not compiled in");
    (void)created;
    // The close button carries the standard OK command, and Escape or the close box press it.
    SetAffirmativeId(kIdOk);
    PaintThemeBackground(*this);

    if (auto* icon = dynamic_cast<wxStaticBitmap*>(FindWindow(kIdcAboutIcon))) {
        icon->SetIcon(wxIcon(tavrin_icon_32_xpm));
    }
    if (wxWindow* copyright = FindWindow(XRCID("copyright"))) {
        copyright->SetLabel(ToWx(CopyrightLine()));
    }
    InitPicturePanel();

    m_linkHome = AttachLink(kIdcHomeLink, HomePageUrl(), opener);
    m_linkMail = AttachLink(kIdcMailLink, ContactMailAddress(), opener);
    OnInitDialog();

    GetSizer()->SetSizeHints(this);
    CentreOnParent();
}

CLinkLabel* CAboutBox::AttachLink(int controlId, std::string_view text,
                                  platform::IUrlOpener& opener) {
    // The label takes the place of its static text, which shows the contact detail.
    wxWindow* control = FindWindow(controlId);
    wxASSERT_MSG(control != nullptr,
                 wxString::Format("dialog 8000 has no such control %d", controlId));
    control->SetLabel(ToWx(text));
    auto* link = new CLinkLabel(opener);
    link->Attach(*control);
    return link;
}

void CAboutBox::InitPicturePanel() {
    m_picture = wxBitmap(tavrin_about_panel_xpm);
    m_picturePanel = FindWindow(XRCID("picture"));
    wxCHECK_RET(m_picturePanel != nullptr, "the picture panel of dialog 8000 is missing");
    // The panel is the picture's size; the texts on it are placed in its pixels.
    m_picturePanel->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_picturePanel->SetClientSize(m_picture.GetSize());
    m_picturePanel->SetMinSize(m_picturePanel->GetSize());
    m_picturePanel->Bind(wxEVT_PAINT, &CAboutBox::OnPaintPicture, this);
    // The picture is light whatever the theme: its captions are drawn dark, or a dark theme's
    // light text would vanish on it. The links set their own colours.
    for (wxWindow* child : m_picturePanel->GetChildren()) {
        if (dynamic_cast<wxStaticText*>(child) != nullptr) {
            child->SetForegroundColour(*wxBLACK);
        }
    }
}

void CAboutBox::OnInitDialog() {
    m_linkMail->SetTarget(MailTarget());

    wxWindow* productName = FindWindow(kIdcProductName);
    wxWindow* productVersion = FindWindow(kIdcProductVersion);
    wxCHECK_RET(productName != nullptr && productVersion != nullptr,
                "the version lines of dialog 8000 are missing");
    std::string name = FromWx(productName->GetLabel());
    std::string version = FromWx(productVersion->GetLabel());
    ApplyVersionInfo(name, version);
    productName->SetLabel(ToWx(name));
    productVersion->SetLabel(ToWx(version));
}

void CAboutBox::OnPaintPicture(wxPaintEvent&) {
    wxPaintDC dc(m_picturePanel);
    dc.DrawBitmap(m_picture, 0, 0);
}

}  // namespace tavrin::shell::wx
