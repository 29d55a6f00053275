#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/UrlOpener.h"

// A person at the keyboard in front of the main dialog. The scenarios that use it are written
// once and run against each window: every window's test program implements this with keys
// that go through the window system's own input path, as a keyboard's do, and reads back what
// the person sees. Texts are UTF-8.
namespace tavrin::testing {

// A window open over the dialog: a message box or the About box.
struct OpenBox {
    std::string caption;
    std::string text;  // a message box's message, a report's text, the About box's version
};

// Opens nothing (no test may start a browser): records what the program asked to open and
// answers with `result` (2: the file was not found; above 32: opened).
struct ScriptedOpener : platform::IUrlOpener {
    int OpenWithDefaultHandler(std::string_view target) override {
        opened.emplace_back(target);
        return result;
    }
    std::optional<std::string> RegisteredBrowserCommand() override { return std::nullopt; }
    int RunCommand(std::string_view) override { return result; }
    std::vector<std::string> opened;
    int result = 2;
};

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

class IUser {
public:
    virtual ~IUser() = default;

    // One key or chord, named as X names keys: "Tab", "shift+Tab", "alt+d", "Return",
    // "Escape", "BackSpace", "Delete", "Home", "End", "Left", "Down", "space", "alt+F4".
    virtual void Press(std::string_view key) = 0;
    // Printable ASCII, key by key.
    virtual void Type(std::string_view ascii) = 0;
    // Puts text on the clipboard, from where ctrl+v pastes it (the way a person enters text
    // that the keyboard at hand cannot type).
    virtual void CopyToClipboard(std::string_view text) = 0;
    // Opens the window's menu (the system menu, or the context menu where there is none) and
    // picks the command whose access key is `key`, with keys.
    virtual void ChooseMenuCommand(std::string_view key) = 0;
    // Clicks with the mouse, in its middle, the control with this ID in the box open over the
    // dialog (the About box's links, which no key reaches).
    virtual void Click(int controlId) = 0;
    // Confirms the open folder chooser with the key a person uses: Return for Windows' default
    // button; GTK's list takes Return to go into a folder, so there its Open button's access key.
    virtual void ConfirmChooser() = 0;

    virtual std::string Text(int controlId) = 0;
    // Characters before the caret in an edit box or the combo box's edit part.
    virtual int Caret(int controlId) = 0;
    // The ID of the control that has the keyboard focus; 0 for none of the dialog's.
    virtual int Focus() = 0;
    virtual int ListSelection(int controlId) = 0;
    virtual bool Enabled(int controlId) = 0;
    virtual bool Checked(int controlId) = 0;
    virtual std::string Title() = 0;
    // Whether an edit box shows the end of its text (all of it, or scrolled to its end).
    virtual bool ShowsEnd(int controlId) = 0;
    // A control's tooltip; empty when it has none.
    virtual std::string Tooltip(int controlId) = 0;
    // The window open over the dialog, if any.
    virtual std::optional<OpenBox> Box() = 0;
    virtual bool DialogOpen() = 0;
    // Where the dialog is, and the work area of the screen it is on.
    virtual ScreenRect DialogRect() = 0;
    virtual ScreenRect WorkArea() = 0;
};

// False, with the reason, where no window can open (a system without a display).
bool CanShowWindows(std::string& why);

// Starts the program as a user does, in `folder`: the real start-up with its settings file,
// the real dialog, modal, on this thread. `scenario` acts on another thread while the dialog
// is open; when it returns, whatever it left open is closed (and reported as a failure when a
// box is still open). Links open with `opener`. Returns when the program's run has ended. Each
// window's test program provides it.
void RunAsUser(const std::string& folder, platform::IUrlOpener& opener,
               const std::function<void(IUser&)>& scenario);

}  // namespace tavrin::testing
