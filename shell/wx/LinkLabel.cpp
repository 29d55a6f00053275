#include "shell/wx/LinkLabel.h"

#include <utility>

#include <wx/settings.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include "engine/StringTable.h"
#include "shell/LinkTarget.h"
#include "shell/wx/MessageBox.h"
#include "shell/wx/WxText.h"

namespace tavrin::shell::wx {

namespace {

wxColour ToColour(ColorRef color) {
    return wxColour(static_cast<unsigned char>(color & 0xFF),
                    static_cast<unsigned char>((color >> 8) & 0xFF),
                    static_cast<unsigned char>((color >> 16) & 0xFF));
}

// The system's highlight colour, in the form the label's state keeps its colours.
ColorRef HighlightColor() {
    return static_cast<ColorRef>(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT).GetRGB());
}

LabelAlignment AlignmentOf(const wxWindow& control) {
    if (control.HasFlag(wxALIGN_CENTRE_HORIZONTAL)) {
        return LabelAlignment::Center;
    }
    return control.HasFlag(wxALIGN_RIGHT) ? LabelAlignment::Right : LabelAlignment::Left;
}

long LinkStyle(LabelAlignment alignment) {
    switch (alignment) {
        case LabelAlignment::Center:
            return wxHL_ALIGN_CENTRE;
        case LabelAlignment::Right:
            return wxHL_ALIGN_RIGHT;
        case LabelAlignment::Left:
            break;
    }
    return wxHL_ALIGN_LEFT;
}

}  // namespace

CLinkLabel::CLinkLabel(platform::IUrlOpener& opener)
    : m_opener(opener), m_crHover(HighlightColor()), m_state(m_crHover) {}

void CLinkLabel::Attach(wxWindow& control) {
    wxWindow* parent = control.GetParent();
    const std::string shown = m_state.Attach(FromWx(control.GetLabel()));
    const wxString target = ToWx(m_state.Target());
    m_alignment = AlignmentOf(control);
    Create(parent, control.GetId(), ToWx(shown), target, control.GetPosition(), wxDefaultSize,
           wxBORDER_NONE | LinkStyle(m_alignment));
    SetSize(control.GetRect());
    MoveAfterInTabOrder(&control);
    control.Destroy();

    SetFont(GetFont().Underlined());
    SetNormalColour(ToColour(kLinkNormalColor));
    SetVisitedColour(ToColour(kLinkOpenedColor));
    SetHoverColour(ToColour(m_crHover));
    SetToolTip(target);
    FitToText();
    // The click is the label's to handle: the toolkit would open the URL itself otherwise.
    Bind(wxEVT_HYPERLINK, &CLinkLabel::OnLinkClicked, this);
}

void CLinkLabel::SetTarget(std::string target) {
    m_state.SetTarget(std::move(target));
    if (GetHandle() != nullptr) {
        FitToText();
        SetURL(ToWx(m_state.Target()));
        SetToolTip(ToWx(m_state.Target()));
    }
}

void CLinkLabel::FitToText() {
    const wxRect rect = GetRect();
    const wxSize text = GetBestSize();
    LabelRect fitted =
        FitRectToText({rect.GetLeft(), rect.GetTop(), rect.GetLeft() + rect.GetWidth(),
                       rect.GetTop() + rect.GetHeight()},
                      text.GetWidth(), text.GetHeight(), m_alignment, false);
    SetSize(fitted.left, fitted.top, fitted.right - fitted.left, fitted.bottom - fitted.top);
}

void CLinkLabel::OnLinkClicked(wxHyperlinkEvent&) {
    const int result = m_state.OnLinkClicked(m_opener);
    // The toolkit has already shown the link as visited; only an open that worked keeps it so.
    const bool opened = m_state.WasOpened();
    SetVisited(opened);
    SetForegroundColour(opened ? GetVisitedColour() : GetNormalColour());
    Refresh();
    if (!opened) {
        wxBell();
        ShowOpenError(result);
    }
}

void CLinkLabel::ShowOpenError(int code) {
    CMessageBox box(wxGetTopLevelParent(this), ToWx(OpenErrorMessage(code)),
                    ToWx(LoadText(IDS_APP_TITLE)), wxOK | wxICON_EXCLAMATION);
    box.ShowModal();
}

}  // namespace tavrin::shell::wx
