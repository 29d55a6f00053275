#include "engine/GenerationCommand.h"

#include "engine/Mbcs.h"
#include "platform/NativePath.h"

namespace tavrin {

namespace {

constexpr std::string_view kDialogIdKeyword = "$$DDID$$";

bool EndsWithSeparator(std::string_view folder) {
    // Character by character: a folder ending in a double-byte character whose trail byte
    // is 0x5C ("...表") does not end in a backslash and still needs its separator.
    if (mbcs::EndsWithChar(folder, '\\')) {
        return true;
    }
    // "/" separates on Windows too, and it is never a trail byte.
    return !folder.empty() && folder.back() == '/';
}

}  // namespace

std::string Message::Text() const {
    switch (inserts.size()) {
        case 0:
            return LoadText(id);
        case 1:
            return FormatString(id, {inserts[0]});
        default:
            return FormatString(id, {inserts[0], inserts[1]});
    }
}

std::string CGenerationCommand::JoinPath(std::string_view folder, std::string_view name) {
    std::string out;
    if (!folder.empty()) {
        out = folder;
        if (!EndsWithSeparator(out)) {
            out.push_back(platform::kNativeSeparator);
        }
    }
    out.append(name);
    return out;
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
    } else if (m_table.FindKeyword(*request.templateName, kDialogIdKeyword) != nullptr &&
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
    set.SetKeywordValue("$$SNAME$$", request.basicClassName);
    set.SetKeywordValue("$$DNAME$$", request.derivedClassName);
    set.SetKeywordValue("$$HFILE$$", request.headerFileName);
    set.SetKeywordValue("$$CPPFILE$$", request.sourceFileName);
    set.SetKeywordValue(kDialogIdKeyword, request.dialogResourceId);

    if (!m_host.FileExists(entry->headerTemplate)) {
        m_host.ShowMessage({IDS_HEADER_TEMPLATE_MISSING, {entry->headerTemplate}});
        return GenerationOutcome::kTemplateMissing;
    }
    if (!m_host.FileExists(entry->sourceTemplate)) {
        m_host.ShowMessage({IDS_SOURCE_TEMPLATE_MISSING, {entry->sourceTemplate}});
        return GenerationOutcome::kTemplateMissing;
    }

    m_strHeaderPath = JoinPath(request.outputFolder, request.headerFileName);
    m_strSourcePath = JoinPath(request.outputFolder, request.sourceFileName);
    if (m_host.FileExists(m_strHeaderPath) || m_host.FileExists(m_strSourcePath)) {
        if (!m_host.AskOverwrite({IDS_CONFIRM_OVERWRITE, {m_strHeaderPath, m_strSourcePath}})) {
            return GenerationOutcome::kDeclined;
        }
    }

    set.BeginGeneration();
    bool written = GenerateFiles(set, *entry, request);
    set.EndGeneration();
    if (written) {
        return GenerationOutcome::kWritten;
    }
    return m_headerWritten ? GenerationOutcome::kSourceFailed : GenerationOutcome::kHeaderFailed;
}

bool CGenerationCommand::GenerateFiles(CSubstitutionSet& set, const CTemplateEntry& entry,
                                       const GenerationRequest& request) {
    m_headerWritten = false;
    if (!set.ExpandFile(entry.headerTemplate, m_strHeaderPath)) {
        m_host.ShowMessage({IDS_HEADER_GENERATION_FAILED, {request.headerFileName}});
        return false;
    }
    m_headerWritten = true;
    if (!set.ExpandFile(entry.sourceTemplate, m_strSourcePath)) {
        m_host.ShowMessage({IDS_SOURCE_GENERATION_FAILED, {request.sourceFileName}});
        return false;
    }
    return true;
}

}  // namespace tavrin
