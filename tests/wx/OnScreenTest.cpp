// The main dialog as the user meets it on the screen: its size on the display, and GTK's own
// choosers in the user's language.
#include <gtest/gtest.h>

#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <gtk/gtk.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "WxTestSupport.h"
#include "shell/ResourceIds.h"
#include "shell/wx/MainDialog.h"
#include "support/Process.h"

// Last: X11's headers define macros such as Status.
#include <gdk/gdkx.h>

namespace tavrin::shell::wx {
namespace {

// Lets the toolkit, the display server and the window manager catch up.
void Settle(int rounds = 15) {
    for (int i = 0; i < rounds; ++i) {
        wxYield();
        wxMilliSleep(20);
    }
}

class OnScreenTest : public InCopyOfExamples {
protected:
    ~OnScreenTest() override {
        m_window.Hide();
        Settle(3);
    }

    // The real dialog with the real choosers, in front. A click on its background, as a user
    // starts, makes it the active window, which gets the keys and draws its focus.
    void Activate() {
        m_window.Show();
        m_window.Raise();
        Settle(25);
        m_keys.MouseMove(m_window.ClientToScreen(wxPoint(1, 1)));
        m_keys.MouseClick();
        for (int i = 0; i < 150 && !m_window.IsActive(); ++i) {
            Settle(1);
        }
        Settle();
    }

    CGeneratorDlg m_dialog;
    CMainDialog m_window{nullptr, m_dialog};
    wxUIActionSimulator m_keys;
};

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
        EXPECT_EQ(dialog->GetMessage(), wxString::FromUTF8("開く"));
        for (const char* script : {"app.rc", "LEGACY.RC", "Mixed.Rc"}) {
            EXPECT_TRUE(Lists(*dialog, script)) << script;
        }
        EXPECT_FALSE(Lists(*dialog, "notes.txt"));
        return wxID_CANCEL;
    }
};

// The file dialog is titled as on a Japanese Windows when the program names no title.
TEST_F(OnScreenTest, TheResourceScriptsFileDialogIsTitledInJapanese) {
    Activate();
    std::string chosen;
    wxTEST_DIALOG(
        EXPECT_FALSE(m_window.RunFileOpenDialog("Resource files(*.rc)", "*.rc", ".rc", chosen)),
        ExpectFileDialog());
}

// With no folder given, GTK's folder chooser opens at the current directory, where an empty
// output folder goes, not at its "Recent" page, which has no folder to return. (Confirmed at
// once with a folder given, it returns that folder: the user scenarios play it.)
TEST_F(OnScreenTest, TheFolderChooserOpensAtTheCurrentDirectory) {
    Activate();
    m_window.CallAfter([&] {
        Settle(50);
        // The chooser is GTK's own window, unknown to the toolkit's list of windows.
        GList* windows = gtk_window_list_toplevels();
        for (GList* top = windows; top != nullptr; top = top->next) {
            const char* title = gtk_window_get_title(GTK_WINDOW(top->data));
            if (title != nullptr && std::string_view(title) == "chooser") {
                gtk_dialog_response(GTK_DIALOG(top->data), GTK_RESPONSE_ACCEPT);
            }
        }
        g_list_free(windows);
    });
    EXPECT_EQ(CNativeChoosers().ChooseFolder(&m_window, "chooser", wxString()),
              wxString::FromUTF8(m_dir.Path()));
}

// The dialog cannot be resized: at any scale, all of it, title bar included, is on the
// display (CTest runs this at GDK_SCALE=2 too, where it is as tall as a 1024-pixel screen).
TEST_F(OnScreenTest, FitsTheDisplay) {
    Activate();
    const wxRect display = wxDisplay(&m_window).GetClientArea();
    // The frame the window manager drew, as it tells the display server: left, right, top,
    // bottom, in the server's pixels.
    const Window xid = GDK_WINDOW_XID(gtk_widget_get_window(m_window.m_widget));
    const tavrin::testing::ProgramRun extents = tavrin::testing::RunProgram(
        "/usr/bin/xprop", {"-id", std::to_string(xid), "_NET_FRAME_EXTENTS"});
    int frame[4] = {};
    ASSERT_EQ(std::sscanf(extents.out.c_str(), "%*[^=]= %d, %d, %d, %d", &frame[0], &frame[1],
                          &frame[2], &frame[3]),
              4)
        << extents.out;
    for (int& side : frame) {
        side = static_cast<int>(std::ceil(side / m_window.GetContentScaleFactor()));
    }
    const wxRect client(m_window.ClientToScreen(wxPoint(0, 0)), m_window.GetClientSize());
    const wxRect outer(client.x - frame[0], client.y - frame[2], client.width + frame[0] + frame[1],
                       client.height + frame[2] + frame[3]);
    EXPECT_TRUE(display.Contains(outer))
        << outer.x << "," << outer.y << " " << outer.width << "x" << outer.height << " on "
        << display.width << "x" << display.height;
    for (int id : {kIdcGenerate, kIdOk}) {
        EXPECT_TRUE(display.Contains(m_window.FindWindow(id)->GetScreenRect())) << id;
    }
}

}  // namespace
}  // namespace tavrin::shell::wx
