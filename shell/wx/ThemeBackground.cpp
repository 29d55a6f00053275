#include "shell/wx/ThemeBackground.h"

#include <wx/window.h>

#ifdef __WXGTK__
#include <wx/dcclient.h>
#include <wx/settings.h>

#include "shell/wx/GtkSymbol.h"
#endif

namespace tavrin::shell {

#ifdef __WXGTK__

namespace {

struct GtkStyleContext;

void OnPaint(wxWindow& window) {
    wxPaintDC dc(&window);
    // The top-level widget's style is the theme's "window background" node: drawn with it, the
    // client area looks exactly as GTK draws the window when it is first shown.
    auto* styleOf = GtkSymbol<GtkStyleContext*(GtkWidget*)>("gtk_widget_get_style_context");
    auto* render = GtkSymbol<void(GtkStyleContext*, void*, double, double, double, double)>(
        "gtk_render_background");
    void* cairo = dc.GetImpl() != nullptr ? dc.GetImpl()->GetCairoContext() : nullptr;
    const wxSize size = window.GetClientSize();
    if (styleOf != nullptr && render != nullptr && cairo != nullptr && window.m_widget != nullptr) {
        render(styleOf(window.m_widget), cairo, 0, 0, size.x, size.y);
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

}  // namespace tavrin::shell
