#include "shell/win32/WindowPlacement.h"

#include <algorithm>

namespace tavrin::shell::win32 {

namespace {

// Where `size` goes to be centred on `area`, moved inside `bounds` as far as it fits.
LONG CentredStart(LONG areaStart, LONG areaEnd, LONG size, LONG boundsStart, LONG boundsEnd) {
    LONG start = areaStart + (areaEnd - areaStart - size) / 2;
    start = std::min(start, boundsEnd - size);
    return std::max(start, boundsStart);
}

}  // namespace

void CentreDialog(HWND dialog) {
    RECT window{};
    if (!GetWindowRect(dialog, &window)) {
        return;
    }
    HWND owner = GetWindow(dialog, GW_OWNER);
    HMONITOR monitor = nullptr;
    RECT area{};
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &area);
        monitor = MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY);
    } else {
        POINT pointer{};
        GetCursorPos(&pointer);
        monitor = MonitorFromPoint(pointer, MONITOR_DEFAULTTOPRIMARY);
    }
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) {
        return;
    }
    const RECT& bounds = info.rcWork;
    if (IsRectEmpty(&area)) {
        area = bounds;
    }
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    SetWindowPos(dialog, nullptr,
                 CentredStart(area.left, area.right, width, bounds.left, bounds.right),
                 CentredStart(area.top, area.bottom, height, bounds.top, bounds.bottom), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tavrin::shell::win32
