#pragma once

#include <gtest/gtest.h>

#include <wx/msgdlg.h>
#include <wx/testing.h>

namespace tavrin::shell::testing {

inline wxString U(const char* utf8) {
    return wxString::FromUTF8(utf8);
}

// A message box the test expects: its text, the program's title, the exclamation mark and
// the buttons are checked, and `answer` is given in place of the user.
class ExpectMessage : public wxExpectModalBase<wxMessageDialog, ExpectMessage> {
public:
    explicit ExpectMessage(const wxString& text, long buttons = wxOK, int answer = wxID_OK)
        : m_text(text), m_buttons(buttons), m_answer(answer) {}

protected:
    int OnInvoked(wxMessageDialog* box) const override {
        EXPECT_EQ(box->GetMessage(), m_text);
        EXPECT_EQ(box->GetCaption(), "Tavrin");
        EXPECT_EQ(box->GetMessageDialogStyle() & (wxOK | wxYES_NO | wxICON_MASK),
                  m_buttons | wxICON_EXCLAMATION);
        return m_answer;
    }
    wxString GetDefaultDescription() const override { return "message box \"" + m_text + "\""; }

private:
    wxString m_text;
    long m_buttons;
    int m_answer;
};

// Not a test step: shows `window` and writes its picture to the PNG file that the environment
// variable `target` names (scripts/screenshot sets it for the README); skips when it is unset.
void SaveScreenshot(wxWindow& window, const char* target);

}  // namespace tavrin::shell::testing
