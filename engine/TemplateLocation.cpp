#include "engine/TemplateLocation.h"

#include "platform/CurrentDirectory.h"
#include "platform/FileStatus.h"
#include "platform/NativePath.h"
#include "platform/UserFolders.h"
#include "platform/UserName.h"

namespace tavrin {

namespace fs = std::filesystem;

namespace {

std::string SettingsFileName() {
    return platform::AccountUserName() + ".cfg";
}

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

}  // namespace

TemplatePlaces InstalledTemplatePlaces() {
    TemplatePlaces places;
    if (fs::path data = platform::UserDataFolder(); !data.empty()) {
#ifdef _WIN32
        places.userFolder = data / "Tavrin" / "templates";
#else
        places.userFolder = data / "tavrin" / "templates";
#endif
    }
    places.programFolder = platform::ProgramFile().parent_path();
    if (places.programFolder.empty()) {
        return places;
    }
    const fs::path candidates[] = {
#ifndef _WIN32
        places.programFolder.parent_path() / "share" / "tavrin" / "examples",
#endif
        places.programFolder / "examples",
    };
    for (const fs::path& candidate : candidates) {
        if (Exists(candidate / kTemplateTableName)) {
            places.examples = candidate.lexically_normal();
            break;
        }
    }
    return places;
}

std::optional<Message> CopyExamples(const TemplatePlaces& places, const fs::path& folder) {
    if (places.examples.empty()) {
        return Message{IDS_EXAMPLES_NOT_FOUND, {platform::FromNativePath(places.programFolder)}};
    }
    if (!platform::CopyFolderContents(places.examples, folder)) {
        return Message{IDS_TEMPLATE_FOLDER_FAILED, {platform::FromNativePath(folder)}};
    }
    return std::nullopt;
}

TemplateLocation StartFolderTemplates() {
    TemplateLocation location;
    location.folder = platform::CurrentDirectory();
    location.tablePath = platform::JoinPath(location.folder, kTemplateTableName);
    location.settingsPath = platform::JoinPath(location.folder, SettingsFileName());
    return location;
}

TemplateLocation LocateTemplates(const TemplatePlaces& places) {
    TemplateLocation location = StartFolderTemplates();
    if (platform::PathExists(location.tablePath) || places.userFolder.empty()) {
        return location;
    }

    location.userTemplateSet = true;
    location.settingsPath.clear();
    if (!Exists(places.userFolder / kTemplateTableName)) {
        location.problem = CopyExamples(places, places.userFolder);
        location.created = !location.problem;
    }
    const std::string folder = platform::ExactCp932Path(places.userFolder);
    if (folder.empty()) {
        // The engine's paths are code page 932: a folder it cannot name cannot be read.
        location.problem =
            Message{IDS_TEMPLATE_FOLDER_UNNAMED, {platform::FromNativePath(places.userFolder)}};
        location.created = false;
        return location;
    }
    location.folder = folder;
    location.tablePath = platform::JoinPath(folder, kTemplateTableName);
    if (Exists(places.userFolder)) {
        location.settingsPath = platform::JoinPath(folder, SettingsFileName());
    }
    return location;
}

std::optional<Message> LoadTemplateTable(const TemplateLocation& location, CTemplateTable& table) {
    table.SetFileName(location.tablePath);
    if (table.Load()) {
        return std::nullopt;
    }
    return Message{
        IDS_TEMPLATE_LOAD_FAILED,
        {location.folder.empty() ? platform::CurrentDirectoryForDisplay() : location.folder}};
}

}  // namespace tavrin
