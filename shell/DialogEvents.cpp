#include "shell/DialogEvents.h"

#include "engine/StringTable.h"

namespace tavrin::shell {

bool RouteControlEvent(CGeneratorDlg& dialog, int controlId, ControlEvent event,
                       bool windowWriting) {
    if (event == ControlEvent::TextChanged && (windowWriting || dialog.NotificationsLocked())) {
        return false;
    }
    for (const EventRoute& route : kEventRoutes) {
        if (route.controlId == controlId && route.event == event) {
            (dialog.*route.handler)();
            return true;
        }
    }
    return false;
}

std::vector<MenuEntry> MenuEntries() {
    std::vector<MenuEntry> entries;
    if (LoadText(IDS_ABOUTBOX).empty()) {
        return entries;
    }
    for (const MenuCommand& command : kMenuCommands) {
        entries.push_back({command.id, LoadText(command.text)});
    }
    return entries;
}

bool IsMenuCommand(int systemCommand) {
    for (const MenuCommand& command : kMenuCommands) {
        if ((systemCommand & 0xFFF0) == command.id) {
            return true;
        }
    }
    return false;
}

int MessageBoxAnswer(int style, bool choseYes) {
    if (style != kMbYesNoExclamation) {
        return kIdOk;
    }
    return choseYes ? kIdYes : kIdNo;
}

}  // namespace tavrin::shell
