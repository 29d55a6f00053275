#include "shell/wx/LayoutResources.h"

#include <wx/xrc/xh_bttn.h>
#include <wx/xrc/xh_chckb.h>
#include <wx/xrc/xh_combo.h>
#include <wx/xrc/xh_dlg.h>
#include <wx/xrc/xh_listb.h>
#include <wx/xrc/xh_panel.h>
#include <wx/xrc/xh_sizer.h>
#include <wx/xrc/xh_stbmp.h>
#include <wx/xrc/xh_sttxt.h>
#include <wx/xrc/xh_text.h>
#include <wx/xrc/xmlres.h>

// The layout resources compiled in by wxrc.
extern void InitTavrinResources();

namespace tavrin::shell::wx {

void LoadLayoutResources() {
    static bool loaded = false;
    if (loaded) {
        return;
    }
    wxXmlResource& resources = *wxXmlResource::Get();
    // The layouts' texts are final: none may be swapped for a translation from the toolkit's
    // catalog ("Version " in the About box is one of its entries).
    resources.SetFlags(resources.GetFlags() & ~wxXRC_USE_LOCALE);
    resources.AddHandler(new wxDialogXmlHandler);
    resources.AddHandler(new wxSizerXmlHandler);
    resources.AddHandler(new wxStaticTextXmlHandler);
    resources.AddHandler(new wxListBoxXmlHandler);
    resources.AddHandler(new wxTextCtrlXmlHandler);
    resources.AddHandler(new wxButtonXmlHandler);
    resources.AddHandler(new wxCheckBoxXmlHandler);
    resources.AddHandler(new wxComboBoxXmlHandler);
    resources.AddHandler(new wxPanelXmlHandler);
    resources.AddHandler(new wxStaticBitmapXmlHandler);
    InitTavrinResources();
    loaded = true;
}

}  // namespace tavrin::shell::wx
