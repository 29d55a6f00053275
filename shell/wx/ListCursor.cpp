#include "shell/wx/ListCursor.h"

#include <wx/listbox.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace tavrin::shell::wx {

#ifdef __WXGTK__

void PlaceCursorWithoutSelecting(wxListBox& list) {
    if (list.IsEmpty() || list.GetSelection() != wxNOT_FOUND || list.m_treeview == nullptr) {
        return;
    }
    // wxWidgets gives no access to the tree view's cursor. With selection switched off,
    // setting the cursor selects nothing and raises no event.
    GtkTreeSelection* selection = gtk_tree_view_get_selection(list.m_treeview);
    const GtkSelectionMode mode = gtk_tree_selection_get_mode(selection);
    gtk_tree_selection_set_mode(selection, GTK_SELECTION_NONE);
    GtkTreePath* first = gtk_tree_path_new_first();
    gtk_tree_view_set_cursor(list.m_treeview, first, nullptr, FALSE);
    gtk_tree_path_free(first);
    gtk_tree_selection_set_mode(selection, mode);
}

#else

void PlaceCursorWithoutSelecting(wxListBox&) {}

#endif

}  // namespace tavrin::shell::wx
