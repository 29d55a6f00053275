// Starts the toolkit once for all window tests. Nothing here may wait for a person: a wx
// assertion fails the running test, and a modal dialog that no test expects is failed and
// dismissed at once, except in the tests that look at dialogs on the screen and close them.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/init.h>
#include <wx/modalhook.h>

#include <iostream>
#include <string_view>

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
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string_view suite = test != nullptr ? test->test_suite_name() : "";
        if (suite == "OnScreenTest" || suite == "UserScenario") {
            return wxID_NONE;
        }
        ADD_FAILURE() << "unexpected modal dialog \"" << dialog->GetTitle().utf8_str() << "\"";
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
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
