#include "shell/wx/ListCursor.h"

#include <wx/listbox.h>

#include "shell/wx/GtkSymbol.h"

namespace tavrin::shell {

#ifdef __WXGTK__

namespace {

// wxWidgets gives no access to the tree view's cursor. GtkSelectionMode: 0 none.
struct GtkTreeSelection;
struct GtkTreePath;
struct GtkTreeViewColumn;
using GtkTreeView = _GtkTreeView;

}  // namespace

void PlaceCursorWithoutSelecting(wxListBox& list) {
    if (list.IsEmpty() || list.GetSelection() != wxNOT_FOUND || list.m_treeview == nullptr) {
        return;
    }
    auto* getSelection = GtkSymbol<GtkTreeSelection*(GtkTreeView*)>("gtk_tree_view_get_selection");
    auto* getMode = GtkSymbol<int(GtkTreeSelection*)>("gtk_tree_selection_get_mode");
    auto* setMode = GtkSymbol<void(GtkTreeSelection*, int)>("gtk_tree_selection_set_mode");
    auto* newFirstPath = GtkSymbol<GtkTreePath*()>("gtk_tree_path_new_first");
    auto* freePath = GtkSymbol<void(GtkTreePath*)>("gtk_tree_path_free");
    auto* setCursor = GtkSymbol<void(GtkTreeView*, GtkTreePath*, GtkTreeViewColumn*, int)>(
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
