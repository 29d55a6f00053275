#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tavrin::platform {

// What the version resource of the running program holds, in the shape the Windows version
// API hands it out. Every part may be missing, as it may in a real resource; the program's
// own resource has them all.
struct VersionTranslation {
    std::uint16_t language = 0;  // language ID, primary and sub-language together
    std::uint16_t codePage = 0;
};

struct FixedVersionInfo {
    // Two 16-bit numbers in each double word, the more significant one first:
    // 1.1.0.0 is 0x00010001 and 0x00000000.
    std::uint32_t productVersionMS = 0;
    std::uint32_t productVersionLS = 0;
    std::uint32_t fileVersionMS = 0;
    std::uint32_t fileVersionLS = 0;
};

struct VersionResource {
    // "\VarFileInfo\Translation", in resource order; nothing when the resource has no table.
    std::optional<std::vector<VersionTranslation>> translations;
    // "\StringFileInfo\<block>\<name>": values in code page 932, by block name as the
    // resource spells it ("041104b0"), then by value name.
    std::map<std::string, std::map<std::string, std::string>> stringBlocks;
    // The root block ("\"), or nothing when the resource has none.
    std::optional<FixedVersionInfo> fixed;
};

// Reads the version resource of the running program into `out`. On Windows it is the
// executable's own resource; elsewhere the same data, compiled in. False when there is none.
bool LoadOwnVersionResource(VersionResource& out);

// The version resource compiled from res/version.inc, as the resource compiler builds it for
// Windows.
VersionResource BuiltInVersionResource();

}  // namespace tavrin::platform
