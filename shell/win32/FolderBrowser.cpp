#include "shell/win32/FolderBrowser.h"

#include <shlobj.h>

#include "shell/win32/Win32Text.h"

namespace tavrin::shell::win32 {

namespace {

void RequestSelection(HWND browser, const FolderBrowseState& state) {
    SendMessageW(browser, BFFM_SETSELECTIONW, TRUE,
                 reinterpret_cast<LPARAM>(state.initialFolder.c_str()));
}

}  // namespace

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM parameter, LPARAM data) {
    auto* state = reinterpret_cast<FolderBrowseState*>(data);
    if (state == nullptr) {
        return 0;
    }
    if (message == BFFM_INITIALIZED) {
        RequestSelection(browser, *state);
    } else if (message == BFFM_SELCHANGED && state->retriesLeft > 0 &&
               !state->initialFolder.empty()) {
        wchar_t selected[MAX_PATH] = {};
        const auto* item = reinterpret_cast<PCIDLIST_ABSOLUTE>(parameter);
        const bool hasPath = item != nullptr && SHGetPathFromIDListW(item, selected);
        if (hasPath && lstrcmpiW(selected, state->initialFolder.c_str()) == 0) {
            // Arrived: from now on every change is the user's.
            state->retriesLeft = 0;
        } else {
            --state->retriesLeft;
            RequestSelection(browser, *state);
        }
    }
    return 0;
}

bool BrowseForFolder(HWND owner, std::string_view title, std::string_view initialFolder,
                     std::string& chosenFolder) {
    FolderBrowseState state;
    state.initialFolder = Wide(initialFolder);
    const std::wstring wideTitle = Wide(title);
    wchar_t displayName[MAX_PATH] = {};

    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = wideTitle.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = &BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&state);

    PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
    if (item == nullptr) {
        return false;
    }
    wchar_t path[MAX_PATH] = {};
    const bool converted = SHGetPathFromIDListW(item, path) != FALSE;
    CoTaskMemFree(item);
    if (!converted) {
        return false;
    }
    chosenFolder = Narrow(path);
    return true;
}

}  // namespace tavrin::shell::win32
