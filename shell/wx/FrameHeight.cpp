#include "shell/wx/FrameHeight.h"

#include <wx/toplevel.h>

#ifdef __WXGTK__
#include "shell/wx/GtkSymbol.h"
#endif

namespace tavrin::shell {

int FrameDecorationHeight(wxTopLevelWindow& window) {
#ifdef __WXGTK__
    struct GdkWindow;
    struct Rectangle {
        int x, y, width, height;
    };
    auto* windowOf = GtkSymbol<GdkWindow*(GtkWidget*)>("gtk_widget_get_window");
    auto* frameOf = GtkSymbol<void(GdkWindow*, Rectangle*)>("gdk_window_get_frame_extents");
    auto* heightOf = GtkSymbol<int(GdkWindow*)>("gdk_window_get_height");
    GdkWindow* native =
        windowOf != nullptr && window.m_widget != nullptr ? windowOf(window.m_widget) : nullptr;
    if (native != nullptr && frameOf != nullptr && heightOf != nullptr) {
        // Both figures as the server last told them, so that a resize under way, which the
        // server has not answered yet, does not count as frame.
        Rectangle frame{};
        frameOf(native, &frame);
        const int decoration = frame.height - heightOf(native);
        if (decoration > 0) {
            return decoration;
        }
    }
#endif
    return window.GetSize().GetHeight() - window.GetClientSize().GetHeight();
}

}  // namespace tavrin::shell
