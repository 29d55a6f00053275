#include "engine/project/ProjectRegistration.h"

#include <filesystem>
#include <system_error>

#include "engine/Mbcs.h"
#include "engine/project/ProjectXml.h"
#include "platform/CodePage.h"
#include "platform/FileStatus.h"
#include "platform/NativePath.h"
#include "platform/TextFile.h"

namespace tavrin {

namespace {

bool SamePart(const std::string& a, const std::string& b) {
    return platform::kPathsIgnoreCase ? mbcs::EqualsIgnoringAsciiCase(a, b) : a == b;
}

std::vector<std::string> Parts(const std::filesystem::path& path) {
    std::vector<std::string> parts;
    for (const std::filesystem::path& part : path.relative_path()) {
        if (!part.empty()) {
            parts.push_back(platform::FromNativePath(part));
        }
    }
    return parts;
}

std::optional<std::filesystem::path> AbsolutePath(std::string_view path) {
    std::optional<std::filesystem::path> native = platform::ToNativePath(path);
    if (!native) {
        return std::nullopt;
    }
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(*native, error);
    if (error) {
        return std::nullopt;
    }
    return absolute.lexically_normal();
}

ProjectRegistration::Status StatusOf(ProjectXmlEdit::Status status) {
    switch (status) {
        case ProjectXmlEdit::Status::kNotXml:
            return ProjectRegistration::Status::kNotXml;
        case ProjectXmlEdit::Status::kNotProject:
            return ProjectRegistration::Status::kNotProject;
        case ProjectXmlEdit::Status::kBadEncoding:
            return ProjectRegistration::Status::kBadEncoding;
        case ProjectXmlEdit::Status::kNotUtf8:
            return ProjectRegistration::Status::kNotUtf8;
        case ProjectXmlEdit::Status::kOldFormat:
            return ProjectRegistration::Status::kOldFormat;
        case ProjectXmlEdit::Status::kTooLarge:
            return ProjectRegistration::Status::kTooLarge;
        default:
            return ProjectRegistration::Status::kAdded;
    }
}

// The file's new bytes in `edit`; false with the failure in `result`.
bool Prepare(const std::string& path, ProjectFileKind kind, const ClassItems& items,
             std::string& old, ProjectXmlEdit& edit, ProjectRegistration& result) {
    if (platform::IsDirectory(path) || !platform::ReadFileBytes(path, old)) {
        result.status = ProjectRegistration::Status::kUnreadable;
        result.file = path;
        return false;
    }
    edit = AddClassItems(old, kind, items);
    if (edit.status == ProjectXmlEdit::Status::kChanged ||
        edit.status == ProjectXmlEdit::Status::kUnchanged) {
        return true;
    }
    result.status = StatusOf(edit.status);
    result.file = path;
    result.detail = edit.detail;
    return false;
}

}  // namespace

std::optional<std::string> ProjectRelativePath(std::string_view projectPath,
                                               std::string_view file) {
    std::optional<std::filesystem::path> project = AbsolutePath(projectPath);
    std::optional<std::filesystem::path> target = AbsolutePath(file);
    if (!project || !target) {
        return std::nullopt;
    }
    std::vector<std::string> from = Parts(project->parent_path());
    std::vector<std::string> to = Parts(*target);
    std::string out;
    if (!SamePart(platform::FromNativePath(project->root_name()),
                  platform::FromNativePath(target->root_name()))) {
        out = platform::FromNativePath(target->root_path());
        from.clear();
        to = Parts(*target);
    } else {
        std::size_t common = 0;
        while (common < from.size() && common + 1 < to.size() &&
               SamePart(from[common], to[common])) {
            ++common;
        }
        for (std::size_t i = common; i < from.size(); ++i) {
            out += "..\\";
        }
        to.erase(to.begin(), to.begin() + static_cast<std::ptrdiff_t>(common));
    }
    for (std::size_t i = 0; i < to.size(); ++i) {
        out += (i == 0 ? "" : "\\") + to[i];
    }
    // "/" is never the trail byte of a double-byte character, so it can be replaced bytewise.
    for (char& c : out) {
        c = c == '/' ? '\\' : c;
    }
    return out;
}

namespace {

bool IsSharedItems(const std::string& project) {
    constexpr std::string_view kSharedItems = ".vcxitems";
    return project.size() > kSharedItems.size() &&
           mbcs::EqualsIgnoringAsciiCase(project.substr(project.size() - kSharedItems.size()),
                                         kSharedItems);
}

// Both files' new contents from what they hold now: false with the refusal in `result`.
struct Edits {
    std::string oldProject;
    std::string oldFilters;
    ProjectXmlEdit project;
    ProjectXmlEdit filters;
};

bool PrepareBoth(const std::string& project, const std::string& filters, ClassItems items,
                 Edits& edits, ProjectRegistration& result, bool checkOnly = false) {
    if (!Prepare(project, ProjectFileKind::kProject, items, edits.oldProject, edits.project,
                 result)) {
        return false;
    }
    if (edits.project.headerListed) {
        items.header.clear();
    }
    if (edits.project.sourceListed) {
        items.source.clear();
    }
    if (!platform::PathExists(filters)) {
        return true;
    }
    // One file under both names would take the filters' edit over the project's.
    if (platform::SameFile(project, filters)) {
        result.status = ProjectRegistration::Status::kSameFile;
        result.file = filters;
        return false;
    }
    const bool anyNew = !items.header.empty() || !items.source.empty();
    return (!anyNew && !checkOnly) || Prepare(filters, ProjectFileKind::kFilters, items,
                                              edits.oldFilters, edits.filters, result);
}

enum class Commit { kDone, kChanged, kFailed };

// Writes both files, each only where no other program saved it since it was read. Interrupts
// wait until both are in place (or the project is back as it was).
Commit WriteBoth(const std::string& project, const std::string& filters, const Edits& edits,
                 IOutputWriter& writer, ProjectRegistration& result) {
    platform::DeferredInterrupts deferred;
    const bool projectChanges = edits.project.status == ProjectXmlEdit::Status::kChanged;
    const bool filtersChange = edits.filters.status == ProjectXmlEdit::Status::kChanged;
    bool changed = false;
    // The project first: should the process die between the two writes, the class is built
    // and merely shown outside its filter, which the IDE copes with.
    if (projectChanges) {
        if (!writer.Replace(project, edits.oldProject, edits.project.bytes, changed)) {
            if (changed) {
                return Commit::kChanged;
            }
            result.status = ProjectRegistration::Status::kWriteFailed;
            result.file = project;
            result.failure = writer.LastFailure();
            return Commit::kFailed;
        }
        result.written.push_back(project);
    }
    if (filtersChange && !writer.Replace(filters, edits.oldFilters, edits.filters.bytes, changed)) {
        result.file = filters;
        result.failure = writer.LastFailure();
        result.status = ProjectRegistration::Status::kHalfWritten;
        bool putBackChanged = false;
        if (!projectChanges ||
            writer.Replace(project, edits.project.bytes, edits.oldProject, putBackChanged)) {
            result.status = ProjectRegistration::Status::kWriteFailed;
            result.written.clear();
            return changed ? Commit::kChanged : Commit::kFailed;
        }
        return Commit::kFailed;
    }
    if (filtersChange) {
        result.written.push_back(filters);
    }
    return Commit::kDone;
}

}  // namespace

std::optional<ProjectRegistration> CheckProjectFiles(std::string_view projectPath) {
    const std::string project(projectPath);
    ClassItems nothing;
    nothing.sharedItems = IsSharedItems(project);
    Edits edits;
    ProjectRegistration result;
    if (!PrepareBoth(project, project + ".filters", nothing, edits, result, true)) {
        return result;
    }
    return std::nullopt;
}

ProjectRegistration RegisterClassFiles(std::string_view projectPath, std::string_view headerPath,
                                       std::string_view sourcePath, IOutputWriter& writer) {
    ProjectRegistration result;
    std::optional<std::string> header = ProjectRelativePath(projectPath, headerPath);
    std::optional<std::string> source = ProjectRelativePath(projectPath, sourcePath);
    ClassItems items;
    if (!header || !source || !platform::Cp932ToUtf8(*header, items.header) ||
        !platform::Cp932ToUtf8(*source, items.source)) {
        result.status = ProjectRegistration::Status::kBadPath;
        result.file = std::string(header ? sourcePath : headerPath);
        return result;
    }
    const std::string project(projectPath);
    const std::string filters = project + ".filters";
    items.sharedItems = IsSharedItems(project);
    // Another program saving a file between our reading and our writing keeps its save: the
    // edit is made again on what it saved, a few times before giving up.
    constexpr int kAttempts = 3;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        result = ProjectRegistration{};
        Edits edits;
        if (!PrepareBoth(project, filters, items, edits, result)) {
            return result;
        }
        switch (WriteBoth(project, filters, edits, writer, result)) {
            case Commit::kDone:
                result.status = result.written.empty() ? ProjectRegistration::Status::kAlreadyThere
                                                       : ProjectRegistration::Status::kAdded;
                return result;
            case Commit::kFailed:
                return result;
            case Commit::kChanged:
                break;
        }
    }
    result = ProjectRegistration{};
    result.status = ProjectRegistration::Status::kChangedMeanwhile;
    result.file = project;
    return result;
}

}  // namespace tavrin
