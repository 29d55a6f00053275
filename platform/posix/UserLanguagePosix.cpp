#include <cstdlib>

#include "platform/UserLanguage.h"

namespace tavrin::platform {

// The environment rather than setlocale: the program need not have adopted the user's locale
// for its own formatting to know the user's language. The first variable that is set and not
// empty decides, as it does for the C library.
std::uint16_t UserDefaultLanguageId() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return LanguageIdFromLocale(value);
        }
    }
    return LanguageIdFromLocale("C");
}

}  // namespace tavrin::platform
