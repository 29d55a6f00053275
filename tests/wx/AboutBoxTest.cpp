// The About box on the toolkit: its texts with the program's real version data, its links
// opening their targets through the opener (a fake here), and the message of a failed open.
#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/msgdlg.h>
#include <wx/settings.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/testing.h>
#include <wx/tooltip.h>
#include <wx/utils.h>
#include <wx/xrc/xmlres.h>

#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/AboutInfo.h"
#include "shell/wx/AboutBox.h"
#include "shell/wx/LinkLabel.h"
#include "shell/wx/WxText.h"

// Colours print as the toolkit names them, rather than as addresses.
inline void PrintTo(const wxColour& colour, std::ostream* out) {
    *out << colour.GetAsString(wxC2S_HTML_SYNTAX).utf8_str();
}

namespace tavrin::shell {
namespace {

wxString U(const char* utf8) {
    return wxString::FromUTF8(utf8);
}

// Opens nothing: records what it was asked and answers with the scripted result codes.
class FakeOpener : public platform::IUrlOpener {
public:
    int OpenWithDefaultHandler(std::string_view target) override {
        opened.emplace_back(target);
        return handlerResult;
    }
    std::optional<std::string> RegisteredBrowserCommand() override { return std::nullopt; }
    int RunCommand(std::string_view commandLine) override {
        commands.emplace_back(commandLine);
        return 0;
    }

    int handlerResult = 42;
    std::vector<std::string> opened;
    std::vector<std::string> commands;
};

// The message of a failed open: English, with the program's title and the exclamation mark.
class ExpectOpenError : public wxExpectModalBase<wxMessageDialog, ExpectOpenError> {
public:
    explicit ExpectOpenError(const wxString& text) : m_text(text) {}

protected:
    int OnInvoked(wxMessageDialog* box) const override {
        EXPECT_EQ(box->GetMessage(), m_text);
        EXPECT_EQ(box->GetCaption(), "Tavrin");
        EXPECT_EQ(box->GetMessageDialogStyle() & (wxOK | wxYES_NO | wxICON_MASK),
                  wxOK | wxICON_EXCLAMATION);
        return wxID_OK;
    }
    wxString GetDefaultDescription() const override { return "message box \"" + m_text + "\""; }

private:
    wxString m_text;
};

class AboutBoxTest : public ::testing::Test {
protected:
    void TearDown() override { m_box.reset(); }

    CAboutBox& Open() {
        m_box = std::make_unique<CAboutBox>(nullptr, m_opener);
        return *m_box;
    }
    wxString Label(int id) {
        wxWindow* control = m_box->FindWindow(id);
        EXPECT_NE(control, nullptr) << id;
        return control != nullptr ? control->GetLabel() : wxString();
    }

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
    // The pointer passes over the label: the highlight colour while over it, whatever the
    // label shows otherwise afterwards.
    static void PassOver(CLinkLabel& link) {
        Mouse(link, {wxEVT_MOTION});
        EXPECT_EQ(link.GetForegroundColour(), wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
        Mouse(link, {wxEVT_LEAVE_WINDOW});
    }

    FakeOpener m_opener;
    std::unique_ptr<CAboutBox> m_box;
};

TEST_F(AboutBoxTest, ShowsTheProgramsVersionDataAndContactDetails) {
    CAboutBox& box = Open();
    EXPECT_EQ(box.GetTitle(), U("ﾊﾞｰｼﾞｮﾝ情報"));
    auto* close = dynamic_cast<wxButton*>(box.FindWindow(1));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->GetLabel(), U("閉じる"));
    EXPECT_EQ(box.GetDefaultItem(), close);
    EXPECT_EQ(Label(IDC_PRODUCT_NAME), "Tavrin");
    EXPECT_EQ(Label(IDC_PRODUCT_VERSION), "Version " TAVRIN_VERSION);
    EXPECT_EQ(Label(XRCID("copyright")), "Copyright (C) 2026 Tavrin Project");
    auto* icon = dynamic_cast<wxStaticBitmap*>(box.FindWindow(IDC_ABOUT_ICON));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->GetBitmap().GetSize(), wxSize(32, 32));

    // The picture panel is the picture's size and holds the captions and the links.
    wxWindow* panel = box.FindWindow(XRCID("picture"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->GetClientSize(), wxSize(330, 100));
    std::vector<wxString> captions;
    for (wxWindow* child : panel->GetChildren()) {
        EXPECT_TRUE(wxRect(panel->GetClientSize()).Contains(child->GetRect())) << child->GetLabel();
        if (child->IsKindOf(wxCLASSINFO(wxStaticText))) {
            captions.push_back(child->GetLabel());
        }
    }
    EXPECT_EQ(captions, (std::vector<wxString>{U("バグ報告、ご意見、ご感想連絡先 :"),
                                               U("最新版、その他情報 :")}));

    // Each link shows its text underlined in the unopened colour, sized to it, with its
    // target as tooltip: the home page its own text, the mail label "mailto:" and its text.
    struct {
        int id;
        const char* text;
        const char* target;
    } links[] = {{IDC_MAIL_LINK, "feedback@tavrin.example", "mailto:feedback@tavrin.example"},
                 {IDC_HOME_LINK, "https://www.tavrin.example/", "https://www.tavrin.example/"}};
    for (const auto& expected : links) {
        SCOPED_TRACE(expected.id);
        auto* link = dynamic_cast<CLinkLabel*>(box.FindWindow(expected.id));
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->GetParent(), panel);
        EXPECT_EQ(link->GetLabel(), expected.text);
        EXPECT_EQ(link->Target(), expected.target);
        ASSERT_NE(link->GetToolTip(), nullptr);
        EXPECT_EQ(link->GetToolTip()->GetTip(), expected.target);
        EXPECT_TRUE(link->GetFont().GetUnderlined());
        EXPECT_EQ(link->GetSize(), link->GetBestSize());
        EXPECT_EQ(link->GetForegroundColour(), wxColour(0, 0, 238));
    }
    EXPECT_EQ(box.MailLink().Target(), MailTarget());
}

TEST_F(AboutBoxTest, AClickOpensTheTargetAndShowsItVisited) {
    CAboutBox& box = Open();
    for (CLinkLabel* link : {&box.MailLink(), &box.HomeLink()}) {
        m_opener.opened.clear();
        Click(*link);
        EXPECT_EQ(m_opener.opened, std::vector<std::string>{link->Target()});
        EXPECT_TRUE(link->WasOpened());
        EXPECT_TRUE(link->GetVisited());
        EXPECT_EQ(link->GetForegroundColour(), wxColour(85, 26, 139));
        PassOver(*link);
        EXPECT_EQ(link->GetForegroundColour(), wxColour(85, 26, 139));
    }
}

TEST_F(AboutBoxTest, AFailedOpenIsExplainedAndLeavesTheLinkUnopened) {
    CAboutBox& box = Open();
    CLinkLabel& link = box.HomeLink();
    Click(link);
    ASSERT_TRUE(link.WasOpened());

    const struct {
        int result;
        const char* reason;
    } failures[] = {
        {2, "The specified file was not found."},
        {26, "A sharing violation occurred. "},
        {-7, "Unknown Error (-7) occurred."},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.result);
        m_opener.handlerResult = failure.result;
        wxTEST_DIALOG(Click(link),
                      ExpectOpenError(wxString("Unable to open hyperlink:\n\n") + failure.reason));
        EXPECT_FALSE(link.WasOpened());
        EXPECT_FALSE(link.GetVisited());
        EXPECT_EQ(link.GetForegroundColour(), wxColour(0, 0, 238));
        PassOver(link);
        EXPECT_EQ(link.GetForegroundColour(), wxColour(0, 0, 238));
    }
    EXPECT_TRUE(m_opener.commands.empty());
}

TEST_F(AboutBoxTest, ClosesWithTheCloseButtonAndEscape) {
    for (bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "close button");
        CAboutBox& box = Open();
        box.Show();
        if (escape) {
            wxKeyEvent key(wxEVT_CHAR_HOOK);
            key.m_keyCode = WXK_ESCAPE;
            key.SetEventObject(&box);
            box.ProcessWindowEvent(key);
        } else {
            wxCommandEvent click(wxEVT_BUTTON, 1);
            click.SetEventObject(box.FindWindow(1));
            box.FindWindow(1)->ProcessWindowEvent(click);
        }
        EXPECT_FALSE(box.IsShown());
    }
}

// Not a test: writes a picture of the About box for the README when TAVRIN_SCREENSHOT_ABOUT
// names a PNG file (scripts/screenshot runs it).
TEST_F(AboutBoxTest, DISABLED_Screenshot) {
    const char* target = std::getenv("TAVRIN_SCREENSHOT_ABOUT");
    if (target == nullptr) {
        GTEST_SKIP() << "TAVRIN_SCREENSHOT_ABOUT is not set";
    }
    wxInitAllImageHandlers();
    CAboutBox& box = Open();
    box.Show();
    box.Raise();
    for (int i = 0; i < 30; ++i) {
        wxYield();
        wxMilliSleep(20);
    }
    wxRect area = box.GetScreenRect();
    wxBitmap picture(area.GetSize());
    wxMemoryDC memory(picture);
    wxScreenDC screen;
    memory.Blit(0, 0, area.width, area.height, &screen, area.x, area.y);
    memory.SelectObject(wxNullBitmap);
    EXPECT_TRUE(picture.SaveFile(target, wxBITMAP_TYPE_PNG));
}

}  // namespace
}  // namespace tavrin::shell
