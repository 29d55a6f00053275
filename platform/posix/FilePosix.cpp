#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>

#include "platform/Faults.h"
#include "platform/NativePath.h"
#include "platform/TextFile.h"

namespace tavrin::platform {

namespace {

using faults::Call;
using faults::ShouldFail;

int OpenForReading(const std::filesystem::path& path) {
    if (ShouldFail(Call::Open)) {
        errno = EACCES;
        return -1;
    }
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        if (ShouldFail(Call::Write)) {
            errno = ENOSPC;
            return false;
        }
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

mode_t DefaultFileMode() {
    // umask can only be read by setting it; put it straight back.
    mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

// A file counts as read-only when nobody may write it: the Windows read-only attribute has
// no other counterpart, and even root (who passes every access check) must not replace it.
bool MayReplace(const std::filesystem::path& path, const struct stat& status) {
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return false;
    }
    return ::access(path.c_str(), W_OK) == 0;
}

}  // namespace

bool ReadFileBytes(std::string_view path, std::string& bytes) {
    bytes.clear();
    auto native = ToNativePath(path);
    if (!native || path.empty()) {
        return false;
    }
    int fd = OpenForReading(*native);
    if (fd < 0) {
        return false;
    }
    struct stat status {};
    bool ok = ::fstat(fd, &status) == 0 && !S_ISDIR(status.st_mode);
    if (ok && S_ISREG(status.st_mode)) {
        bytes.reserve(static_cast<std::size_t>(status.st_size));
    }
    char buffer[65536];
    while (ok) {
        if (ShouldFail(Call::Read)) {
            ok = false;
            break;
        }
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            ok = errno == EINTR;
            continue;
        }
        if (got == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (!ok) {
        bytes.clear();
    }
    return ok;
}

bool WriteFileAtomically(std::string_view path, std::string_view bytes) {
    auto native = ToNativePath(path);
    if (!native || path.empty()) {
        return false;
    }
    std::filesystem::path destination = *native;

    // Writing through a link replaces the file it points at, not the link.
    struct stat linkStatus {};
    if (::lstat(destination.c_str(), &linkStatus) == 0 && S_ISLNK(linkStatus.st_mode)) {
        std::error_code error;
        std::filesystem::path target = std::filesystem::canonical(destination, error);
        if (!error) {
            destination = target;
        }
    }

    mode_t mode = DefaultFileMode();
    bool replacing = false;
    struct stat status {};
    if (::stat(destination.c_str(), &status) == 0) {
        if (!S_ISREG(status.st_mode) || !MayReplace(destination, status)) {
            return false;
        }
        mode = status.st_mode & 07777;
        replacing = true;
    }

    std::filesystem::path folder = destination.parent_path();
    std::string pattern = (folder.empty() ? std::string() : folder.native() + "/") + "." +
                          destination.filename().native() + ".tavrin-XXXXXX";
    if (ShouldFail(Call::Open)) {
        return false;
    }
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        return false;
    }
    const std::string& temporary = pattern;

    bool ok = WriteAll(fd, bytes);
    if (ok) {
        ok = !ShouldFail(Call::Flush) && ::fsync(fd) == 0;
    }
    if (ok) {
        ok = ::fchmod(fd, mode) == 0;
        if (ok && replacing) {
            // Keep the owner when root replaces someone's file; not being able to is no
            // reason to fail.
            [[maybe_unused]] int ignored = ::fchown(fd, status.st_uid, status.st_gid);
        }
    }
    bool closed = !ShouldFail(Call::Close);
    if (::close(fd) != 0) {
        closed = false;
    }
    ok = ok && closed;
    if (ok) {
        ok = !ShouldFail(Call::Rename) && ::rename(temporary.c_str(), destination.c_str()) == 0;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }

    // Make the rename itself durable; the file is complete either way.
    int folderFd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return true;
}

}  // namespace tavrin::platform
