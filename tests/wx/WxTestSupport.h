#pragma once

#include <gtest/gtest.h>

#include <wx/testing.h>

#include <filesystem>

#include "shell/wx/MessageBox.h"  // the generic box
#include "support/CurrentDirectoryScope.h"
#include "support/TempDir.h"

namespace tavrin::shell::wx {

// Each test runs in its own copy of the examples, as the program is meant to be started.
class InCopyOfExamples : public ::testing::Test {
protected:
    InCopyOfExamples() {
        std::filesystem::copy(TAVRIN_EXAMPLES_DIR, m_dir.Path(),
                              std::filesystem::copy_options::recursive);
    }

    tavrin::testing::TempDir m_dir;
    tavrin::testing::CurrentDirectoryScope m_inCopy{m_dir.Path()};
};

// A message box the test expects: its text, the program's title, the exclamation mark and the
// buttons are checked, and `answer` is given in place of the user. GTK's own box draws no icon,
// whatever its style asks for; the toolkit's generic one, expected here, does.
class ExpectMessage : public wxExpectModalBase<wxGenericMessageDialog, ExpectMessage> {
public:
    explicit ExpectMessage(const char* text, long buttons = wxOK, int answer = wxID_OK)
        : m_text(text), m_buttons(buttons), m_answer(answer) {}

protected:
    int OnInvoked(wxGenericMessageDialog* box) const override {
        EXPECT_EQ(box->GetMessage(), m_text);
        EXPECT_EQ(box->GetCaption(), "Tavrin");
        EXPECT_EQ(box->GetMessageDialogStyle() & (wxOK | wxYES_NO | wxICON_MASK),
                  m_buttons | wxICON_EXCLAMATION);
        return m_answer;
    }

private:
    const char* m_text;
    long m_buttons;
    int m_answer;
};

}  // namespace tavrin::shell::wx
