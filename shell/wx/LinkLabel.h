#pragma once

#include <string>

#include <wx/hyperlink.h>

#include <wx/generic/hyperlink.h>

#include "platform/UrlOpener.h"
#include "shell/LinkLabelState.h"

namespace tavrin::shell::wx {

// A static text of a dialog's layout turned into a hyperlink. The toolkit's generic link draws
// the underlined text in the link colours (blue, purple once opened, the highlight colour
// while the pointer is over it), shows the hand cursor and the tooltip; opening the target,
// and explaining why it could not be opened, is the label's own.
class CLinkLabel : public wxGenericHyperlinkCtrl {
public:
    // The label opens its target with `opener`, which must outlive it.
    explicit CLinkLabel(platform::IUrlOpener& opener);

    // Takes the place of `control`, a static text of the layout, which is destroyed: the same
    // parent, ID, position and place in the tab order. The control's text is shown; without a
    // target of its own the label takes that text as target, and a control without text shows
    // the target. The label is then sized to its text.
    void Attach(wxWindow& control);

    // A target set after attaching changes the tooltip, not the text shown.
    void SetTarget(std::string target);
    const std::string& Target() const { return m_state.Target(); }

    bool WasOpened() const { return m_state.WasOpened(); }

private:
    void FitToText();
    void OnLinkClicked(wxHyperlinkEvent& event);
    void ShowOpenError(int code);

    platform::IUrlOpener& m_opener;
    const ColorRef m_crHover;  // the highlight colour when the label was made
    CLinkLabelState m_state;
    LabelAlignment m_alignment = LabelAlignment::Left;
};

}  // namespace tavrin::shell::wx
