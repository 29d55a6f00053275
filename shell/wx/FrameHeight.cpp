#include "shell/wx/FrameHeight.h"

#include <wx/toplevel.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace tavrin::shell::wx {

int FrameDecorationHeight(wxTopLevelWindow& window) {
#ifdef __WXGTK__
    GdkWindow* native =
        window.m_widget != nullptr ? gtk_widget_get_window(window.m_widget) : nullptr;
    if (native != nullptr) {
        // Both figures as the server last told them, so that a resize under way, which the
        // server has not answered yet, does not count as frame.
        GdkRectangle frame{};
        gdk_window_get_frame_extents(native, &frame);
        const int decoration = frame.height - gdk_window_get_height(native);
        if (decoration > 0) {
            return decoration;
        }
    }
#endif
    return window.GetSize().GetHeight() - window.GetClientSize().GetHeight();
}

}  // namespace tavrin::shell::wx
