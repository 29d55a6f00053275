#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "platform/UrlOpener.h"
#include "shell/GeneratorApp.h"
#include "shell/win32/MainWindow.h"

// The program's whole run is the main dialog; there is no window of its own and nothing is
// read from the command line.
int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // The folder browser is a shell object: it needs the thread in an apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    tavrin::shell::CGeneratorApp app;
    app.InitInstance([](tavrin::shell::CGeneratorDlg& dialog) {
        tavrin::shell::win32::CMainWindow window(dialog, tavrin::platform::SystemUrlOpener());
        window.RunModal();
    });

    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return 0;
}
