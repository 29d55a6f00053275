#include "platform/UserName.h"

#include <windows.h>

// <windows.h> maps GetUserName to its ANSI or wide entry point; ours is neither.
#undef GetUserName

namespace tavrin::platform {

std::string AccountUserName() {
    // 257 holds the longest account name the system allows, with its terminator.
    std::wstring name(257, L'\0');
    DWORD size = static_cast<DWORD>(name.size());
    if (!::GetUserNameW(name.data(), &size)) {
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            return {};
        }
        name.assign(size, L'\0');
        if (!::GetUserNameW(name.data(), &size)) {
            return {};
        }
    }
    // The size counts the terminator.
    name.resize(size > 0 ? size - 1 : 0);
    if (name.empty()) {
        return {};
    }

    // Characters code page 932 cannot hold become the system's default character, "?".
    int wideLength = static_cast<int>(name.size());
    int length =
        ::WideCharToMultiByte(932, 0, name.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return {};
    }
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(932, 0, name.data(), wideLength, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

}  // namespace tavrin::platform
