#include <windows.h>

#include <cstdint>
#include <new>
#include <string>

#include "platform/Faults.h"
#include "platform/NativePath.h"
#include "platform/TextFile.h"
#include "platform/windows/LongPath.h"

namespace tavrin::platform {

namespace {

using faults::Call;
using faults::ShouldFail;

class Handle {
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool Valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    bool Close() {
        bool ok = true;
        if (Valid()) {
            ok = ::CloseHandle(m_handle) != 0;
            m_handle = INVALID_HANDLE_VALUE;
        }
        return ok;
    }

private:
    HANDLE m_handle;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        if (ShouldFail(Call::Write)) {
            ::SetLastError(ERROR_DISK_FULL);
            return false;
        }
        DWORD chunk = bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

WriteFailure FailureOf(DWORD error) {
    switch (error) {
        case ERROR_WRITE_PROTECT:
            return WriteFailure::kReadOnly;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return WriteFailure::kDenied;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return WriteFailure::kDiskFull;
        default:
            return WriteFailure::kOther;
    }
}

// `path` with its last part as the folder stores it. Replacing "APP.VCXPROJ" must leave the
// file named "App.vcxproj": the replacement would otherwise take the spelling it was given.
std::filesystem::path StoredName(const std::filesystem::path& path) {
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return path;
    }
    ::FindClose(search);
    return path.parent_path() / found.cFileName;
}

// The console control handler runs on a thread of its own. This lock keeps it away while the
// pending temporary file's name changes and while interrupts are deferred; it is recursive, so
// a write within a deferral takes it again.
CRITICAL_SECTION& InterruptLock() {
    static CRITICAL_SECTION* const lock = [] {
        static CRITICAL_SECTION section;
        ::InitializeCriticalSection(&section);
        return &section;
    }();
    return *lock;
}

class Locked {
public:
    Locked() { ::EnterCriticalSection(&InterruptLock()); }
    ~Locked() { ::LeaveCriticalSection(&InterruptLock()); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
};

// The temporary file of the replacing write under way; empty when there is none.
std::wstring g_pendingTemporary;

BOOL WINAPI RemovePendingAndExit(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
            break;
        default:
            return FALSE;
    }
    // Waits for a deferral to end. The writer holds the file open with FILE_SHARE_DELETE, so
    // the deletion goes through and takes effect when the exiting process closes the handle.
    ::EnterCriticalSection(&InterruptLock());
    if (!g_pendingTemporary.empty()) {
        ::DeleteFileW(g_pendingTemporary.c_str());
    }
    ::ExitProcess(event == CTRL_CLOSE_EVENT ? 143 : 130);
}

void NotePendingTemporary(const std::wstring& path) {
    Locked locked;
    g_pendingTemporary = path;
}

// When this process started, near enough: no temporary file of a run still going is older.
const ULONGLONG g_started = [] {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return (ULONGLONG{now.dwHighDateTime} << 32) | now.dwLowDateTime;
}();

// Removes what killed runs left in `folder` (a long path): files named as the temporary files
// are named, last written before this process started.
void RemoveStaleTemporaryFiles(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((folder + L"\\.*.tavrin-*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const ULONGLONG written = (ULONGLONG{found.ftLastWriteTime.dwHighDateTime} << 32) |
                                  found.ftLastWriteTime.dwLowDateTime;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && written < g_started &&
            IsTemporaryFileName(std::wstring_view(found.cFileName))) {
            ::DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

// Creates the temporary file for `destination` (a long path) beside it: "." + its name +
// ".tavrin-" + six random letters and digits, the name cut so that the whole fits in a
// folder entry wherever the name itself fits.
HANDLE CreateTemporary(const std::wstring& destination, std::wstring& temporary) {
    const std::size_t slash = destination.find_last_of(L'\\');
    std::wstring name = destination.substr(slash + 1);
    constexpr std::size_t kRoom = 255 - 15;
    if (name.size() > kRoom) {
        const bool pairCut = name[kRoom] >= 0xDC00 && name[kRoom] <= 0xDFFF;
        name.resize(pairCut ? kRoom - 1 : kRoom);  // never half a surrogate pair
    }
    static std::uint64_t state = [] {
        LARGE_INTEGER counter;
        ::QueryPerformanceCounter(&counter);
        return static_cast<std::uint64_t>(counter.QuadPart) ^
               (std::uint64_t{::GetCurrentProcessId()} << 32);
    }();
    constexpr wchar_t kLetters[] =
        L"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::uint64_t random = state += 0x9E3779B97F4A7C15ULL;  // splitmix64
        random = (random ^ (random >> 30)) * 0xBF58476D1CE4E5B9ULL;
        random = (random ^ (random >> 27)) * 0x94D049BB133111EBULL;
        random ^= random >> 31;
        std::wstring suffix;
        for (int i = 0; i < 6; ++i, random /= 62) {
            suffix += kLetters[random % 62];
        }
        temporary = destination.substr(0, slash + 1) + L"." + name + L".tavrin-" + suffix;
        Locked locked;  // noted as it comes into being, so that an interrupt removes it
        HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            NotePendingTemporary(temporary);
            return file;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) {
            return INVALID_HANDLE_VALUE;
        }
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

void RemoveTemporaryFilesOnInterrupt() {
    ::SetConsoleCtrlHandler(RemovePendingAndExit, TRUE);
}

bool ReadFileBytes(std::string_view path, std::string& bytes) {
    bytes.clear();
    auto native = path.empty() ? std::nullopt : ToNativePath(path);
    if (!native || ShouldFail(Call::Open)) {
        return false;
    }
    Handle file(::CreateFileW(windows::LongPath(*native).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    // Only files on a disk are read: a pipe may never deliver, and a device never ends.
    if (!file.Valid() || ::GetFileType(file.Get()) != FILE_TYPE_DISK) {
        return false;
    }
    char buffer[65536];
    try {
        while (true) {
            DWORD got = 0;
            if (ShouldFail(Call::Read) ||
                !::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) {
                bytes.clear();
                return false;
            }
            if (got == 0) {
                return true;
            }
            bytes.append(buffer, got);
        }
    } catch (const std::bad_alloc&) {
        bytes.clear();
        bytes.shrink_to_fit();
        return false;  // a file too large for memory cannot be read, like any other failure
    }
}

namespace {

// WriteFileAtomically; with `expected`, only while the destination still holds those bytes.
bool Replace(std::string_view path, std::string_view bytes, const std::string_view* expected,
             bool& changed) {
    changed = false;
    NoteWriteFailure(WriteFailure::kOther);
    auto native = path.empty() ? std::nullopt : ToNativePath(path);
    if (!native) {
        return false;
    }
    // ReplaceFileW fails on relative names (and on a name without a folder), so everything
    // below works on the full path, in the form that has no length limit.
    std::filesystem::path destination = windows::LongPath(*native);
    if (!destination.is_absolute() && !destination.native().starts_with(L"\\\\?\\")) {
        return false;
    }
    DWORD attributes = ::GetFileAttributesW(destination.c_str());
    bool replacing = attributes != INVALID_FILE_ATTRIBUTES;
    if (replacing && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            NoteWriteFailure(WriteFailure::kReadOnly);
        }
        return false;
    }
    if (replacing) {
        destination = StoredName(destination);
    }

    std::wstring temporary;
    bool ok = false;
    DWORD failure = ERROR_SUCCESS;  // taken at once: closing and deleting may overwrite it
    {
        Handle file(ShouldFail(Call::Open) ? INVALID_HANDLE_VALUE
                                           : CreateTemporary(destination.native(), temporary));
        if (!file.Valid()) {
            NoteWriteFailure(FailureOf(::GetLastError()));
            NotePendingTemporary({});
            return false;
        }
        ok = WriteAll(file.Get(), bytes);
        ok = ok && !ShouldFail(Call::Flush) && ::FlushFileBuffers(file.Get()) != 0;
        failure = ok ? ERROR_SUCCESS : ::GetLastError();
        bool closed = !ShouldFail(Call::Close) && file.Close();
        ok = ok && closed;
    }
    ok = ok && !ShouldFail(Call::Rename);
    if (ok && expected != nullptr) {
        // As late as can be: another program that saved the file since it was read keeps its
        // save, and the caller learns of it.
        std::string current;
        changed = !ReadFileBytes(path, current) || current != *expected;
        ok = !changed;
    }
    if (ok) {
        // Replacing keeps the old file's attributes and security; a new file is moved in.
        ok = replacing ? ::ReplaceFileW(destination.c_str(), temporary.c_str(), nullptr,
                                        REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0
                       : ::MoveFileExW(temporary.c_str(), destination.c_str(),
                                       MOVEFILE_WRITE_THROUGH) != 0;
    }
    if (!ok) {
        NoteWriteFailure(FailureOf(failure != ERROR_SUCCESS ? failure : ::GetLastError()));
        ::DeleteFileW(temporary.c_str());
    }
    NotePendingTemporary({});
    if (ok) {
        RemoveStaleTemporaryFiles(destination.parent_path().native());
    }
    return ok;
}

}  // namespace

bool WriteFileAtomically(std::string_view path, std::string_view bytes) {
    bool changed = false;
    return Replace(path, bytes, nullptr, changed);
}

bool MayWriteFile(std::string_view path, WriteFailure& failure) {
    failure = WriteFailure::kOther;
    auto native = path.empty() ? std::nullopt : ToNativePath(path);
    if (!native) {
        return false;
    }
    const std::filesystem::path destination = windows::LongPath(*native);
    const DWORD attributes = ::GetFileAttributesW(destination.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
            failure = WriteFailure::kReadOnly;
        }
        return (attributes &
                (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE | FILE_ATTRIBUTE_READONLY)) == 0;
    }
    const DWORD folder = ::GetFileAttributesW(destination.parent_path().c_str());
    return folder != INVALID_FILE_ATTRIBUTES && (folder & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool ReplaceFileIfUnchanged(std::string_view path, std::string_view expected,
                            std::string_view bytes, bool& changed) {
    return Replace(path, bytes, &expected, changed);
}

void DeferInterrupts() {
    ::EnterCriticalSection(&InterruptLock());
}

void ResumeInterrupts() {
    ::LeaveCriticalSection(&InterruptLock());
}

}  // namespace tavrin::platform
