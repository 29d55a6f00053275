#include "shell/win32/MainWindow.h"

#include <commdlg.h>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "engine/StringTable.h"
#include "shell/DialogEvents.h"
#include "shell/PathBox.h"
#include "shell/ResourceIds.h"
#include "shell/win32/AboutBox.h"
#include "shell/win32/FolderBrowser.h"
#include "shell/win32/ReportWindow.h"
#include "shell/win32/ToolTip.h"
#include "shell/win32/Win32Text.h"
#include "shell/win32/WindowPlacement.h"

namespace tavrin::shell::win32 {

namespace {

HICON LoadMainIcon(int metricX, int metricY) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIdiMain),
                                         IMAGE_ICON, GetSystemMetrics(metricX),
                                         GetSystemMetrics(metricY), LR_DEFAULTCOLOR));
}

std::string ItemText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
    const LRESULT length = SendMessageW(control, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(control, textMessage, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return Narrow(text);
}

// The notifications of the controls that have handlers, by their codes.
std::optional<ControlEvent> EventOf(int code) {
    switch (code) {
        case BN_CLICKED:
            return ControlEvent::Clicked;
        case LBN_SELCHANGE:
            return ControlEvent::SelectionChanged;
        case EN_CHANGE:
            return ControlEvent::TextChanged;
        default:
            return std::nullopt;
    }
}

}  // namespace

CMainWindow::CMainWindow(CGeneratorDlg& dialog, platform::IUrlOpener& opener)
    : CDialogBase(kIddMainDialog),
      m_dialog(dialog),
      m_opener(opener),
      m_icon(LoadMainIcon(SM_CXICON, SM_CYICON)),
      m_smallIcon(LoadMainIcon(SM_CXSMICON, SM_CYSMICON)) {}

INT_PTR CMainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            // The focus goes to the first control that takes it, the template list.
            return TRUE;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_SYSCOMMAND:
            if (IsMenuCommand(static_cast<int>(wParam))) {
                m_dialog.OnSysCommand(static_cast<int>(wParam));
                return TRUE;
            }
            return FALSE;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(m_icon.get());
        default:
            (void)lParam;
            return FALSE;
    }
}

void CMainWindow::OnInitDialog() {
    HMENU systemMenu = GetSystemMenu(m_hwnd, FALSE);
    const std::vector<MenuEntry> entries = MenuEntries();
    if (systemMenu != nullptr && !entries.empty()) {
        AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
        for (const MenuEntry& entry : entries) {
            AppendMenuW(systemMenu, MF_STRING, static_cast<UINT_PTR>(entry.id),
                        Wide(entry.text).c_str());
        }
    }
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon.get()));
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.get()));
    // The template gives no position: the dialog would open in the screen's corner. Placed
    // before the dialog's opening, which may show a message box over it.
    CentreDialog(m_hwnd);
    m_dialog.AttachWindow(*this);
    m_dialog.OnInitDialog();
}

void CMainWindow::OnCommand(int id, int code) {
    switch (id) {
        case kIdcOutputFolder:
        case kIdcResourceFile:
            if (code == EN_CHANGE) {
                m_pathBoxes.UpdateTooltip(Item(id));
            }
            break;
        case kIdOk:
            m_dialog.OnOK();
            Close(kIdOk);
            break;
        case kIdCancel:
            m_dialog.OnCancel();
            Close(kIdCancel);
            break;
        default:
            if (std::optional<ControlEvent> event = EventOf(code)) {
                RouteControlEvent(m_dialog, id, *event, m_writing);
            }
            break;
    }
}

std::string CMainWindow::GetText(int controlId) {
    return Narrow(WindowTextOf(Item(controlId)));
}

void CMainWindow::SetText(int controlId, std::string_view text) {
    // Writing a box's text puts its caret at the start, and the dialog writes the boxes back
    // while the user types into one of them: only a text that differs is written, and the
    // selection (the caret, when nothing is selected) keeps its place within the new text.
    HWND control = Item(controlId);
    const std::wstring wide = Wide(text);
    if (control == nullptr || WindowTextOf(control) == wide) {
        return;
    }
    const bool combo = controlId == kIdcDialogResourceId;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(control, combo ? CB_GETEDITSEL : EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    {
        const bool wasWriting = std::exchange(m_writing, true);
        SetWindowTextW(control, wide.c_str());
        m_writing = wasWriting;
    }
    const auto length = static_cast<DWORD>(wide.size());
    start = std::min(start, length);
    end = std::min(end, length);
    if (combo) {
        SendMessageW(control, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
    } else if (IsPathBox(controlId)) {
        m_pathBoxes.ShowPathEnd(control);
    } else {
        SendMessageW(control, EM_SETSEL, start, end);
    }
}

void CMainWindow::EnableControl(int controlId, bool enable) {
    EnableWindow(Item(controlId), enable ? TRUE : FALSE);
}

bool CMainWindow::GetCheck(int controlId) {
    return SendMessageW(Item(controlId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CMainWindow::SetCheck(int controlId, bool checked) {
    SendMessageW(Item(controlId), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CMainWindow::SetToolTip(int controlId, std::string_view text) {
    SetToolTipText(Item(controlId), Wide(text));
}

void CMainWindow::SetTitle(std::string_view text) {
    SetWindowTextW(m_hwnd, Wide(text).c_str());
}

void CMainWindow::ShowReport(std::string_view title, std::string_view text) {
    RunReportWindow(m_hwnd, title, text);
}

void CMainWindow::ListReset(int controlId) {
    SendMessageW(Item(controlId), LB_RESETCONTENT, 0, 0);
}

void CMainWindow::ListAdd(int controlId, std::string_view text) {
    SendMessageW(Item(controlId), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

int CMainWindow::ListGetSelection(int controlId) {
    const LRESULT index = SendMessageW(Item(controlId), LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

std::string CMainWindow::ListGetText(int controlId, int index) {
    return ItemText(Item(controlId), LB_GETTEXTLEN, LB_GETTEXT, index);
}

void CMainWindow::ComboReset(int controlId) {
    SendMessageW(Item(controlId), CB_RESETCONTENT, 0, 0);
}

void CMainWindow::ComboAdd(int controlId, std::string_view text) {
    SendMessageW(Item(controlId), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

int CMainWindow::ComboGetCount(int controlId) {
    const LRESULT count = SendMessageW(Item(controlId), CB_GETCOUNT, 0, 0);
    return count == CB_ERR ? 0 : static_cast<int>(count);
}

std::string CMainWindow::ComboGetText(int controlId, int index) {
    return ItemText(Item(controlId), CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

void CMainWindow::ComboSelect(int controlId, int index) {
    // Selecting the entry that already shows would rewrite the edit part all the same.
    HWND combo = Item(controlId);
    if (SendMessageW(combo, CB_GETCURSEL, 0, 0) == index &&
        WindowTextOf(combo) == Wide(ComboGetText(controlId, index))) {
        return;
    }
    const bool wasWriting = std::exchange(m_writing, true);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    m_writing = wasWriting;
}

int CMainWindow::ShowMessageBox(std::string_view text, int style) {
    const int pressed =
        MessageBoxW(m_hwnd, Wide(text).c_str(), Wide(LoadText(IDS_APP_TITLE)).c_str(),
                    static_cast<UINT>(style));
    return MessageBoxAnswer(style, pressed == IDYES);
}

bool CMainWindow::RunFolderBrowser(std::string_view title, std::string_view initialFolder,
                                   std::string& chosenFolder) {
    return BrowseForFolder(m_hwnd, title, initialFolder, chosenFolder);
}

bool CMainWindow::RunFileOpenDialog(std::string_view description, std::string_view wildcard,
                                    std::string_view defaultExtension, std::string& chosenPath) {
    // "description\0wildcard\0\0".
    std::wstring filter = Wide(description);
    filter += L'\0';
    filter += Wide(wildcard);
    filter += L'\0';
    filter += L'\0';
    std::wstring extension = Wide(defaultExtension);
    if (!extension.empty() && extension.front() == L'.') {
        extension.erase(0, 1);
    }
    std::vector<wchar_t> file(MAX_PATH * 4, L'\0');
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = m_hwnd;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrDefExt = extension.c_str();
    // No OFN_NOCHANGEDIR: the folder the user moved to stays the current directory, which
    // relative paths of the next generation then resolve against.
    request.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    if (!GetOpenFileNameW(&request)) {
        return false;
    }
    chosenPath = Narrow(file.data());
    return true;
}

void CMainWindow::ShowAboutBox() {
    RunAboutBox(m_hwnd, m_opener);
}

}  // namespace tavrin::shell::win32
