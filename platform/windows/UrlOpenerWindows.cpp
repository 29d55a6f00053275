#include <windows.h>

#include <shellapi.h>

#include <climits>
#include <vector>

#include "platform/UrlOpener.h"
#include "platform/windows/WindowsText.h"

namespace tavrin::platform {

namespace {

// The default value of `subKey` under HKEY_CLASSES_ROOT, of any length. A key that opens but
// whose value cannot be read counts as missing, as does an empty value.
std::optional<std::wstring> ClassDefault(const std::wstring& subKey) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    // A plain string until the end: GCC 12 at -O2 takes a test of an optional string for a
    // read of an uninitialised one.
    std::wstring value;
    DWORD type = 0;
    DWORD size = 0;
    LONG status = ::RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0) {
        // Room for a terminator the stored value may lack.
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        status = ::RegQueryValueExW(key, nullptr, nullptr, &type,
                                    reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (status == ERROR_SUCCESS) {
            value = std::wstring(buffer.data());
        }
    }
    ::RegCloseKey(key);
    if (value.empty()) {
        return std::nullopt;
    }
    return value;
}

// A failed start of a program as the shell's result code; errors
// without one of their own are returned negated, so that they can never read as success.
int StartErrorToResult(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
            return 2;
        case ERROR_PATH_NOT_FOUND:
            return 3;
        case ERROR_ACCESS_DENIED:
            return 5;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return 8;
        case ERROR_BAD_FORMAT:
            return 11;
        case ERROR_SHARING_VIOLATION:
            return 26;
        case ERROR_NO_ASSOCIATION:
            return 31;
        case ERROR_DLL_NOT_FOUND:
            return 32;
        default:
            return error > static_cast<DWORD>(INT_MAX) ? INT_MIN : -static_cast<int>(error);
    }
}

class WindowsUrlOpener : public IUrlOpener {
public:
    int OpenWithDefaultHandler(std::string_view target) override {
        std::wstring file;
        if (!windows::ToWide(windows::kCodePage932, target, file)) {
            return 2;
        }
        auto result = reinterpret_cast<INT_PTR>(
            ::ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOW));
        // Codes above 32 only say "opened"; which one does not matter.
        return result > kOpenedAbove ? kOpenedAbove + 1 : static_cast<int>(result);
    }

    std::optional<std::string> RegisteredBrowserCommand() override {
        std::optional<std::wstring> type = ClassDefault(L".htm");
        if (!type) {
            return std::nullopt;
        }
        std::optional<std::wstring> command = ClassDefault(*type + L"\\shell\\open\\command");
        if (!command) {
            return std::nullopt;
        }
        return windows::FromWide(windows::kCodePage932, *command);
    }

    int RunCommand(std::string_view commandLine) override {
        std::wstring command;
        if (!windows::ToWide(windows::kCodePage932, commandLine, command)) {
            return 2;
        }
        // CreateProcessW may write into the command line.
        std::vector<wchar_t> buffer(command.begin(), command.end());
        buffer.push_back(L'\0');
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOW;
        PROCESS_INFORMATION process{};
        if (!::CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &process)) {
            return StartErrorToResult(::GetLastError());
        }
        // Started and left to run; nothing waits for it.
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        return kOpenedAbove + 1;
    }
};

}  // namespace

IUrlOpener& SystemUrlOpener() {
    static WindowsUrlOpener opener;
    return opener;
}

}  // namespace tavrin::platform
