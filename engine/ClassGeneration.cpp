#include "engine/ClassGeneration.h"

#include "engine/TextEncoding.h"
#include "engine/UnifiedDiff.h"
#include "engine/project/ProjectXml.h"
#include "platform/FileStatus.h"
#include "platform/FolderListing.h"
#include "platform/NativePath.h"
#include "platform/TextFile.h"

namespace tavrin {

namespace {

constexpr std::string_view kProjectExtension = ".vcxproj";

std::vector<PreviewEntry> DescribePreview(const CPreviewOutputWriter& preview, bool withDiffs,
                                          std::string_view (*translate)(std::string_view)) {
    const auto translated = [translate](std::string_view english) {
        return std::string(translate != nullptr ? translate(english) : english);
    };
    std::vector<PreviewEntry> entries;
    for (const CPreviewOutputWriter::File& file : preview.Files()) {
        PreviewEntry entry;
        entry.path = file.path;
        // The class files come first; what follows them is the project and its filters.
        entry.projectFile = entries.size() >= 2;
        std::string existing;
        if (platform::PathExists(file.path) && platform::ReadFileBytes(file.path, existing)) {
            entry.change = existing == file.bytes ? PreviewEntry::Change::kSame
                                                  : PreviewEntry::Change::kReplace;
        }
        if (withDiffs && entry.change == PreviewEntry::Change::kReplace) {
            // Both sides in code page 932, line ends left as they are; the project files are
            // UTF-8 without a mark.
            auto text = [&entry](std::string_view bytes) {
                return entry.projectFile ? ProjectTextForDisplay(bytes) : DecodeText(bytes).cp932;
            };
            entry.diff = UnifiedDiff(text(existing), text(file.bytes),
                                     file.path + "\t" + translated("(existing)"),
                                     file.path + "\t" + translated("(would be written)"));
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

// The folder above `folder`, or nothing at the drive's root.
std::optional<std::filesystem::path> Parent(const std::filesystem::path& folder) {
    std::filesystem::path parent = folder.parent_path();
    if (parent.empty() || parent == folder) {
        return std::nullopt;
    }
    return parent;
}

std::optional<std::string> ProjectIn(const std::filesystem::path& folder) {
    std::optional<std::filesystem::path> project =
        platform::SoleFileWithExtension(folder, kProjectExtension);
    std::string path = project ? platform::ExactCp932Path(*project) : std::string();
    return path.empty() ? std::nullopt : std::optional<std::string>(std::move(path));
}

}  // namespace

bool GenerationReport::ProjectFailed() const {
    using Status = ProjectRegistration::Status;
    return !projectRefused && project && project->status != Status::kAdded &&
           project->status != Status::kAlreadyThere;
}

GenerationReport CClassGenerator::Generate(const GenerationRequest& request,
                                           std::string_view projectPath,
                                           const WrittenCallback& written) {
    CFileOutputWriter files;
    return Run(request, projectPath, files, written);
}

GenerationReport CClassGenerator::Preview(const GenerationRequest& request,
                                          std::string_view projectPath, bool withDiffs,
                                          std::string_view (*translate)(std::string_view)) {
    CPreviewOutputWriter preview;
    GenerationReport report = Run(request, projectPath, preview, {});
    if (report.Written()) {
        report.preview = DescribePreview(preview, withDiffs, translate);
    }
    return report;
}

GenerationReport CClassGenerator::Run(const GenerationRequest& request,
                                      std::string_view projectPath, IOutputWriter& writer,
                                      const WrittenCallback& written) {
    GenerationReport report;
    if (!projectPath.empty()) {
        // A project that cannot take the class stops everything before the first write.
        if (std::optional<ProjectRegistration> refusal = CheckProjectFiles(projectPath)) {
            report.projectRefused = true;
            report.project = std::move(refusal);
            return report;
        }
    }
    CGenerationCommand command(m_table, m_host, writer);
    report.outcome = command.OnGenerate(request);
    report.headerPath = command.HeaderPath();
    report.sourcePath = command.SourcePath();
    if (report.Written() && written) {
        written(report);
    }
    if (report.Written() && !projectPath.empty()) {
        report.project =
            RegisterClassFiles(projectPath, report.headerPath, report.sourcePath, writer);
    }
    return report;
}

std::optional<Message> ProjectStepMessage(const GenerationReport& report,
                                          std::string_view projectPath, bool preview) {
    using Status = ProjectRegistration::Status;
    if (!report.project) {
        return std::nullopt;
    }
    const ProjectRegistration& result = *report.project;
    const std::string project(projectPath);
    Message problem;
    switch (result.status) {
        case Status::kAdded:
            return std::nullopt;
        case Status::kAlreadyThere:
            return Message{IDS_PROJECT_ALREADY_LISTS, {project}};
        case Status::kUnreadable:
            problem = {IDS_PROJECT_UNREADABLE, {result.file}};
            break;
        case Status::kNotXml:
            problem = {IDS_PROJECT_NOT_XML, {result.detail, result.file}};
            break;
        case Status::kNotProject:
            problem = {IDS_PROJECT_NOT_PROJECT, {result.detail, result.file}};
            break;
        case Status::kBadEncoding:
            problem = {IDS_PROJECT_BAD_ENCODING, {result.file}};
            break;
        case Status::kNotUtf8:
            problem = {IDS_PROJECT_NOT_UTF8, {result.detail, result.file}};
            break;
        case Status::kOldFormat:
            problem = {IDS_PROJECT_OLD_FORMAT, {result.file}};
            break;
        case Status::kBadPath:
            problem = {IDS_PROJECT_BAD_PATH, {result.file}};
            break;
        case Status::kTooLarge:
            problem = {IDS_PROJECT_TOO_LARGE, {result.file}};
            break;
        case Status::kSameFile:
            problem = {IDS_PROJECT_SAME_FILE, {result.file}};
            break;
        case Status::kChangedMeanwhile:
            problem = {IDS_PROJECT_CHANGED_MEANWHILE, {result.file}};
            break;
        case Status::kWriteFailed:
        case Status::kHalfWritten: {
            const std::string why =
                FormatString(WriteFailureMessage(result.failure), {result.file});
            problem = {result.status == Status::kWriteFailed ? IDS_PROJECT_WRITE_FAILED
                                                             : IDS_PROJECT_HALF_WRITTEN,
                       {why, project}};
            break;
        }
    }
    const StringId lead = report.projectRefused ? IDS_PROJECT_NOTHING_WRITTEN
                          : preview             ? IDS_PROJECT_WOULD_NOT_BE_ADDED
                                                : IDS_PROJECT_NOT_ADDED;
    return Message{lead, {problem.Text()}};
}

std::optional<std::string> FindProject(std::string_view outputFolder,
                                       std::string_view resourceScript) {
    std::error_code error;
    std::optional<std::filesystem::path> output = platform::ToNativePath(outputFolder);
    if (output) {
        *output = std::filesystem::absolute(*output, error).lexically_normal();
        if (!output->has_filename()) {
            *output = output->parent_path();  // a folder written with a separator at its end
        }
        if (std::optional<std::string> project = ProjectIn(*output)) {
            return project;
        }
    }
    if (std::optional<std::filesystem::path> script = platform::ToNativePath(resourceScript);
        script && !resourceScript.empty()) {
        if (std::optional<std::string> project =
                ProjectIn(std::filesystem::absolute(*script, error).parent_path())) {
            return project;
        }
    }
    if (!output) {
        return std::nullopt;
    }
    // Upwards, but never above the home folder: a project there or higher is someone else's.
    const std::filesystem::path home = platform::HomeFolder();
    for (std::optional<std::filesystem::path> folder = Parent(*output); folder;
         folder = Parent(*folder)) {
        if (std::optional<std::string> project = ProjectIn(*folder)) {
            return project;
        }
        if (!home.empty() && std::filesystem::equivalent(*folder, home, error)) {
            break;
        }
    }
    return std::nullopt;
}

}  // namespace tavrin
