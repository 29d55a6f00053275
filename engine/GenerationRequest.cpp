#include "engine/GenerationRequest.h"

#include <array>

#include "engine/Keywords.h"

namespace tavrin {

void ApplyTemplateDefaults(const CTemplateTable& table, std::string_view templateName,
                           GenerationRequest& request) {
    const std::array<std::pair<std::string_view, std::string*>, 4> fields = {{
        {keywords::kBasicClassName, &request.basicClassName},
        {keywords::kDerivedClassName, &request.derivedClassName},
        {keywords::kHeaderFileName, &request.headerFileName},
        {keywords::kSourceFileName, &request.sourceFileName},
    }};
    for (const auto& [keyword, field] : fields) {
        if (const CTemplateKeyword* record = table.FindKeyword(templateName, keyword)) {
            *field = record->value;
        }
    }
}

bool NeedsDialogResourceId(const CTemplateTable& table, std::string_view templateName) {
    return table.FindKeyword(templateName, keywords::kDialogResourceId) != nullptr;
}

}  // namespace tavrin
