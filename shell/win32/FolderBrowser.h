#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tavrin::shell::win32 {

// What the browser's callback needs: the folder to pre-select, and how often it may still
// ask for it. The browser may ignore the first request while it is still filling its tree
// (Wine does), so the callback asks again until the selection reports the folder.
struct FolderBrowseState {
    std::wstring initialFolder;
    int retriesLeft = 3;
};

// The shell's folder browser with `title`, pre-selecting `initialFolder` (empty: the
// browser's default), accepting only file-system folders. True with the chosen folder's path
// when the user confirms one that has a path.
bool BrowseForFolder(HWND owner, std::string_view title, std::string_view initialFolder,
                     std::string& chosenFolder);

// The browser's callback; `data` is the FolderBrowseState. Always answers 0.
int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM parameter, LPARAM data);

}  // namespace tavrin::shell::win32
