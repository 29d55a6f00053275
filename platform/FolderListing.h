#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace tavrin::platform {

// The one regular file in `folder` whose name ends in `extension` (".rc", compared ignoring
// ASCII case, as Windows compares names); nothing when there is none, when there are several
// to choose from, or when the folder cannot be read.
std::optional<std::filesystem::path> SoleFileWithExtension(const std::filesystem::path& folder,
                                                           std::string_view extension);

// The user's home folder ($HOME, or %USERPROFILE% on Windows); empty when the system names none.
std::filesystem::path HomeFolder();

}  // namespace tavrin::platform
