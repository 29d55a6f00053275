#pragma once

#include <string>
#include <vector>

#include "shell/GeneratorDlg.h"
#include "shell/ResourceIds.h"

// How the events of a window reach the main dialog's handlers: written once here, so that
// the windows of every toolkit (and the tests' window without a display) route them alike.
namespace tavrin::shell {

// What happened to a control, in terms every toolkit has.
enum class ControlEvent {
    Clicked,           // a button was pressed
    SelectionChanged,  // the user chose another entry of a list
    TextChanged,       // an edit box's text changed
};

// Which control's event calls which handler of the dialog.
struct EventRoute {
    int controlId;
    ControlEvent event;
    void (CGeneratorDlg::*handler)();
};
inline constexpr EventRoute kEventRoutes[] = {
    {kIdcTemplateList, ControlEvent::SelectionChanged, &CGeneratorDlg::OnSelchangeTemplateList},
    {kIdcDerivedClassName, ControlEvent::TextChanged, &CGeneratorDlg::OnChangeDerivedClassName},
    {kIdcGenerate, ControlEvent::Clicked, &CGeneratorDlg::OnGenerate},
    {kIdcBrowseOutputFolder, ControlEvent::Clicked, &CGeneratorDlg::OnBrowseOutputFolder},
    {kIdcBrowseResourceFile, ControlEvent::Clicked, &CGeneratorDlg::OnBrowseResourceFile},
};

// Calls the handler of the control's event, if it has one. A text change the dialog caused
// itself is no change the user made and calls nothing: one made while the dialog writes its
// fields back, or while the window writes a control (`windowWriting`, for a toolkit whose
// writes raise change events). True when a handler ran.
bool RouteControlEvent(CGeneratorDlg& dialog, int controlId, ControlEvent event,
                       bool windowWriting = false);

// The entries of the window's menu (kMenuCommands, with their texts), after a separator where
// the menu has other entries. None when the About entry has no text: that build has no menu.
struct MenuEntry {
    int id;
    std::string text;
};
std::vector<MenuEntry> MenuEntries();

// Whether a system command is one of the menu's; its low four bits are the system's own.
bool IsMenuCommand(int systemCommand);

// The answer of a message box of `style` (kMbOkExclamation or kMbYesNoExclamation): kIdOk for
// a box with OK alone; for a question kIdYes when the user chose Yes, and kIdNo for No, Escape
// or the close box, which must never count as Yes.
int MessageBoxAnswer(int style, bool choseYes);

}  // namespace tavrin::shell
