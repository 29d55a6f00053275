#include <windows.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <new>

#include "platform/Faults.h"
#include "platform/NativePath.h"
#include "platform/TextFile.h"

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

// The temporary file of the replacing write under way, for the console control handler,
// which Windows runs on a thread of its own.
wchar_t g_pendingTemporary[MAX_PATH + 1];
std::atomic<bool> g_hasPendingTemporary{false};

BOOL WINAPI RemovePendingAndExit(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
            break;
        default:
            return FALSE;
    }
    // The writer holds the file open with FILE_SHARE_DELETE, so the deletion goes through and
    // takes effect when the exiting process closes the handle.
    if (g_hasPendingTemporary.load()) {
        ::DeleteFileW(g_pendingTemporary);
    }
    ::ExitProcess(event == CTRL_CLOSE_EVENT ? 143 : 130);
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
    Handle file(::CreateFileW(native->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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

bool WriteFileAtomically(std::string_view path, std::string_view bytes) {
    NoteWriteFailure(WriteFailure::kOther);
    auto native = path.empty() ? std::nullopt : ToNativePath(path);
    if (!native) {
        return false;
    }
    // ReplaceFileW fails on relative names (and on a name without a folder), so everything
    // below works on the full path.
    std::error_code error;
    std::filesystem::path destination = std::filesystem::absolute(*native, error);
    if (error) {
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

    const std::filesystem::path folder = destination.parent_path();
    wchar_t temporary[MAX_PATH + 1];
    if (ShouldFail(Call::Open) || ::GetTempFileNameW(folder.c_str(), L"tvr", 0, temporary) == 0) {
        NoteWriteFailure(FailureOf(::GetLastError()));
        return false;
    }
    std::copy(std::begin(temporary), std::end(temporary), std::begin(g_pendingTemporary));
    g_hasPendingTemporary.store(true);
    bool ok = false;
    DWORD failure = ERROR_SUCCESS;  // taken at once: closing and deleting may overwrite it
    {
        Handle file(::CreateFileW(temporary, GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                  TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ok = file.Valid() && WriteAll(file.Get(), bytes);
        ok = ok && !ShouldFail(Call::Flush) && ::FlushFileBuffers(file.Get()) != 0;
        failure = ok ? ERROR_SUCCESS : ::GetLastError();
        bool closed = !ShouldFail(Call::Close) && file.Close();
        ok = ok && closed;
    }
    if (ok && !ShouldFail(Call::Rename)) {
        // Replacing keeps the old file's attributes and security; a new file is moved in.
        ok = replacing ? ::ReplaceFileW(destination.c_str(), temporary, nullptr,
                                        REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0
                       : ::MoveFileExW(temporary, destination.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
    } else {
        ok = false;
    }
    if (!ok) {
        NoteWriteFailure(FailureOf(failure != ERROR_SUCCESS ? failure : ::GetLastError()));
        ::DeleteFileW(temporary);
    }
    g_hasPendingTemporary.store(false);
    return ok;
}

}  // namespace tavrin::platform
