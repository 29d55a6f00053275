#include "shell/VersionInfo.h"

#include <algorithm>
#include <cstdio>

#include "engine/Mbcs.h"
#include "platform/UserLanguage.h"

namespace tavrin::shell {

namespace {

template <typename Map>
auto FindIgnoringCase(const Map& map, std::string_view name) {
    for (auto it = map.begin(); it != map.end(); ++it) {
        if (mbcs::EqualsIgnoringAsciiCase(it->first, name)) {
            return it;
        }
    }
    return map.end();
}

}  // namespace

std::optional<std::string> QueryVersionString(const platform::VersionResource& resource,
                                              std::string_view subBlock) {
    constexpr std::string_view kRoot = "\\StringFileInfo\\";
    if (!mbcs::EqualsIgnoringAsciiCase(subBlock.substr(0, kRoot.size()), kRoot)) {
        return std::nullopt;
    }
    std::string_view path = subBlock.substr(std::min(kRoot.size(), subBlock.size()));
    std::size_t separator = path.find('\\');
    if (separator == std::string_view::npos) {
        return std::nullopt;
    }
    auto block = FindIgnoringCase(resource.stringBlocks, path.substr(0, separator));
    if (block == resource.stringBlocks.end()) {
        return std::nullopt;
    }
    auto entry = FindIgnoringCase(block->second, path.substr(separator + 1));
    if (entry == block->second.end()) {
        return std::nullopt;
    }
    return entry->second.substr(0, entry->second.find('\0'));
}

bool ReadVersionInfo(const platform::VersionResource& resource, std::uint16_t userLanguage,
                     std::string& productName, std::string& version) {
    productName.clear();
    version.clear();

    // A table without entries has no first one to fall back on: no product name then.
    if (resource.translations && !resource.translations->empty()) {
        const platform::VersionTranslation* chosen = &resource.translations->front();
        // Every match replaces the choice, so the last one wins.
        for (const platform::VersionTranslation& translation : *resource.translations) {
            if (translation.language == userLanguage) {
                chosen = &translation;
            }
        }
        char subBlock[64];
        std::snprintf(subBlock, sizeof subBlock, "\\StringFileInfo\\%04X%04X\\%s",
                      unsigned{chosen->language}, unsigned{chosen->codePage}, "ProductName");
        productName = QueryVersionString(resource, subBlock).value_or("");
    }

    if (resource.fixed) {
        char text[32];
        std::snprintf(text, sizeof text, "%u.%u.%u.%u", resource.fixed->productVersionMS >> 16,
                      resource.fixed->productVersionMS & 0xFFFF,
                      resource.fixed->productVersionLS >> 16,
                      resource.fixed->productVersionLS & 0xFFFF);
        version = text;
    }
    return !productName.empty() && !version.empty();
}

bool ReadVersionInfo(std::string& productName, std::string& version) {
    productName.clear();
    version.clear();
    platform::VersionResource resource;
    if (!platform::LoadOwnVersionResource(resource)) {
        return false;
    }
    return ReadVersionInfo(resource, platform::UserDefaultLanguageId(), productName, version);
}

}  // namespace tavrin::shell
