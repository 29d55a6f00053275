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
namespace tavrin::shell::wx {

// The arguments as the system gave them. wx converts them through the locale's encoding and
// makes one it cannot convert (a Japanese folder name under LANG=C) empty, which would start
// the program in the caller's folder instead; a path takes the bytes as they are.
std::vector<std::filesystem::path> g_arguments;

class CTavrinApp : public wxApp {
public:
    bool OnInit() override {
        // The base class would parse the command line; the program takes only the folder to
        // start in from it (see OnRun).
        UseUserLanguageInToolkit();
        return true;
    }

    int OnRun() override {
#ifdef __WXMSW__
        for (int i = 1; i < argc; ++i) {
            g_arguments.emplace_back(argv[i].ToStdWstring());  // UTF-16 holds every name
        }
#endif
        const std::vector<std::filesystem::path>& arguments = g_arguments;
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

}  // namespace tavrin::shell::wx

#ifdef __WXMSW__
wxIMPLEMENT_APP(tavrin::shell::wx::CTavrinApp);
#else
wxIMPLEMENT_APP_NO_MAIN(tavrin::shell::wx::CTavrinApp);

// --help and --version are answered on the terminal before the toolkit starts, so that they
// work where no window can open (a remote shell) and never open one. The arguments are kept as
// the system gave them (see g_arguments).
int main(int argc, char** argv) {
    std::vector<std::filesystem::path> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (std::optional<std::string> answer = tavrin::shell::StartOptionAnswer(arguments)) {
        std::cout << *answer << std::flush;
        return std::cout.good() ? 0 : 1;
    }
    tavrin::shell::wx::g_arguments = std::move(arguments);
    return wxEntry(argc, argv);
}
#endif
