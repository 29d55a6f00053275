// tavrin, the desktop program: the main dialog, run once, modally, is the whole program.
#include <wx/app.h>

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "engine/StringTable.h"
#include "shell/GeneratorApp.h"
#include "shell/StartFolder.h"
#include "shell/wx/MainDialog.h"
#include "shell/wx/MessageBox.h"
#include "shell/wx/ToolkitLanguage.h"
#include "shell/wx/WxText.h"

// Outside an unnamed namespace: the wxGetApp() that wxIMPLEMENT_APP defines returns it, and
// would otherwise be an unused function of this file.
namespace tavrin::shell {

class CTavrinApp : public wxApp {
public:
    bool OnInit() override {
        // The base class would parse the command line; the program takes only the folder to
        // start in from it (see OnRun).
        UseUserLanguageInToolkit();
        return true;
    }

    int OnRun() override {
        std::vector<std::filesystem::path> arguments;
        for (int i = 1; i < argc; ++i) {
            arguments.emplace_back(std::string(argv[i].fn_str()));
        }
        if (std::optional<std::string> message = EnterStartFolder(arguments)) {
            CMessageBox box(nullptr, ToWx(*message), ToWx(LoadText(IDS_APP_TITLE)),
                            wxOK | wxICON_EXCLAMATION);
            box.ShowModal();
            return 1;
        }
        // The dialog's own modal loop is the program's only one.
        CGeneratorApp app;
        app.SetFolderGiven(!arguments.empty());
        app.InitInstance([](CGeneratorDlg& dialog) {
            CMainDialog window(nullptr, dialog);
            window.ShowModal();
        });
        return 0;
    }
};

}  // namespace tavrin::shell

wxIMPLEMENT_APP_NO_MAIN(tavrin::shell::CTavrinApp);

// --help and --version are answered on the terminal before the toolkit starts, so that they
// work where no window can open (a remote shell) and never open one.
int main(int argc, char** argv) {
    std::vector<std::filesystem::path> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (std::optional<std::string> answer = tavrin::shell::StartOptionAnswer(arguments)) {
        std::cout << *answer << std::flush;
        return std::cout.good() ? 0 : 1;
    }
    return wxEntry(argc, argv);
}
