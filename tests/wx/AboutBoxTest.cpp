// The About box on the toolkit: the program's own data in it, its links opening their targets
// through the opener (a fake here) or explaining why not, and its picture readable in any theme.
#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/image.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "WxTestSupport.h"
#include "shell/ResourceIds.h"
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

// Opens nothing: records what it was asked and answers with the scripted result code.
class FakeOpener : public platform::IUrlOpener {
public:
    int OpenWithDefaultHandler(std::string_view target) override {
        m_opened.emplace_back(target);
        return m_result;
    }
    std::optional<std::string> RegisteredBrowserCommand() override { return std::nullopt; }
    int RunCommand(std::string_view) override { return 0; }

    int m_result = 42;
    std::vector<std::string> m_opened;
};

// Mouse events on the label's text, as the user makes them.
void Mouse(CLinkLabel& link, std::initializer_list<wxEventType> types) {
    for (wxEventType type : types) {
        wxMouseEvent mouse(type);
        mouse.SetPosition(wxPoint(2, 2));
        mouse.SetEventObject(&link);
        link.ProcessWindowEvent(mouse);
    }
}

// The version line is filled in from the program's own data. A click on a link opens its
// target and shows the link visited; a failed open is explained and leaves the link unopened.
TEST(AboutBoxTest, ShowsTheVersionAndOpensTheLinksOrExplainsWhyNot) {
    FakeOpener opener;
    CAboutBox box(nullptr, opener);
    EXPECT_EQ(box.FindWindow(kIdcProductVersion)->GetLabel(), "Version " TAVRIN_VERSION);
    for (auto [link, target] : {std::pair{&box.MailLink(), "mailto:feedback@tavrin.example"},
                                std::pair{&box.HomeLink(), "https://www.tavrin.example/"}}) {
        SCOPED_TRACE(target);
        EXPECT_EQ(link->GetForegroundColour(), kUnopened);
        opener.m_opened.clear();
        Mouse(*link, {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP});
        EXPECT_EQ(opener.m_opened, std::vector<std::string>{target});
        EXPECT_TRUE(link->GetVisited());
        EXPECT_EQ(link->GetForegroundColour(), kOpened);
    }
    CLinkLabel& link = box.HomeLink();
    opener.m_result = 2;
    wxTEST_DIALOG(Mouse(link, {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}),
                  ExpectMessage("Unable to open hyperlink:\n\nThe specified file was not found."));
    EXPECT_FALSE(link.GetVisited());
    EXPECT_EQ(link.GetForegroundColour(), kUnopened);
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
