#include <windows.h>

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

}  // namespace

bool ReadFileBytes(std::string_view path, std::string& bytes) {
    bytes.clear();
    auto native = path.empty() ? std::nullopt : ToNativePath(path);
    if (!native || ShouldFail(Call::Open)) {
        return false;
    }
    Handle file(::CreateFileW(native->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return false;
    }
    char buffer[65536];
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
}

bool WriteFileAtomically(std::string_view path, std::string_view bytes) {
    auto native = path.empty() ? std::nullopt : ToNativePath(path);
    if (!native) {
        return false;
    }
    // ReplaceFileW fails on relative names (and on a name without a folder), so everything
    // below works on the full path.
    std::error_code error;
    const std::filesystem::path destination = std::filesystem::absolute(*native, error);
    if (error) {
        return false;
    }
    DWORD attributes = ::GetFileAttributesW(destination.c_str());
    bool replacing = attributes != INVALID_FILE_ATTRIBUTES;
    if (replacing && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        return false;
    }

    const std::filesystem::path folder = destination.parent_path();
    wchar_t temporary[MAX_PATH + 1];
    if (ShouldFail(Call::Open) || ::GetTempFileNameW(folder.c_str(), L"tvr", 0, temporary) == 0) {
        return false;
    }
    bool ok = false;
    {
        Handle file(::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        ok = file.Valid() && WriteAll(file.Get(), bytes);
        ok = ok && !ShouldFail(Call::Flush) && ::FlushFileBuffers(file.Get()) != 0;
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
        ::DeleteFileW(temporary);
    }
    return ok;
}

}  // namespace tavrin::platform
