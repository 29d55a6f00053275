#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/VersionResource.h"

// What the About box shows besides its fixed texts, free of any toolkit: the contact details
// kept with the version data in res/version.inc, and the product name and version lines.
namespace tavrin::shell {

// The About box and its controls.
inline constexpr int IDD_ABOUTBOX = 8000;
inline constexpr int IDB_ABOUT_PANEL = 8001;
inline constexpr int IDC_PRODUCT_NAME = 8002;
inline constexpr int IDC_PRODUCT_VERSION = 8003;
inline constexpr int IDC_ABOUT_ICON = 8004;
inline constexpr int IDC_MAIL_LINK = 8005;
inline constexpr int IDC_HOME_LINK = 8006;

// The address the mail label shows.
std::string_view ContactMailAddress();
// The home page, the home label's text and target.
std::string_view HomePageUrl();
// The copyright line, the version block's "LegalCopyright".
std::string_view CopyrightLine();

// The mail label's target: "mailto:" and exactly the address it shows.
std::string MailTarget();

// Fills in the product name and version lines from the program's version information: the
// name replaces `productNameText`, the version is appended to `versionText` (the template's
// "Version "). When either could not be read, both keep their template texts.
void ApplyVersionInfo(std::string& productNameText, std::string& versionText);

// The same on a given resource and user language, for tests.
void ApplyVersionInfo(const platform::VersionResource& resource, std::uint16_t userLanguage,
                      std::string& productNameText, std::string& versionText);

}  // namespace tavrin::shell
