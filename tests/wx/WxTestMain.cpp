// Starts the toolkit once for all window tests. Nothing here may wait for a person: a wx
// assertion fails the running test, and a modal dialog that no test expects is failed and
// dismissed at once instead of waiting to be clicked.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/dialog.h>
#include <wx/init.h>
#include <wx/modalhook.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include <cstdlib>
#include <iostream>

#include "WxTestSupport.h"
#include "shell/wx/MainDialog.h"
#include "shell/wx/ToolkitLanguage.h"

namespace {

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& message) {
    ADD_FAILURE_AT(file.utf8_str(), line) << "wx assertion in " << func.utf8_str() << ": "
                                          << cond.utf8_str() << " " << message.utf8_str();
}

// Registered first, so consulted last: wxTEST_DIALOG's own hook sees expected dialogs first.
class CatchAllModalHook : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override {
        // The main dialog itself is run modally by the tests of closing it.
        if (dynamic_cast<tavrin::shell::wx::CMainDialog*>(dialog) != nullptr ||
            tavrin::shell::wx::testing::LetModalDialogsOpen::Active()) {
            return wxID_NONE;
        }
        ADD_FAILURE() << "unexpected modal dialog \"" << dialog->GetTitle().utf8_str() << "\"";
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

}  // namespace

void tavrin::shell::wx::testing::SaveScreenshot(wxWindow& window, const char* target) {
    const char* file = std::getenv(target);
    if (file == nullptr) {
        GTEST_SKIP() << target << " is not set";
    }
    wxInitAllImageHandlers();
    window.Show();
    window.Raise();
    // The window manager frames, places and activates the window a little after it appears.
    auto* top = dynamic_cast<wxTopLevelWindow*>(&window);
    for (int i = 0; i < 150 && (i < 30 || (top != nullptr && !top->IsActive())); ++i) {
        wxYield();
        wxMilliSleep(20);
    }
    wxRect area = window.GetScreenRect();
    wxBitmap picture(area.GetSize());
    wxMemoryDC memory(picture);
    wxScreenDC screen;
    memory.Blit(0, 0, area.width, area.height, &screen, area.x, area.y);
    memory.SelectObject(wxNullBitmap);
    EXPECT_TRUE(picture.SaveFile(file, wxBITMAP_TYPE_PNG));
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) {
        std::cerr << "tavrin_wx_tests: the toolkit cannot start (no display?)\n";
        return 1;
    }
    // As the program does at start-up.
    tavrin::shell::wx::UseUserLanguageInToolkit();
    wxSetAssertHandler(FailOnAssert);
    CatchAllModalHook hook;
    hook.Register();

    int result = RUN_ALL_TESTS();

    hook.Unregister();
    wxEntryCleanup();
    return result;
}
