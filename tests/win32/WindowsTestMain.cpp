#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

// The window tests run as the program does: common controls registered, the thread in a COM
// apartment for the shell's objects.
int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    CoUninitialize();
    return status;
}
