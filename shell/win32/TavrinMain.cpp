#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/StringTable.h"
#include "platform/UrlOpener.h"
#include "shell/GeneratorApp.h"
#include "shell/StartFolder.h"
#include "shell/win32/MainWindow.h"
#include "shell/win32/Win32Text.h"

namespace {

// The arguments after the program's name, as the system names them.
std::vector<std::filesystem::path> Arguments() {
    std::vector<std::filesystem::path> arguments;
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (words == nullptr) {
        return arguments;
    }
    for (int i = 1; i < count; ++i) {
        arguments.emplace_back(words[i]);
    }
    LocalFree(words);
    return arguments;
}

}  // namespace

// The program's whole run is the main dialog; there is no window of its own. The command line
// may name the folder to work in (Explorer's "Tavrin で開く" passes it).
int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const std::vector<std::filesystem::path> arguments = Arguments();
    // A program without a console answers --help and --version in a box.
    if (std::optional<std::string> answer = tavrin::shell::StartOptionAnswer(arguments)) {
        using tavrin::shell::win32::Wide;
        MessageBoxW(nullptr, Wide(*answer).c_str(),
                    Wide(tavrin::LoadText(tavrin::IDS_APP_TITLE)).c_str(),
                    MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    if (std::optional<std::string> message = tavrin::shell::EnterStartFolder(arguments)) {
        using tavrin::shell::win32::Wide;
        MessageBoxW(nullptr, Wide(*message).c_str(),
                    Wide(tavrin::LoadText(tavrin::IDS_APP_TITLE)).c_str(),
                    MB_OK | MB_ICONEXCLAMATION);
        return 1;
    }
    // The folder browser is a shell object: it needs the thread in an apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    tavrin::shell::CGeneratorApp app;
    app.SetFolderGiven(!arguments.empty());
    app.InitInstance([](tavrin::shell::CGeneratorDlg& dialog) {
        tavrin::shell::win32::CMainWindow window(dialog, tavrin::platform::SystemUrlOpener());
        window.RunModal();
    });

    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return 0;
}
