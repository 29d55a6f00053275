#include "engine/GenerationCommand.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "engine/BuiltInKeywords.h"
#include "engine/Keywords.h"
#include "engine/SubstitutionSet.h"
#include "platform/FileStatus.h"
#include "platform/NativePath.h"

namespace tavrin {

namespace {

// A template's files where they were found.
struct TemplateFiles {
    std::string header;
    std::string source;
};

// Why writing `path` failed, and the file's full path: the message names only the file, and a
// user cannot tell a missing folder from a read-only one or a full disk without being told.
std::string WriteFailureDetail(std::string_view path, platform::WriteFailure failure) {
    namespace fs = std::filesystem;
    std::string fullPath(path);
    int reason = IDS_WRITE_FAILED_REASON_UNKNOWN;
    if (std::optional<fs::path> native = platform::ToNativePath(path)) {
        std::error_code error;
        const fs::path absolute = fs::absolute(*native, error).lexically_normal();
        if (!error) {
            fullPath = platform::FromNativePath(absolute);
            if (fs::is_directory(absolute, error)) {
                reason = IDS_WRITE_FAILED_FOLDER_IN_PLACE;
            } else if (!fs::is_directory(absolute.parent_path(), error)) {
                reason = IDS_WRITE_FAILED_NO_FOLDER;
            }
        }
    }
    if (reason == IDS_WRITE_FAILED_REASON_UNKNOWN) {
        reason = WriteFailureMessage(failure);
    }
    return FormatString(reason, {fullPath});
}

// Expands the template's header, then its source, and hands each to `writer`; shows the
// message of a failure.
GenerationOutcome WriteFiles(IGenerationHost& host, IOutputWriter& writer, CSubstitutionSet& set,
                             const TemplateFiles& templates, const GenerationRequest& request,
                             const std::string& headerPath, const std::string& sourcePath) {
    const CSubstitutionSet::Generation generation(set);
    std::string bytes;
    if (!set.ExpandTemplate(templates.header, bytes)) {
        host.ShowMessage({IDS_HEADER_GENERATION_FAILED, {request.headerFileName}});
        return GenerationOutcome::kHeaderFailed;
    }
    if (!writer.Write(headerPath, bytes)) {
        host.ShowMessage({IDS_HEADER_GENERATION_FAILED,
                          {request.headerFileName},
                          WriteFailureDetail(headerPath, writer.LastFailure())});
        return GenerationOutcome::kHeaderFailed;
    }
    if (!set.ExpandTemplate(templates.source, bytes)) {
        host.ShowMessage({IDS_SOURCE_GENERATION_FAILED, {request.sourceFileName}});
        return GenerationOutcome::kSourceFailed;
    }
    if (!writer.Write(sourcePath, bytes)) {
        host.ShowMessage({IDS_SOURCE_GENERATION_FAILED,
                          {request.sourceFileName},
                          WriteFailureDetail(sourcePath, writer.LastFailure())});
        return GenerationOutcome::kSourceFailed;
    }
    return GenerationOutcome::kWritten;
}

// One message for all keywords whose search gave up, after the files: the user learns which
// keyword of which template file to look at, and the files that were written stay written.
void ReportGaveUpSearches(IGenerationHost& host, const CSubstitutionSet& set) {
    std::string list;
    for (const CSubstitutionSet::GaveUpSearch& search : set.GaveUpSearches()) {
        list += (list.empty() ? "" : "\n") + search.keyword + " [" + search.templatePath + "]";
    }
    if (!list.empty()) {
        host.ShowMessage({IDS_SEARCH_GAVE_UP, {list}});
    }
}

}  // namespace

StringId WriteFailureMessage(platform::WriteFailure failure) {
    switch (failure) {
        case platform::WriteFailure::kReadOnly:
            return IDS_WRITE_FAILED_READ_ONLY;
        case platform::WriteFailure::kDenied:
            return IDS_WRITE_FAILED_DENIED;
        case platform::WriteFailure::kDiskFull:
            return IDS_WRITE_FAILED_DISK_FULL;
        case platform::WriteFailure::kOther:
            break;
    }
    return IDS_WRITE_FAILED_REASON_UNKNOWN;
}

IOutputWriter& CGenerationCommand::FileWriter() {
    static CFileOutputWriter writer;
    return writer;
}

std::string Message::Text() const {
    std::string text;
    if (inserts.empty()) {
        text = LoadText(id);
    } else {
        const std::vector<std::string_view> views(inserts.begin(), inserts.end());
        text = FormatString(id, views);
    }
    return detail.empty() ? text : text + "\n" + detail;
}

bool CGenerationCommand::ValidateRequest(const GenerationRequest& request) {
    int failed = 0;
    if (!request.templateName) {
        failed = IDS_NO_TEMPLATE_SELECTED;
    } else if (request.basicClassName.empty()) {
        failed = IDS_NO_BASIC_CLASS_NAME;
    } else if (request.derivedClassName.empty()) {
        failed = IDS_NO_DERIVED_CLASS_NAME;
    } else if (request.headerFileName.empty()) {
        failed = IDS_NO_HEADER_FILE_NAME;
    } else if (request.sourceFileName.empty()) {
        failed = IDS_NO_SOURCE_FILE_NAME;
    } else if (NeedsDialogResourceId(m_table, *request.templateName) &&
               request.dialogResourceId.empty()) {
        failed = IDS_NO_DIALOG_RESOURCE_ID;
    }
    if (failed != 0) {
        m_host.ShowMessage({failed, {}});
        return false;
    }
    return true;
}

GenerationOutcome CGenerationCommand::OnGenerate(const GenerationRequest& request) {
    if (!ValidateRequest(request)) {
        return GenerationOutcome::kInvalidRequest;
    }
    const CTemplateEntry* entry = m_table.FindEntry(*request.templateName);
    if (entry == nullptr) {
        return GenerationOutcome::kUnknownTemplate;
    }

    CSubstitutionSet set;
    for (const CTemplateKeyword& keyword : entry->keywords) {
        set.AddKeyword(keyword.keyword, keyword.value);
    }
    // Only keywords the template declares take the dialog's values; the others have no entry.
    set.SetKeywordValue(keywords::kBasicClassName, request.basicClassName);
    set.SetKeywordValue(keywords::kDerivedClassName, request.derivedClassName);
    set.SetKeywordValue(keywords::kHeaderFileName, request.headerFileName);
    set.SetKeywordValue(keywords::kSourceFileName, request.sourceFileName);
    set.SetKeywordValue(keywords::kDialogResourceId, request.dialogResourceId);
    AddBuiltInKeywords(set);

    // The messages name the files as the table does.
    auto exists = [this](std::string_view path) { return m_host.FileExists(path); };
    const TemplateFiles templates{
        ResolveTemplateFile(m_table.FileName(), entry->headerTemplate, exists),
        ResolveTemplateFile(m_table.FileName(), entry->sourceTemplate, exists)};
    if (!m_host.FileExists(templates.header)) {
        m_host.ShowMessage({IDS_HEADER_TEMPLATE_MISSING, {entry->headerTemplate}});
        return GenerationOutcome::kTemplateMissing;
    }
    if (!m_host.FileExists(templates.source)) {
        m_host.ShowMessage({IDS_SOURCE_TEMPLATE_MISSING, {entry->sourceTemplate}});
        return GenerationOutcome::kTemplateMissing;
    }

    m_strHeaderPath = platform::JoinPath(request.outputFolder, request.headerFileName);
    m_strSourcePath = platform::JoinPath(request.outputFolder, request.sourceFileName);
    if (m_host.FileExists(m_strHeaderPath) || m_host.FileExists(m_strSourcePath)) {
        if (!m_host.AskOverwrite({IDS_CONFIRM_OVERWRITE, {m_strHeaderPath, m_strSourcePath}})) {
            return GenerationOutcome::kDeclined;
        }
    }

    const GenerationOutcome outcome =
        WriteFiles(m_host, m_writer, set, templates, request, m_strHeaderPath, m_strSourcePath);
    ReportGaveUpSearches(m_host, set);
    return outcome;
}

}  // namespace tavrin
