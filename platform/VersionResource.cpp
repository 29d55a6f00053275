#include "platform/VersionResource.h"

#include <cstdio>

#include "platform/CodePage.h"

namespace tavrin::platform {

VersionResource BuiltInVersionResource() {
    VersionResource resource;
    std::vector<VersionTranslation> translations;
    std::uint16_t numbers[4] = {};
    std::map<std::string, std::string> strings;

#define TAVRIN_VERSION_NUMBER(major, minor, build, revision) \
    numbers[0] = major;                                      \
    numbers[1] = minor;                                      \
    numbers[2] = build;                                      \
    numbers[3] = revision;
#define TAVRIN_VERSION_TRANSLATION(language, codePage) translations.push_back({language, codePage});
#define TAVRIN_VERSION_STRING(name, value) strings[name] = Utf8ToCp932(value);
#define TAVRIN_ABOUT(name, value)
#include "res/version.inc"
#undef TAVRIN_VERSION_NUMBER
#undef TAVRIN_VERSION_TRANSLATION
#undef TAVRIN_VERSION_STRING
#undef TAVRIN_ABOUT

    char text[32];
    std::snprintf(text, sizeof text, "%u, %u, %u, %u", numbers[0], numbers[1], numbers[2],
                  numbers[3]);
    strings["FileVersion"] = text;
    strings["ProductVersion"] = text;

    // The generated resource script names its one string block after the translation, in
    // lower case.
    if (!translations.empty()) {
        char block[16];
        std::snprintf(block, sizeof block, "%04x%04x", translations.front().language,
                      translations.front().codePage);
        resource.stringBlocks[block] = std::move(strings);
    }
    resource.translations = std::move(translations);

    FixedVersionInfo fixed;
    fixed.productVersionMS = (std::uint32_t{numbers[0]} << 16) | numbers[1];
    fixed.productVersionLS = (std::uint32_t{numbers[2]} << 16) | numbers[3];
    fixed.fileVersionMS = fixed.productVersionMS;
    fixed.fileVersionLS = fixed.productVersionLS;
    resource.fixed = fixed;
    return resource;
}

}  // namespace tavrin::platform
