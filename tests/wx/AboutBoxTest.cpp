// The About box on the toolkit: its texts with the program's real version data, its links
// opening their targets through the opener (a fake here), and the message of a failed open.
#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/image.h>
#include <wx/settings.h>
#include <wx/stattext.h>
#include <wx/tooltip.h>
#include <wx/xrc/xmlres.h>

#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "WxTestSupport.h"
#include "shell/AboutInfo.h"
#include "shell/wx/AboutBox.h"
#include "shell/wx/LinkLabel.h"

#include "res/AboutPanel.xpm"

// Colours print as the toolkit names them, rather than as addresses.
inline void PrintTo(const wxColour& colour, std::ostream* out) {
    *out << colour.GetAsString(wxC2S_HTML_SYNTAX).utf8_str();
}

namespace tavrin::shell::wx {
namespace {

using testing::U;

const wxColour kUnopened(0, 0, 238), kOpened(85, 26, 139);

// Opens nothing: records what it was asked and answers with the scripted result code.
class FakeOpener : public platform::IUrlOpener {
public:
    int OpenWithDefaultHandler(std::string_view target) override {
        opened.emplace_back(target);
        return handlerResult;
    }
    std::optional<std::string> RegisteredBrowserCommand() override { return std::nullopt; }
    int RunCommand(std::string_view) override { return 0; }

    int handlerResult = 42;
    std::vector<std::string> opened;
};

class AboutBoxTest : public ::testing::Test {
protected:
    void TearDown() override { m_box.reset(); }

    CAboutBox& Open() {
        m_box = std::make_unique<CAboutBox>(nullptr, m_opener);
        return *m_box;
    }
    wxString Label(int id) { return m_box->FindWindow(id)->GetLabel(); }

    // Mouse events on the label's text, as the user makes them.
    static void Mouse(CLinkLabel& link, std::initializer_list<wxEventType> types) {
        for (wxEventType type : types) {
            wxMouseEvent mouse(type);
            mouse.SetPosition(wxPoint(2, 2));
            mouse.SetEventObject(&link);
            link.ProcessWindowEvent(mouse);
        }
    }
    static void Click(CLinkLabel& link) { Mouse(link, {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}); }
    // The pointer passes over the label: the highlight colour while over it, and `after` once
    // it has left.
    static void PassOver(CLinkLabel& link, const wxColour& after) {
        Mouse(link, {wxEVT_MOTION});
        EXPECT_EQ(link.GetForegroundColour(), wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
        Mouse(link, {wxEVT_LEAVE_WINDOW});
        EXPECT_EQ(link.GetForegroundColour(), after);
    }

    FakeOpener m_opener;
    std::unique_ptr<CAboutBox> m_box;
};

TEST_F(AboutBoxTest, ShowsTheProgramsVersionDataAndContactDetails) {
    CAboutBox& box = Open();
    EXPECT_EQ(box.GetTitle(), U("ﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(Label(1), U("閉じる"));
    EXPECT_EQ(box.GetDefaultItem(), box.FindWindow(1));
    EXPECT_EQ(Label(kIdcProductName), "Tavrin");
    EXPECT_EQ(Label(kIdcProductVersion), "Version " TAVRIN_VERSION);
    EXPECT_EQ(Label(XRCID("copyright")), "Copyright (C) 2026 Tavrin Project");

    // The picture panel is the picture's size and holds the captions and the links.
    wxWindow* panel = box.FindWindow(XRCID("picture"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->GetClientSize(), wxSize(330, 100));
    std::vector<wxString> captions;
    for (wxWindow* child : panel->GetChildren()) {
        if (child->IsKindOf(wxCLASSINFO(wxStaticText))) {
            captions.push_back(child->GetLabel());
        }
    }
    EXPECT_EQ(captions, (std::vector<wxString>{U("バグ報告、ご意見、ご感想連絡先 :"),
                                               U("最新版、その他情報 :")}));

    // The home page's target is its text; the mail label's is "mailto:" and its text. Both
    // show it as tooltip, underlined in the unopened colour and sized to their text.
    for (auto [link, text] : {std::pair{&box.MailLink(), "feedback@tavrin.example"},
                              std::pair{&box.HomeLink(), "https://www.tavrin.example/"}}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(link->GetParent(), panel);
        EXPECT_EQ(link->GetLabel(), text);
        EXPECT_EQ(link->Target(), link == &box.MailLink() ? MailTarget() : text);
        ASSERT_NE(link->GetToolTip(), nullptr);
        EXPECT_EQ(link->GetToolTip()->GetTip(), link->Target());
        EXPECT_TRUE(link->GetFont().GetUnderlined());
        EXPECT_EQ(link->GetSize(), link->GetBestSize());
        EXPECT_EQ(link->GetForegroundColour(), kUnopened);
    }
    EXPECT_EQ(MailTarget(), "mailto:feedback@tavrin.example");
}

// A click opens the target and shows the link visited; a failed open is explained and leaves
// it unopened again.
// The captions on the picture can be read in any theme (CTest runs this with a dark one too,
// whose text is light): their colour stands out from the picture under them.
TEST_F(AboutBoxTest, TheCaptionsStandOutFromThePicture) {
    CAboutBox& box = Open();
    // The picture's average colour: a single pixel, scaled down with box averaging.
    const wxImage average =
        wxBitmap(tavrin_about_panel_xpm).ConvertToImage().Scale(1, 1, wxIMAGE_QUALITY_BOX_AVERAGE);
    const auto luminance = [](int r, int g, int b) { return (299 * r + 587 * g + 114 * b) / 1000; };
    const int background =
        luminance(average.GetRed(0, 0), average.GetGreen(0, 0), average.GetBlue(0, 0));
    int captions = 0;
    for (wxWindow* child : box.FindWindow(XRCID("picture"))->GetChildren()) {
        if (dynamic_cast<wxStaticText*>(child) != nullptr) {
            ++captions;
            const wxColour text = child->GetForegroundColour();
            EXPECT_GT(std::abs(luminance(text.Red(), text.Green(), text.Blue()) - background), 100)
                << child->GetLabel().utf8_str() << " in " << text.GetAsString(wxC2S_HTML_SYNTAX);
        }
    }
    EXPECT_EQ(captions, 2);  // the links beside them choose their own colours
}

TEST_F(AboutBoxTest, AClickOpensTheTargetOrExplainsWhyNot) {
    CAboutBox& box = Open();
    for (CLinkLabel* link : {&box.MailLink(), &box.HomeLink()}) {
        m_opener.opened.clear();
        Click(*link);
        EXPECT_EQ(m_opener.opened, std::vector<std::string>{link->Target()});
        EXPECT_TRUE(link->GetVisited());
        PassOver(*link, kOpened);
    }
    CLinkLabel& link = box.HomeLink();
    m_opener.handlerResult = 2;
    wxTEST_DIALOG(
        Click(link),
        testing::ExpectMessage("Unable to open hyperlink:\n\nThe specified file was not found."));
    EXPECT_FALSE(link.WasOpened());
    EXPECT_FALSE(link.GetVisited());
    PassOver(link, kUnopened);
}

// Not a test: the picture of the About box for the README (scripts/screenshot).
TEST_F(AboutBoxTest, DISABLED_Screenshot) {
    testing::SaveScreenshot(Open(), "TAVRIN_SCREENSHOT_ABOUT");
}

}  // namespace
}  // namespace tavrin::shell::wx
