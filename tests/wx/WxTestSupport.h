#pragma once

#include <gtest/gtest.h>

#include <wx/artprov.h>
#include <wx/testing.h>

#include "shell/wx/MessageBox.h"

namespace tavrin::shell::wx::testing {

inline wxString U(const char* utf8) {
    return wxString::FromUTF8(utf8);
}

// A message box the test expects: its text, the program's title, the exclamation mark (asked
// for, and on GTK a box that draws it) and the buttons are checked, and `answer` is given in
// place of the user.
class ExpectMessage : public wxExpectModalBase<CMessageBox, ExpectMessage> {
public:
    explicit ExpectMessage(const wxString& text, long buttons = wxOK, int answer = wxID_OK)
        : m_text(text), m_buttons(buttons), m_answer(answer) {}

protected:
    int OnInvoked(CMessageBox* box) const override {
        EXPECT_EQ(box->GetMessage(), m_text);
        EXPECT_EQ(box->GetCaption(), "Tavrin");
        EXPECT_EQ(box->GetMessageDialogStyle() & (wxOK | wxYES_NO | wxICON_MASK),
                  m_buttons | wxICON_EXCLAMATION);
#ifdef __WXGTK__
        // The generic box draws the icon that the toolkit's art gives for its style (it makes
        // its controls only once it is shown, which the test does not let it be).
        EXPECT_TRUE(wxArtProvider::GetMessageBoxIcon(box->GetMessageDialogStyle()).IsOk());
#endif
        return m_answer;
    }
    wxString GetDefaultDescription() const override {
        return "message box \"" + m_text + "\"";
    }

private:
    wxString m_text;
    long m_buttons;
    int m_answer;
};

// While one lives, modal dialogs open for real instead of being failed and dismissed by the
// test program's catch-all: for tests that look at a dialog on the screen and close it.
class LetModalDialogsOpen {
public:
    LetModalDialogsOpen() { Active() = true; }
    ~LetModalDialogsOpen() { Active() = false; }
    LetModalDialogsOpen(const LetModalDialogsOpen&) = delete;
    LetModalDialogsOpen& operator=(const LetModalDialogsOpen&) = delete;

    static bool& Active() {
        static bool active = false;
        return active;
    }
};

// Not a test step: shows `window` and writes its picture to the PNG file that the environment
// variable `target` names (scripts/screenshot sets it for the README); skips when it is unset.
void SaveScreenshot(wxWindow& window, const char* target);

}  // namespace tavrin::shell::wx::testing
