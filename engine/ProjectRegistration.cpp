#include "engine/ProjectRegistration.h"

#include <filesystem>
#include <system_error>

#include "engine/Mbcs.h"
#include "engine/ProjectXml.h"
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
    constexpr std::string_view kSharedItems = ".vcxitems";
    items.sharedItems = project.size() > kSharedItems.size() &&
                        mbcs::EqualsIgnoringAsciiCase(
                            project.substr(project.size() - kSharedItems.size()), kSharedItems);
    std::string oldProject;
    std::string oldFilters;
    ProjectXmlEdit projectEdit;
    ProjectXmlEdit filtersEdit;
    if (!Prepare(project, ProjectFileKind::kProject, items, oldProject, projectEdit, result)) {
        return result;
    }
    if (projectEdit.headerListed) {
        items.header.clear();
    }
    if (projectEdit.sourceListed) {
        items.source.clear();
    }
    const bool anyNew = !items.header.empty() || !items.source.empty();
    if (anyNew && platform::PathExists(filters) &&
        !Prepare(filters, ProjectFileKind::kFilters, items, oldFilters, filtersEdit, result)) {
        return result;
    }

    // The project first: should the process die between the two writes, the class is built and
    // merely shown outside its filter, which the IDE copes with.
    const bool projectChanges = projectEdit.status == ProjectXmlEdit::Status::kChanged;
    const bool filtersChange = filtersEdit.status == ProjectXmlEdit::Status::kChanged;
    if (projectChanges) {
        if (!writer.Write(project, projectEdit.bytes)) {
            result.status = ProjectRegistration::Status::kWriteFailed;
            result.file = project;
            result.failure = writer.LastFailure();
            return result;
        }
        result.written.push_back(project);
    }
    if (filtersChange && !writer.Write(filters, filtersEdit.bytes)) {
        result.file = filters;
        result.failure = writer.LastFailure();
        result.status = ProjectRegistration::Status::kHalfWritten;
        if (!projectChanges || writer.Write(project, oldProject)) {
            result.status = ProjectRegistration::Status::kWriteFailed;
            result.written.clear();
        }
        return result;
    }
    if (filtersChange) {
        result.written.push_back(filters);
    }
    result.status = result.written.empty() ? ProjectRegistration::Status::kAlreadyThere
                                           : ProjectRegistration::Status::kAdded;
    return result;
}

}  // namespace tavrin
