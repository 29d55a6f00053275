// tavrin, the desktop program: the main dialog, run once, modally, is the whole program.
#include <wx/app.h>

#include "shell/GeneratorApp.h"
#include "shell/wx/MainDialog.h"
#include "shell/wx/ToolkitLanguage.h"

// Outside an unnamed namespace: the wxGetApp() that wxIMPLEMENT_APP defines returns it, and
// would otherwise be an unused function of this file.
namespace tavrin::shell {

class CTavrinApp : public wxApp {
public:
    bool OnInit() override {
        // The base class would parse the command line; the program takes nothing from it.
        UseUserLanguageInToolkit();
        return true;
    }

    int OnRun() override {
        // The dialog's own modal loop is the program's only one.
        CGeneratorApp app;
        app.InitInstance([](CGeneratorDlg& dialog) {
            CMainDialog window(nullptr, dialog);
            window.ShowModal();
        });
        return 0;
    }
};

}  // namespace tavrin::shell

wxIMPLEMENT_APP(tavrin::shell::CTavrinApp);
