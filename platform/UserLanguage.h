#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tavrin::platform {

// The user's language as a Windows language ID, primary and sub-language together (0x0411
// Japanese, 0x0409 English (United States)): what picks the translation of the version
// resource. On Windows it comes from the user's default locale; on POSIX from the locale the
// environment names (LC_ALL, else LC_MESSAGES, else LANG) through LanguageIdFromLocale.
std::uint16_t UserDefaultLanguageId();

// The language ID Windows has for a POSIX locale name such as "ja_JP.UTF-8" or "de_AT@euro":
// the language with its territory where Windows knows the pair, else the language's main
// form ("de_BE" gives German (Germany), 0x0407). "C" and "POSIX" are US English, as the C
// locale is. A language without an ID gives kLocaleWithoutLanguageId.
std::uint16_t LanguageIdFromLocale(std::string_view locale);

// The languages the user listed for messages in LANGUAGE ("ja_JP:en"), in order, as GNU
// gettext reads that variable on every system, ahead of the locale. Nothing when it is not set,
// and under the C locale, which asks for a program's own messages.
std::vector<std::uint16_t> PreferredMessageLanguages();

// Whether the locale the environment names is C (or POSIX): never on Windows.
bool UserLocaleIsC();

// What Windows itself reports for a locale that has no language ID; it matches no
// translation, so such a user gets the resource's first one.
inline constexpr std::uint16_t kLocaleWithoutLanguageId = 0x1000;

}  // namespace tavrin::platform
