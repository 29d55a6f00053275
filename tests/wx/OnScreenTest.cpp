// The main dialog as the user meets it on the screen: keys typed through the display server,
// the dialog's pixels read back from it, its size on the display, and the windows it opens
// (the file dialog, the context menu, the message boxes) in the user's language.
#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/image.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <gtk/gtk.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "WxTestSupport.h"
#include "shell/ResourceIds.h"
#include "shell/wx/AboutBox.h"
#include "shell/wx/MainDialog.h"
#include "support/Process.h"
#include "support/TempDir.h"

// Last: X11's headers define macros such as Status.
#include <gdk/gdkx.h>

namespace tavrin::shell::wx {
namespace {

namespace fs = std::filesystem;
using tavrin::testing::TempDir;
using testing::U;

// Lets the toolkit, the display server and the window manager catch up.
void Settle(int rounds = 15) {
    for (int i = 0; i < rounds; ++i) {
        wxYield();
        wxMilliSleep(20);
    }
}

// The pixels of `area` (screen coordinates) as the display server shows them.
wxImage ScreenPixels(const wxRect& area) {
    wxBitmap picture(area.GetSize());
    wxMemoryDC memory(picture);
    wxScreenDC screen;
    memory.Blit(0, 0, area.width, area.height, &screen, area.x, area.y);
    memory.SelectObject(wxNullBitmap);
    return picture.ConvertToImage();
}

wxRect ScreenRectOfClientArea(const wxWindow& window) {
    return wxRect(window.ClientToScreen(wxPoint(0, 0)), window.GetClientSize());
}

// How many pixels differ; a failure also leaves both pictures in the temporary folder.
int DifferingPixels(const wxImage& before, const wxImage& after, const char* what) {
    if (before.GetSize() != after.GetSize()) {
        return before.GetWidth() * before.GetHeight();
    }
    int count = 0;
    const unsigned char* a = before.GetData();
    const unsigned char* b = after.GetData();
    for (int i = 0; i < before.GetWidth() * before.GetHeight() * 3; i += 3) {
        count += (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ? 1 : 0;
    }
    if (count != 0) {
        const fs::path dir = fs::temp_directory_path();
        before.SaveFile(wxString::FromUTF8((dir / what).string() + "-before.png"),
                        wxBITMAP_TYPE_PNG);
        after.SaveFile(wxString::FromUTF8((dir / what).string() + "-after.png"), wxBITMAP_TYPE_PNG);
    }
    return count;
}

class OnScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        wxInitAllImageHandlers();
        fs::copy(TAVRIN_EXAMPLES_DIR, m_dir.Path(), fs::copy_options::recursive);
        fs::current_path(m_dir.Path());
    }
    void TearDown() override {
        m_window.reset();
        Settle(3);
        fs::current_path(m_previousDir);
    }

    // The real dialog, with the real file and folder choosers, shown and in front.
    CMainDialog& Show() {
        m_window = std::make_unique<CMainDialog>(nullptr, m_dialog);
        m_window->Show();
        m_window->Raise();
        Settle(25);
        Activate(*m_window);
        return *m_window;
    }
    // A click on the window's background, as a user starts: the window manager makes the
    // window the active one, which gets the keys and draws its focus.
    void Activate(wxTopLevelWindow& window) {
        m_keys.MouseMove(window.ClientToScreen(wxPoint(1, 1)));
        m_keys.MouseClick();
        for (int i = 0; i < 150 && !window.IsActive(); ++i) {
            Settle(1);
        }
        Settle();
    }
    wxWindow& Control(int id) { return *m_window->FindWindow(id); }
    wxTextEntry& Entry(int id) { return *dynamic_cast<wxTextEntry*>(&Control(id)); }

    std::vector<wxStaticText*> Labels() {
        std::vector<wxStaticText*> labels;
        for (wxWindow* child : m_window->GetChildren()) {
            if (auto* label = dynamic_cast<wxStaticText*>(child)) {
                labels.push_back(label);
            }
        }
        return labels;
    }

    TempDir m_dir;
    fs::path m_previousDir = fs::current_path();
    CGeneratorDlg m_dialog;
    std::unique_ptr<CMainDialog> m_window;
    wxUIActionSimulator m_keys;
};

// What the About box covered is painted again once it has closed, and a label that redraws
// itself (Alt shows the access keys) is drawn on a clean background, not over its old text,
// which would turn it bold. Both run modally, as in the program.
TEST_F(OnScreenTest, RepaintsItsBackground) {
    m_window = std::make_unique<CMainDialog>(nullptr, m_dialog);
    CMainDialog& window = *m_window;
    testing::LetModalDialogsOpen letThemOpen;
    window.CallAfter([&] {
        Settle(25);
        Activate(window);
        const wxRect client = ScreenRectOfClientArea(window);
        const wxImage fresh = ScreenPixels(client);

        window.CallAfter([&] {
            // In the About box's own modal loop.
            Settle(25);
            m_keys.Char(WXK_ESCAPE);
            Settle(10);
            if (auto* about = dynamic_cast<wxDialog*>(wxGetActiveWindow());
                about != nullptr && about != &window && about->IsModal()) {
                ADD_FAILURE() << "Escape did not close the About box";
                about->EndModal(wxID_CANCEL);
            }
        });
        window.ShowAboutBox();
        Settle(25);
        EXPECT_EQ(DifferingPixels(fresh, ScreenPixels(client), "tavrin-about-closed"), 0);

        for (int round = 0; round < 2; ++round) {
            m_keys.Char('t', wxMOD_ALT);
            Settle();
            m_keys.Char(WXK_DOWN);
            Settle();
        }
        for (wxStaticText* label : Labels()) {
            SCOPED_TRACE(label->GetLabel().utf8_str().data());
            const wxRect area(label->GetScreenPosition(), label->GetSize());
            const wxRect inImage(area.GetPosition() - client.GetPosition(), area.GetSize());
            EXPECT_EQ(
                DifferingPixels(fresh.GetSubImage(inImage), ScreenPixels(area), "tavrin-label"), 0);
        }
        window.EndModal(kIdCancel);
    });
    window.ShowModal();
}

// The message boxes show the exclamation mark that their style asks for: the box is let open
// on the screen, looked at, and closed with Enter.
TEST_F(OnScreenTest, MessageBoxesShowTheExclamationMark) {
    CMainDialog& window = Show();
    testing::LetModalDialogsOpen letThemOpen;
    bool boxFound = false;
    bool iconShown = false;
    window.CallAfter([&] {
        Settle(25);
        for (wxWindow* top : wxTopLevelWindows) {
            if (auto* box = dynamic_cast<wxMessageDialogBase*>(top); box && box->IsShown()) {
                boxFound = true;
                for (wxWindow* child : box->GetChildren()) {
                    auto* icon = dynamic_cast<wxStaticBitmap*>(child);
                    iconShown = iconShown || (icon != nullptr && icon->GetBitmap().IsOk() &&
                                              icon->IsShownOnScreen());
                }
            }
        }
        m_keys.Char(WXK_RETURN);
    });
    EXPECT_EQ(window.ShowMessageBox("\x83\x65\x83\x58\x83\x67", kMbOkExclamation), kIdOk);
    EXPECT_TRUE(boxFound) << "no message box of the toolkit's own on the screen";
    EXPECT_TRUE(iconShown);
}

// Whether GTK's file chooser behind `dialog` lists a file of this name under its filter.
bool Lists(wxFileDialog& dialog, const char* name) {
    const GtkFileFilterInfo info{GTK_FILE_FILTER_DISPLAY_NAME, nullptr, nullptr, name, nullptr};
    GtkFileFilter* filter = gtk_file_chooser_get_filter(GTK_FILE_CHOOSER(dialog.m_widget));
    return filter != nullptr && gtk_file_filter_filter(filter, &info);
}

// The file dialog the user sees, cancelled once its title and filter are checked. Its filter
// ignores case as on Windows: projects from there often have upper-case names.
class ExpectFileDialog : public wxExpectModalBase<wxFileDialog, ExpectFileDialog> {
protected:
    int OnInvoked(wxFileDialog* dialog) const override {
        EXPECT_EQ(dialog->GetMessage(), U("開く"));
        for (const char* script : {"app.rc", "LEGACY.RC", "Mixed.Rc"}) {
            EXPECT_TRUE(Lists(*dialog, script)) << script;
        }
        EXPECT_FALSE(Lists(*dialog, "notes.txt"));
        return wxID_CANCEL;
    }
    wxString GetDefaultDescription() const override { return "the file dialog"; }
};

// The file dialog is titled as on a Japanese Windows when the program names no title.
TEST_F(OnScreenTest, TheResourceScriptsFileDialogIsTitledInJapanese) {
    CMainDialog& window = Show();
    std::string chosen;
    wxTEST_DIALOG(
        EXPECT_FALSE(window.RunFileOpenDialog("Resource files(*.rc)", "*.rc", ".rc", chosen)),
        ExpectFileDialog());
}

// GTK's folder chooser, confirmed at once (its "開く" button), returns the folder it was
// given, not a folder inside it; with nothing given it opens at the current directory, where
// an empty output folder goes, not at its "Recent" page, which has no folder to return.
TEST_F(OnScreenTest, TheFolderChooserReturnsTheFolderItOpensAt) {
    CMainDialog& window = Show();
    testing::LetModalDialogsOpen letThemOpen;
    fs::create_directory(m_dir.File("res"));
    const wxString folder = wxString::FromUTF8(m_dir.Path());
    for (const wxString& initial : {folder, wxString()}) {
        window.CallAfter([&] {
            Settle(50);
            // The chooser is GTK's own window, unknown to the toolkit's list of windows.
            GList* windows = gtk_window_list_toplevels();
            for (GList* top = windows; top != nullptr; top = top->next) {
                const char* title = gtk_window_get_title(GTK_WINDOW(top->data));
                if (title != nullptr && std::string_view(title) == "chooser") {
                    gtk_dialog_response(GTK_DIALOG(top->data), GTK_RESPONSE_ACCEPT);  // "開く"
                }
            }
            g_list_free(windows);
        });
        EXPECT_EQ(CNativeChoosers().ChooseFolder(&window, "chooser", initial), folder) << initial;
    }
}

// The dialog cannot be resized: at any scale, all of it, title bar included, is on the
// display (CTest runs this at GDK_SCALE=2 too, where it is as tall as a 1024-pixel screen).
TEST_F(OnScreenTest, FitsTheDisplay) {
    CMainDialog& window = Show();
    const wxRect display = wxDisplay(&window).GetClientArea();
    // The frame the window manager drew, as it tells the display server: left, right, top,
    // bottom, in the server's pixels.
    const Window xid = GDK_WINDOW_XID(gtk_widget_get_window(window.m_widget));
    const tavrin::testing::ProgramRun extents = tavrin::testing::RunProgram(
        "/usr/bin/xprop", {"-id", std::to_string(xid), "_NET_FRAME_EXTENTS"});
    int frame[4] = {};
    ASSERT_EQ(std::sscanf(extents.out.c_str(), "%*[^=]= %d, %d, %d, %d", &frame[0], &frame[1],
                          &frame[2], &frame[3]),
              4)
        << extents.out;
    const double scale = window.GetContentScaleFactor();
    for (int& side : frame) {
        side = static_cast<int>(std::ceil(side / scale));
    }
    const wxRect client(window.ClientToScreen(wxPoint(0, 0)), window.GetClientSize());
    const wxRect outer(client.x - frame[0], client.y - frame[2], client.width + frame[0] + frame[1],
                       client.height + frame[2] + frame[3]);
    EXPECT_TRUE(display.Contains(outer))
        << outer.x << "," << outer.y << " " << outer.width << "x" << outer.height << " on "
        << display.width << "x" << display.height;
    for (int id : {kIdcGenerate, kIdOk}) {
        EXPECT_TRUE(display.Contains(Control(id).GetScreenRect())) << id;
    }
}

}  // namespace
}  // namespace tavrin::shell::wx
