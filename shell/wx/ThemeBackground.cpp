#include "shell/wx/ThemeBackground.h"

#include <wx/window.h>

#ifdef __WXGTK__
#include <wx/dcclient.h>
#include <wx/settings.h>

#include <gtk/gtk.h>
#endif

namespace tavrin::shell::wx {

#ifdef __WXGTK__

namespace {

void OnPaint(wxWindow& window) {
    wxPaintDC dc(&window);
    // The top-level widget's style is the theme's "window background" node: drawn with it, the
    // client area looks exactly as GTK draws the window when it is first shown.
    auto* cairo =
        static_cast<cairo_t*>(dc.GetImpl() != nullptr ? dc.GetImpl()->GetCairoContext() : nullptr);
    const wxSize size = window.GetClientSize();
    if (cairo != nullptr && window.m_widget != nullptr) {
        gtk_render_background(gtk_widget_get_style_context(window.m_widget), cairo, 0, 0, size.x,
                              size.y);
        return;
    }
    dc.SetBackground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    dc.Clear();
}

}  // namespace

void PaintThemeBackground(wxWindow& window) {
    window.SetBackgroundStyle(wxBG_STYLE_PAINT);
    window.Bind(wxEVT_PAINT, [&window](wxPaintEvent&) { OnPaint(window); });
}

#else

void PaintThemeBackground(wxWindow&) {}

#endif

}  // namespace tavrin::shell::wx
