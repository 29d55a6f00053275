#include <cstdlib>

#include "platform/UserLanguage.h"

namespace tavrin::platform {

namespace {

// The environment rather than setlocale: the program need not have adopted the user's locale
// for its own formatting to know the user's language. The first variable that is set and not
// empty decides, as it does for the C library.
std::string_view LocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return "C";
}

}  // namespace

std::uint16_t UserDefaultLanguageId() {
    return LanguageIdFromLocale(LocaleName());
}

bool UserLocaleIsC() {
    const std::string_view name = LocaleName();
    return name == "C" || name == "POSIX" || name.starts_with("C.");
}

}  // namespace tavrin::platform
