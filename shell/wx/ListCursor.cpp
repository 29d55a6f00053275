#include "shell/wx/ListCursor.h"

#include <wx/listbox.h>

#ifdef __WXGTK__
#include <dlfcn.h>
#endif

namespace tavrin::shell {

#ifdef __WXGTK__

namespace {

// wxWidgets gives no access to the tree view's cursor, and GTK's headers are not part of the
// toolkit's development files, so the few GTK functions needed are looked up in the GTK the
// toolkit has loaded. GtkSelectionMode: 0 none.
struct GtkTreeSelection;
struct GtkTreePath;
struct GtkTreeViewColumn;
using GtkTreeView = _GtkTreeView;

template <class Function>
Function* GtkFunction(const char* name) {
    return reinterpret_cast<Function*>(::dlsym(RTLD_DEFAULT, name));
}

}  // namespace

void PlaceCursorWithoutSelecting(wxListBox& list) {
    if (list.IsEmpty() || list.GetSelection() != wxNOT_FOUND || list.m_treeview == nullptr) {
        return;
    }
    auto* getSelection =
        GtkFunction<GtkTreeSelection*(GtkTreeView*)>("gtk_tree_view_get_selection");
    auto* getMode = GtkFunction<int(GtkTreeSelection*)>("gtk_tree_selection_get_mode");
    auto* setMode = GtkFunction<void(GtkTreeSelection*, int)>("gtk_tree_selection_set_mode");
    auto* newFirstPath = GtkFunction<GtkTreePath*()>("gtk_tree_path_new_first");
    auto* freePath = GtkFunction<void(GtkTreePath*)>("gtk_tree_path_free");
    auto* setCursor = GtkFunction<void(GtkTreeView*, GtkTreePath*, GtkTreeViewColumn*, int)>(
        "gtk_tree_view_set_cursor");
    if (!getSelection || !getMode || !setMode || !newFirstPath || !freePath || !setCursor) {
        return;
    }
    // With selection switched off, setting the cursor selects nothing and raises no event.
    GtkTreeSelection* selection = getSelection(list.m_treeview);
    const int mode = getMode(selection);
    setMode(selection, 0);
    GtkTreePath* first = newFirstPath();
    setCursor(list.m_treeview, first, nullptr, 0);
    freePath(first);
    setMode(selection, mode);
}

#else

void PlaceCursorWithoutSelecting(wxListBox&) {}

#endif

}  // namespace tavrin::shell
