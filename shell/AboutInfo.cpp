#include "shell/AboutInfo.h"

#include "shell/VersionInfo.h"

namespace tavrin::shell {

namespace {

struct AboutTexts {
    std::string_view contactMail;
    std::string_view homePage;
    std::string_view copyright;
};

// The texts are ASCII, so they are the same bytes in code page 932.
constexpr AboutTexts kAbout = [] {
    AboutTexts texts;
#define TAVRIN_VERSION_NUMBER(major, minor, build, revision)
#define TAVRIN_VERSION_TRANSLATION(language, codePage)
#define TAVRIN_VERSION_STRING(name, value)            \
    if (std::string_view(name) == "LegalCopyright") { \
        texts.copyright = value;                      \
    }
#define TAVRIN_ABOUT(name, value) texts.TAVRIN_ABOUT_##name = value;
#define TAVRIN_ABOUT_CONTACT_MAIL contactMail
#define TAVRIN_ABOUT_HOME_PAGE homePage
#include "res/version.inc"
#undef TAVRIN_VERSION_NUMBER
#undef TAVRIN_VERSION_TRANSLATION
#undef TAVRIN_VERSION_STRING
#undef TAVRIN_ABOUT
#undef TAVRIN_ABOUT_CONTACT_MAIL
#undef TAVRIN_ABOUT_HOME_PAGE
    return texts;
}();

void Apply(bool found, const std::string& productName, const std::string& version,
           std::string& productNameText, std::string& versionText) {
    if (found) {
        productNameText = productName;
        versionText += version;
    }
}

}  // namespace

std::string_view ContactMailAddress() {
    return kAbout.contactMail;
}

std::string_view HomePageUrl() {
    return kAbout.homePage;
}

std::string_view CopyrightLine() {
    return kAbout.copyright;
}

std::string MailTarget() {
    return "mailto:" + std::string(ContactMailAddress());
}

void ApplyVersionInfo(std::string& productNameText, std::string& versionText) {
    std::string productName;
    std::string version;
    bool found = ReadVersionInfo(productName, version);
    Apply(found, productName, version, productNameText, versionText);
}

void ApplyVersionInfo(const platform::VersionResource& resource, std::uint16_t userLanguage,
                      std::string& productNameText, std::string& versionText) {
    std::string productName;
    std::string version;
    bool found = ReadVersionInfo(resource, userLanguage, productName, version);
    Apply(found, productName, version, productNameText, versionText);
}

}  // namespace tavrin::shell
