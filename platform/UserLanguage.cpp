#include "platform/UserLanguage.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace tavrin::platform {

namespace {

struct LanguageEntry {
    std::string_view name;  // "ll" for the language's main form, "ll_CC" for a territory
    std::uint16_t id;
};

// The languages people are likely to run the program in. A language's own entry gives its
// main form, the one Windows numbers with sub-language 1.
constexpr LanguageEntry kLanguages[] = {
    {"ar", 0x0401},    {"bg", 0x0402},    {"ca", 0x0403},    {"zh", 0x0804},    {"zh_CN", 0x0804},
    {"zh_SG", 0x1004}, {"zh_TW", 0x0404}, {"zh_HK", 0x0C04}, {"zh_MO", 0x1404}, {"cs", 0x0405},
    {"da", 0x0406},    {"de", 0x0407},    {"de_CH", 0x0807}, {"de_AT", 0x0C07}, {"de_LU", 0x1007},
    {"de_LI", 0x1407}, {"el", 0x0408},    {"en", 0x0409},    {"en_US", 0x0409}, {"en_GB", 0x0809},
    {"en_AU", 0x0C09}, {"en_CA", 0x1009}, {"en_NZ", 0x1409}, {"en_IE", 0x1809}, {"en_ZA", 0x1C09},
    {"en_IN", 0x4009}, {"en_SG", 0x4809}, {"es", 0x0C0A},    {"es_ES", 0x0C0A}, {"es_MX", 0x080A},
    {"es_AR", 0x2C0A}, {"es_US", 0x540A}, {"fi", 0x040B},    {"fr", 0x040C},    {"fr_BE", 0x080C},
    {"fr_CA", 0x0C0C}, {"fr_CH", 0x100C}, {"fr_LU", 0x140C}, {"he", 0x040D},    {"hu", 0x040E},
    {"is", 0x040F},    {"it", 0x0410},    {"it_CH", 0x0810}, {"ja", 0x0411},    {"ko", 0x0412},
    {"nl", 0x0413},    {"nl_BE", 0x0813}, {"nb", 0x0414},    {"no", 0x0414},    {"nn", 0x0814},
    {"pl", 0x0415},    {"pt", 0x0816},    {"pt_BR", 0x0416}, {"ro", 0x0418},    {"ru", 0x0419},
    {"hr", 0x041A},    {"sk", 0x041B},    {"sq", 0x041C},    {"sv", 0x041D},    {"sv_FI", 0x081D},
    {"th", 0x041E},    {"tr", 0x041F},    {"id", 0x0421},    {"uk", 0x0422},    {"sl", 0x0424},
    {"et", 0x0425},    {"lv", 0x0426},    {"lt", 0x0427},    {"vi", 0x042A},    {"hi", 0x0439},
    {"ms", 0x043E},
};

std::uint16_t Find(std::string_view name) {
    for (const LanguageEntry& entry : kLanguages) {
        if (entry.name == name) {
            return entry.id;
        }
    }
    return 0;
}

}  // namespace

std::uint16_t LanguageIdFromLocale(std::string_view locale) {
    // language[_territory][.codeset][@modifier]
    std::string_view name = locale.substr(0, locale.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX") {
        return 0x0409;
    }
    std::string_view language = name.substr(0, name.find('_'));
    if (std::uint16_t id = Find(name)) {
        return id;
    }
    if (std::uint16_t id = Find(language)) {
        return id;
    }
    return kLocaleWithoutLanguageId;
}

std::vector<std::uint16_t> PreferredMessageLanguages() {
    std::vector<std::uint16_t> languages;
    const char* list = std::getenv("LANGUAGE");
    if (list == nullptr || UserLocaleIsC()) {
        return languages;
    }
    std::string_view rest = list;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find(':'), rest.size());
        const std::uint16_t id = LanguageIdFromLocale(rest.substr(0, end));
        if (end > 0 && id != kLocaleWithoutLanguageId) {
            languages.push_back(id);
        }
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return languages;
}

}  // namespace tavrin::platform
