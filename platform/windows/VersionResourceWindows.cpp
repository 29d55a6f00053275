#include <windows.h>

#include <cwchar>
#include <vector>

#include "platform/UserFolders.h"
#include "platform/VersionResource.h"
#include "platform/windows/WindowsText.h"

namespace tavrin::platform {

namespace {

// The names a version block's strings have by convention. The version API cannot list a
// block's contents, so these are the ones asked for.
const wchar_t* const kStringNames[] = {
    L"Comments",     L"CompanyName",    L"FileDescription", L"FileVersion",
    L"InternalName", L"LegalCopyright", L"LegalTrademarks", L"OriginalFilename",
    L"PrivateBuild", L"ProductName",    L"ProductVersion",  L"SpecialBuild",
};

bool Query(std::vector<unsigned char>& data, const std::wstring& subBlock, void*& value,
           UINT& length) {
    value = nullptr;
    length = 0;
    return ::VerQueryValueW(data.data(), subBlock.c_str(), &value, &length) && value != nullptr;
}

}  // namespace

bool LoadOwnVersionResource(VersionResource& out) {
    out = VersionResource{};
    std::wstring path = ProgramFile().native();
    if (path.empty()) {
        return false;
    }
    DWORD handle = 0;
    DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size == 0) {
        return false;
    }
    std::vector<unsigned char> data(size);
    if (!::GetFileVersionInfoW(path.c_str(), 0, size, data.data())) {
        return false;
    }

    void* value = nullptr;
    UINT length = 0;
    if (Query(data, L"\\VarFileInfo\\Translation", value, length)) {
        const auto* entries = static_cast<const WORD*>(value);
        std::vector<VersionTranslation> translations;
        for (UINT i = 0; i < length / 4; ++i) {
            translations.push_back({entries[2 * i], entries[2 * i + 1]});
        }
        // Only the blocks of listed translations can be looked up, so only those are read.
        for (const VersionTranslation& translation : translations) {
            wchar_t block[9];
            std::swprintf(block, 9, L"%04x%04x", translation.language, translation.codePage);
            std::map<std::string, std::string> strings;
            for (const wchar_t* name : kStringNames) {
                std::wstring subBlock = std::wstring(L"\\StringFileInfo\\") + block + L"\\" + name;
                if (Query(data, subBlock, value, length)) {
                    const auto* text = static_cast<const wchar_t*>(value);
                    strings[windows::FromWide(windows::kCodePage932, name)] = windows::FromWide(
                        windows::kCodePage932, std::wstring_view(text, ::wcsnlen(text, length)));
                }
            }
            if (!strings.empty()) {
                out.stringBlocks[windows::FromWide(windows::kCodePage932, block)] =
                    std::move(strings);
            }
        }
        out.translations = std::move(translations);
    }

    if (Query(data, L"\\", value, length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* info = static_cast<const VS_FIXEDFILEINFO*>(value);
        if (info->dwSignature == 0xFEEF04BD) {
            out.fixed = FixedVersionInfo{info->dwProductVersionMS, info->dwProductVersionLS,
                                         info->dwFileVersionMS, info->dwFileVersionLS};
        }
    }
    return true;
}

}  // namespace tavrin::platform
