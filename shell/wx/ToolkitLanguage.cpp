#include "shell/wx/ToolkitLanguage.h"

#include <wx/translation.h>
#include <wx/uilocale.h>

namespace tavrin::shell::wx {

void UseUserLanguageInToolkit() {
    wxUILocale::UseDefault();
    // Without the catalog (not installed), the toolkit's texts stay English: nothing fails.
    auto* translations = new wxTranslations;
    wxTranslations::Set(translations);
    translations->AddStdCatalog();
}

}  // namespace tavrin::shell::wx
