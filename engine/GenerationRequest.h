#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/TemplateTable.h"

namespace tavrin {

// One generation request, as the user entered it. All texts are code page 932.
struct GenerationRequest {
    std::optional<std::string> templateName;  // the selected template; none when nothing is
    std::string basicClassName;
    std::string derivedClassName;
    std::string headerFileName;
    std::string sourceFileName;
    std::string outputFolder;  // may be empty: the current directory
    std::string dialogResourceId;
};

// Fills the base and derived class names and the two file names from the values the template
// `templateName` gives their keywords. A keyword the template declares with an empty value
// empties its field; a field whose keyword it does not declare keeps what it holds. The
// dialog does this when a template is selected, tavrin-cli before its options apply.
void ApplyTemplateDefaults(const CTemplateTable& table, std::string_view templateName,
                           GenerationRequest& request);

// True when the template declares the dialog resource ID keyword.
bool NeedsDialogResourceId(const CTemplateTable& table, std::string_view templateName);

}  // namespace tavrin
