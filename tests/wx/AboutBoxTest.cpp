// What only the toolkit's About box can get wrong: how its links and its picture are drawn,
// readable in any theme.
#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/image.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

#include <cstdlib>

#include "scenarios/UserDriver.h"
#include "shell/wx/AboutBox.h"
#include "shell/wx/LinkLabel.h"

#include "res/AboutPanel.xpm"

// Colours print as the toolkit names them, rather than as addresses.
inline void PrintTo(const wxColour& colour, std::ostream* out) {
    *out << colour.GetAsString(wxC2S_HTML_SYNTAX).utf8_str();
}

namespace tavrin::shell::wx {
namespace {

const wxColour kUnopened(0, 0, 238), kOpened(85, 26, 139);

// Clicked, a link opens its target and is drawn as opened. (The target, the version line and
// the message when a link cannot open, the user scenarios play.)
TEST(AboutBoxTest, AnOpenedLinkIsDrawnAsOpened) {
    tavrin::testing::ScriptedOpener opener;
    opener.result = 42;
    CAboutBox box(nullptr, opener);
    for (CLinkLabel* link : {&box.MailLink(), &box.HomeLink()}) {
        EXPECT_EQ(link->GetForegroundColour(), kUnopened);
        for (wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}) {
            wxMouseEvent mouse(type);
            mouse.SetPosition(wxPoint(2, 2));
            mouse.SetEventObject(link);
            link->ProcessWindowEvent(mouse);
        }
        EXPECT_EQ(link->GetForegroundColour(), kOpened);
    }
    EXPECT_EQ(opener.opened.size(), 2U);
}

// The picture fills its panel, and its captions can be read in any theme (CTest runs this with
// a dark one too, whose text is light): their colour stands out from the picture under them.
TEST(AboutBoxTest, TheCaptionsStandOutFromThePicture) {
    CAboutBox box(nullptr);
    wxWindow* panel = box.FindWindow(XRCID("picture"));
    const wxBitmap picture(tavrin_about_panel_xpm);
    EXPECT_EQ(panel->GetClientSize(), picture.GetSize());
    // The picture's average colour: a single pixel, scaled down with box averaging.
    const wxImage average = picture.ConvertToImage().Scale(1, 1, wxIMAGE_QUALITY_BOX_AVERAGE);
    const auto luminance = [](int r, int g, int b) { return (299 * r + 587 * g + 114 * b) / 1000; };
    const int background =
        luminance(average.GetRed(0, 0), average.GetGreen(0, 0), average.GetBlue(0, 0));
    int captions = 0;
    for (wxWindow* child : panel->GetChildren()) {
        if (dynamic_cast<wxStaticText*>(child) != nullptr) {
            ++captions;
            const wxColour text = child->GetForegroundColour();
            EXPECT_GT(std::abs(luminance(text.Red(), text.Green(), text.Blue()) - background), 100)
                << child->GetLabel().utf8_str() << " in " << text.GetAsString(wxC2S_HTML_SYNTAX);
        }
    }
    EXPECT_EQ(captions, 2);  // the links beside them choose their own colours
}

}  // namespace
}  // namespace tavrin::shell::wx
