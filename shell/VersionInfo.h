#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/VersionResource.h"

namespace tavrin::shell {

// The product name and version the About box shows, from the running program's version
// resource: the product name from the string block of the user's language (or of the first
// translation, when the user's is not there), the version as "1.1.0.0" from the fixed
// product version. Both strings are emptied first and keep whatever was found; the result is
// true only when both are non-empty.
bool ReadVersionInfo(std::string& productName, std::string& version);

// The same on a given resource and user language, for tests.
bool ReadVersionInfo(const platform::VersionResource& resource, std::uint16_t userLanguage,
                     std::string& productName, std::string& version);

// The string at `subBlock` ("\StringFileInfo\041104B0\ProductName"), found as the version API
// finds it: block and value names compared without regard to case, and the value cut at its
// first NUL. Nothing when there is none.
std::optional<std::string> QueryVersionString(const platform::VersionResource& resource,
                                              std::string_view subBlock);

}  // namespace tavrin::shell
