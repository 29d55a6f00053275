#include <windows.h>

#include "platform/UserLanguage.h"

namespace tavrin::platform {

std::uint16_t UserDefaultLanguageId() {
    // The low half of a locale ID is its language ID.
    return static_cast<std::uint16_t>(::GetUserDefaultLCID() & 0xFFFF);
}

bool UserLocaleIsC() {
    return false;
}

}  // namespace tavrin::platform
