#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/UrlOpener.h"
#include "shell/DialogEvents.h"
#include "shell/DialogWindow.h"
#include "shell/GeneratorDlg.h"
#include "shell/ResourceIds.h"
#include "support/CurrentDirectoryScope.h"

namespace tavrin::shell::testing {

// Plays the system: answers as configured and records what it was asked to do.
class FakeOpener : public platform::IUrlOpener {
public:
    int handlerResult = 33;
    std::optional<std::string> registered;
    int commandResult = 33;

    std::vector<std::string> opened;
    std::vector<std::string> commands;
    int registryQueries = 0;

    int OpenWithDefaultHandler(std::string_view target) override {
        opened.emplace_back(target);
        return handlerResult;
    }
    std::optional<std::string> RegisteredBrowserCommand() override {
        ++registryQueries;
        return registered;
    }
    int RunCommand(std::string_view commandLine) override {
        commands.emplace_back(commandLine);
        return commandResult;
    }
};

// A window without a display: records what the dialog shows and plays the user's part. Its
// events go through the same routes as the real windows'. Unlike a real window, every write
// raises the box's change event, so that a missing lock shows in the results.
class FakeWindow : public IDialogWindow {
public:
    explicit FakeWindow(CGeneratorDlg& dialog) : m_dialog(dialog) { dialog.AttachWindow(*this); }

    // The user's actions.
    void Type(int controlId, const std::string& text) {
        texts[controlId] = text;
        RouteControlEvent(m_dialog, controlId, ControlEvent::TextChanged);
    }
    void SelectTemplate(int index) {
        listSelection = index;
        RouteControlEvent(m_dialog, kIdcTemplateList, ControlEvent::SelectionChanged);
    }
    void Click(int controlId) { RouteControlEvent(m_dialog, controlId, ControlEvent::Clicked); }

    std::string GetText(int controlId) override { return texts[controlId]; }
    void SetText(int controlId, std::string_view text) override {
        texts[controlId] = std::string(text);
        RouteControlEvent(m_dialog, controlId, ControlEvent::TextChanged);
    }
    void EnableControl(int controlId, bool enable) override { enabled[controlId] = enable; }
    bool GetCheck(int controlId) override { return checked[controlId]; }
    void SetCheck(int controlId, bool check) override { checked[controlId] = check; }
    // What the title, the tooltips and the reports show is the scenarios' (tests/scenarios),
    // seen in the real windows.
    void SetToolTip(int, std::string_view) override {}
    void SetTitle(std::string_view) override {}
    void ListReset(int) override {
        listItems.clear();
        listSelection = -1;
    }
    void ListAdd(int, std::string_view text) override { listItems.emplace_back(text); }
    int ListGetSelection(int) override { return listSelection; }
    std::string ListGetText(int, int index) override { return listItems.at(index); }
    void ComboReset(int) override {
        comboItems.clear();
        comboSelection = -1;
    }
    // Sorted, a duplicate after its equals, like the real list.
    void ComboAdd(int, std::string_view text) override {
        comboItems.emplace(std::upper_bound(comboItems.begin(), comboItems.end(), text), text);
    }
    int ComboGetCount(int) override { return static_cast<int>(comboItems.size()); }
    std::string ComboGetText(int, int index) override { return comboItems.at(index); }
    void ComboSelect(int controlId, int index) override {
        comboSelection = index;
        texts[controlId] = comboItems.at(index);
    }
    // A question is answered Yes: what No does is the scenarios' (tests/scenarios).
    int ShowMessageBox(std::string_view text, int style) override {
        messages.push_back({std::string(text), style});
        return MessageBoxAnswer(style, true);
    }
    bool RunFolderBrowser(std::string_view title, std::string_view initialFolder,
                          std::string& chosenFolder) override {
        browsedTitle = title;
        browsedFrom = initialFolder;
        chosenFolder = folderAnswer.value_or("");
        return folderAnswer.has_value();
    }
    bool RunFileOpenDialog(std::string_view description, std::string_view wildcard,
                           std::string_view defaultExtension, std::string& chosenPath) override {
        fileFilter = std::string(description) + "|" + std::string(wildcard) + "|" +
                     std::string(defaultExtension);
        chosenPath = fileAnswer.value_or("");
        return fileAnswer.has_value();
    }
    void ShowAboutBox() override {}
    void ShowReport(std::string_view, std::string_view) override {}

    struct Shown {
        std::string text;
        int style;
    };
    std::map<int, std::string> texts;
    std::map<int, bool> enabled;
    std::map<int, bool> checked;
    std::vector<std::string> listItems;
    int listSelection = -1;
    std::vector<std::string> comboItems;
    int comboSelection = -1;
    std::vector<Shown> messages;
    std::optional<std::string> folderAnswer;  // nothing: the user cancels
    std::string browsedTitle;
    std::string browsedFrom;
    std::optional<std::string> fileAnswer;  // nothing: the user cancels
    std::string fileFilter;

private:
    CGeneratorDlg& m_dialog;
};

}  // namespace tavrin::shell::testing
