// The person at the keyboard for the wx window: keys go through the X server's test extension
// (xdotool) to the window the window manager gave the focus; the dialog runs modally on the
// main thread while the scenario runs on its own and reads the window through the main loop.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/clipbrd.h>
#include <wx/display.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/textentry.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include <gtk/gtk.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include "scenarios/UserDriver.h"
#include "shell/GeneratorApp.h"
#include "shell/ResourceIds.h"
#include "shell/wx/MainDialog.h"
#include "support/CurrentDirectoryScope.h"
#include "support/Process.h"

namespace tavrin::testing {
namespace {

std::string Utf8(const wxString& text) {
    return std::string(text.utf8_str());
}

class WxUser : public IUser {
public:
    explicit WxUser(shell::wx::CMainDialog& window) : m_window(window) {}

    void Press(std::string_view key) override { Xdotool({"key", std::string(key)}); }
    void Type(std::string_view ascii) override {
        Xdotool({"type", "--delay", "30", std::string(ascii)});
    }
    void CopyToClipboard(std::string_view text) override {
        const wxString value = wxString::FromUTF8(text.data(), text.size());
        OnUi([value] {
            if (wxTheClipboard->Open()) {
                wxTheClipboard->SetData(new wxTextDataObject(value));
                wxTheClipboard->Close();
            }
            return 0;
        });
    }
    void ChooseMenuCommand(std::string_view key) override {
        // GTK has no system menu: the commands are in the context menu of the dialog's
        // background and its list, which the menu key opens.
        Press("alt+t");
        Press("Menu");
        Press(key);
    }

    void Click(int id) override {
        const wxPoint middle = OnUi([this, id] {
            const wxRect rect = OpenDialog()->FindWindow(id)->GetScreenRect();
            return rect.GetPosition() + rect.GetSize() / 2;
        });
        Xdotool({"mousemove", std::to_string(middle.x), std::to_string(middle.y), "click", "1"});
    }

    void ConfirmChooser() override { Press("alt+o"); }

    std::string Text(int id) override {
        return OnUi([this, id] { return Utf8(Find<wxTextEntry>(id)->GetValue()); });
    }
    int Caret(int id) override {
        return OnUi(
            [this, id] { return static_cast<int>(Find<wxTextEntry>(id)->GetInsertionPoint()); });
    }
    int Focus() override {
        return OnUi([this] {
            wxWindow* focus = wxWindow::FindFocus();
            while (focus != nullptr && focus->GetParent() != &m_window) {
                focus = focus->GetParent();
            }
            return focus != nullptr ? focus->GetId() : 0;
        });
    }
    int ListSelection(int id) override {
        return OnUi([this, id] { return Find<wxListBox>(id)->GetSelection(); });
    }
    bool Enabled(int id) override {
        return OnUi([this, id] { return Find<wxWindow>(id)->IsEnabled(); });
    }
    bool Checked(int id) override {
        return OnUi([this, id] { return Find<wxCheckBox>(id)->GetValue(); });
    }
    std::string Title() override {
        return OnUi([this] { return Utf8(m_window.GetTitle()); });
    }
    bool ShowsEnd(int id) override {
        return OnUi([this, id] {
            auto* box = Find<wxTextCtrl>(id);
            // How far GTK has scrolled the entry's text, in pixels.
            int scrolled = 0;
            g_object_get(box->m_widget, "scroll-offset", &scrolled, nullptr);
            return box->GetTextExtent(box->GetValue()).x - scrolled <= box->GetClientSize().x;
        });
    }
    std::string Tooltip(int id) override {
        return OnUi([this, id] { return Utf8(Find<wxWindow>(id)->GetToolTipText()); });
    }
    std::optional<OpenBox> Box() override {
        return OnUi([this]() -> std::optional<OpenBox> {
            wxDialog* box = OpenDialog();
            if (box == nullptr) {
                GtkWindow* chooser = OpenChooser();
                return chooser != nullptr
                           ? std::optional<OpenBox>({gtk_window_get_title(chooser), {}})
                           : std::nullopt;
            }
            OpenBox seen{Utf8(box->GetTitle()), {}};
            if (auto* message = dynamic_cast<wxMessageDialogBase*>(box)) {
                seen.text = Utf8(message->GetMessage());
            } else if (auto* report =
                           dynamic_cast<wxTextCtrl*>(box->FindWindow(shell::kIdcReportText))) {
                seen.text = Utf8(report->GetValue());
            } else if (wxWindow* version = box->FindWindow(shell::kIdcProductVersion)) {
                seen.text = Utf8(version->GetLabel());
            }
            return seen;
        });
    }
    bool DialogOpen() override {
        return OnUi([this] { return m_window.IsShown() && m_window.IsModal(); });
    }
    ScreenRect DialogRect() override {
        return OnUi([this] { return Rect(m_window.GetScreenRect()); });
    }
    ScreenRect WorkArea() override {
        return OnUi([this] { return Rect(wxDisplay(&m_window).GetClientArea()); });
    }

    // Waits until the window manager has given the dialog the focus, as it does for a window
    // that opens; a person would click it otherwise, and so does this.
    void WaitUntilActive() {
        const auto active = [this] {
            return OnUi([this] { return m_window.IsActive() && wxWindow::FindFocus() != nullptr; });
        };
        for (int i = 0; i < 100 && !active(); ++i) {
            if (i == 50) {
                const wxPoint corner = OnUi([this] { return m_window.ClientToScreen({2, 2}); });
                Xdotool({"mousemove", std::to_string(corner.x), std::to_string(corner.y), "click",
                         "1"});
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(40));
        }
        EXPECT_TRUE(active()) << "the dialog never got the keyboard focus";
    }

    // Closes what the scenario left open: a box still open is a failure.
    void CloseWhatIsOpen() {
        for (int i = 0; i < 5 && Box().has_value(); ++i) {
            ADD_FAILURE() << "a window was left open over the dialog";
            OnUi([this] {
                if (wxDialog* box = OpenDialog()) {
                    box->EndModal(wxID_CANCEL);
                } else if (GtkWindow* chooser = OpenChooser()) {
                    gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_CANCEL);
                }
                return 0;
            });
        }
        OnUi([this] {
            if (m_window.IsModal()) {
                m_window.EndModal(shell::kIdCancel);
            }
            return 0;
        });
    }

private:
    // The control the scenario names, which the dialog has.
    template <class Control>
    Control* Find(int id) {
        return dynamic_cast<Control*>(m_window.FindWindow(id));
    }

    // Runs `read` on the main thread, which owns the window, and waits for its result. The
    // round trip also lets the window deal with the keys sent before.
    template <class Read>
    auto OnUi(Read read) -> decltype(read()) {
        using Result = decltype(read());
        auto promise = std::make_shared<std::promise<Result>>();
        std::future<Result> result = promise->get_future();
        wxTheApp->CallAfter([promise, read] { promise->set_value(read()); });
        if (result.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
            ADD_FAILURE() << "the window did not answer for 20 s";
            std::abort();  // the main thread is stuck: nothing more can be learnt
        }
        return result.get();
    }

    // The latest modal window over the dialog: a message box over the About box is found.
    wxDialog* OpenDialog() {
        wxDialog* open = nullptr;
        for (wxWindow* top : wxTopLevelWindows) {
            auto* dialog = dynamic_cast<wxDialog*>(top);
            if (dialog != nullptr && dialog != &m_window && dialog->IsShown() &&
                dialog->IsModal()) {
                open = dialog;
            }
        }
        return open;
    }

    // GTK's own file and folder choosers, which the toolkit does not list among its windows.
    static GtkWindow* OpenChooser() {
        GtkWindow* found = nullptr;
        GList* windows = gtk_window_list_toplevels();
        for (GList* top = windows; top != nullptr; top = top->next) {
            if (GTK_IS_FILE_CHOOSER(top->data) && gtk_widget_get_visible(GTK_WIDGET(top->data))) {
                found = GTK_WINDOW(top->data);
            }
        }
        g_list_free(windows);
        return found;
    }

    static ScreenRect Rect(const wxRect& rect) {
        return {rect.GetLeft(), rect.GetTop(), rect.GetRight() + 1, rect.GetBottom() + 1};
    }

    static void Xdotool(const std::vector<std::string>& arguments) {
        const ProgramRun run = RunProgram("/usr/bin/xdotool", arguments);
        EXPECT_EQ(run.status, 0) << "xdotool " << arguments[0] << ": " << run.err;
        // The X server delivers the keys at once; give the toolkit a moment to read them.
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }

    shell::wx::CMainDialog& m_window;
};

}  // namespace

bool CanShowWindows(std::string&) {
    return true;  // CTest runs this program on a virtual display
}

void RunAsUser(const std::string& folder, platform::IUrlOpener& opener,
               const std::function<void(IUser&)>& scenario) {
    CurrentDirectoryScope scope(folder);
    shell::CGeneratorApp app;
    app.InitInstance([&](shell::CGeneratorDlg& dialog) {
        shell::wx::CMainDialog window(nullptr, dialog, nullptr, opener);
        WxUser user(window);
        std::atomic<bool> done{false};
        std::thread person([&] {
            user.WaitUntilActive();
            scenario(user);
            user.CloseWhatIsOpen();
            done = true;
        });
        window.ShowModal();
        // The scenario may still look at the closed window.
        while (!done) {
            wxTheApp->ProcessPendingEvents();
            wxYield();
            wxMilliSleep(5);
        }
        person.join();
    });
}

}  // namespace tavrin::testing
