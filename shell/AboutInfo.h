#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/VersionResource.h"
#include "shell/ResourceIds.h"

// What the About box shows besides its fixed texts, free of any toolkit: the contact details
// kept with the version data in res/version.inc, and the product name and version lines.
namespace tavrin::shell {

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
