#include "shell/wx/ListAccessKey.h"

#include <wx/listbox.h>
#include <wx/stattext.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace tavrin::shell::wx {

#ifdef __WXGTK__

namespace {

void AimNow(wxWindow& dialog) {
    for (wxWindow* child : dialog.GetChildren()) {
        auto* label = dynamic_cast<wxStaticText*>(child);
        auto* list = dynamic_cast<wxListBox*>(child->GetNextSibling());
        if (label == nullptr || list == nullptr || list->m_treeview == nullptr) {
            continue;
        }
        GtkWidget* treeView = GTK_WIDGET(list->m_treeview);
        if (gtk_label_get_mnemonic_widget(GTK_LABEL(label->m_widget)) != treeView) {
            gtk_label_set_mnemonic_widget(GTK_LABEL(label->m_widget), treeView);
        }
    }
}

}  // namespace

void AimAccessKeysAtLists(wxWindow& dialog) {
    // The toolkit names the labels' targets anew whenever it brings its tab order up to date,
    // which it does when idle, just before the dialog's own idle event.
    AimNow(dialog);
    dialog.Bind(wxEVT_IDLE, [&dialog](wxIdleEvent& event) {
        event.Skip();
        AimNow(dialog);
    });
}

#else

void AimAccessKeysAtLists(wxWindow&) {}

#endif

}  // namespace tavrin::shell::wx
