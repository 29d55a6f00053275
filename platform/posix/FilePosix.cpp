#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <new>
#include <string>

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
    // Without blocking: opening a FIFO for reading would otherwise wait for a writer that
    // may never come. The flag is taken off again once the file has proved to be regular.
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
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
        NoteWriteFailure(WriteFailure::kReadOnly);
        return false;
    }
    return ::access(path.c_str(), W_OK) == 0;
}

WriteFailure FailureOf(int error) {
    switch (error) {
        case EROFS:
            return WriteFailure::kReadOnly;
        case EACCES:
        case EPERM:
            return WriteFailure::kDenied;
        case ENOSPC:
        case EDQUOT:
            return WriteFailure::kDiskFull;
        default:
            return WriteFailure::kOther;
    }
}

// The temporary file of the replacing write under way, for the interrupt handler. It changes
// only while the handler is kept away (BlockedInterrupts), so the handler never sees it half
// made; the handler itself uses nothing but async-signal-safe calls.
std::string g_pendingTemporary;
volatile std::sig_atomic_t g_hasPendingTemporary = 0;

// How many DeferredInterrupts are alive, and the signal that came meanwhile (0: none). The
// handler, on whatever thread it runs, only notes a signal while a deferral lasts.
volatile std::sig_atomic_t g_deferrals = 0;
volatile std::sig_atomic_t g_deferredSignal = 0;

extern "C" void RemovePendingAndExit(int signal) {
    if (g_deferrals > 0) {
        g_deferredSignal = signal;
        return;
    }
    if (g_hasPendingTemporary != 0) {
        ::unlink(g_pendingTemporary.c_str());
    }
    ::_exit(128 + signal);
}

constexpr int kCleanedUpSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Keeps the interrupt handler away while the pending temporary file changes, so that it never
// sees a half-noted name, and never misses a file that exists.
void BlockInterrupts(sigset_t& previous) {
    sigset_t blocked;
    sigemptyset(&blocked);
    for (int signal : kCleanedUpSignals) {
        sigaddset(&blocked, signal);
    }
    ::sigprocmask(SIG_BLOCK, &blocked, &previous);
}

// The mask before the outermost DeferInterrupts.
sigset_t g_deferredMask;

class BlockedInterrupts {
public:
    BlockedInterrupts() { BlockInterrupts(m_previous); }
    ~BlockedInterrupts() { ::sigprocmask(SIG_SETMASK, &m_previous, nullptr); }
    BlockedInterrupts(const BlockedInterrupts&) = delete;
    BlockedInterrupts& operator=(const BlockedInterrupts&) = delete;

private:
    sigset_t m_previous;
};

// Both with the interrupts blocked.
void NotePendingTemporary(const std::string& path) {
    g_pendingTemporary = path;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    g_hasPendingTemporary = 1;
}

void ForgetPendingTemporary() {
    g_hasPendingTemporary = 0;
    std::atomic_signal_fence(std::memory_order_seq_cst);
}

// The longest file name the folder takes.
std::size_t MaxNameLength(const std::filesystem::path& folder) {
    long max = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    return max > 0 ? static_cast<std::size_t>(max) : 255;
}

// "." + the destination's name + ".tavrin-XXXXXX", the name shortened as far as needed for
// the whole to fit whenever the destination's own name fits; the name is cut before a UTF-8
// character, never inside one.
std::string TemporaryPattern(const std::filesystem::path& destination) {
    constexpr std::string_view kSuffix = ".tavrin-XXXXXX";
    const std::filesystem::path folder = destination.parent_path();
    std::string name = destination.filename().native();
    const std::size_t room =
        MaxNameLength(folder) - std::min(MaxNameLength(folder), kSuffix.size() + 1);
    if (name.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        name.resize(cut);
    }
    return (folder.empty() ? std::string() : folder.native() + "/") + "." + name +
           std::string(kSuffix);
}

}  // namespace

void RemoveTemporaryFilesOnInterrupt() {
    struct sigaction action {};
    action.sa_handler = RemovePendingAndExit;
    action.sa_flags = SA_RESTART;  // a signal deferred must not break the calls under way
    sigemptyset(&action.sa_mask);
    for (int signal : kCleanedUpSignals) {
        sigaddset(&action.sa_mask, signal);
    }
    for (int signal : kCleanedUpSignals) {
        struct sigaction previous {};
        // A signal the starting process told us to ignore stays ignored (nohup).
        if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) {
            continue;
        }
        ::sigaction(signal, &action, nullptr);
    }
}

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
    // Only regular files are read: a FIFO may never deliver, a device such as /dev/zero never
    // ends, and a folder holds no text.
    struct stat status {};
    bool ok = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
              ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0;
    try {
        if (ok) {
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
    } catch (const std::bad_alloc&) {
        ok = false;  // a file too large for memory cannot be read, like any other failure
    }
    ::close(fd);
    if (!ok) {
        bytes.clear();
        bytes.shrink_to_fit();
    }
    return ok;
}

namespace {

// When this process started, near enough: no temporary file of a run still going is older.
const std::time_t g_started = std::time(nullptr);

// Removes what killed runs left in `folder`: files named as WriteFileAtomically names its
// temporary files, last written before this process started. A run going on at the same
// time writes its temporary file after that, and keeps it.
void RemoveStaleTemporaryFiles(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::filesystem::path& path = entries->path();
        struct stat status {};
        if (IsTemporaryFileName(std::string_view(path.filename().native())) &&
            ::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            status.st_mtime < g_started) {
            ::unlink(path.c_str());
        }
    }
}

// WriteFileAtomically; with `expected`, only while the destination still holds those bytes.
bool Replace(std::string_view path, std::string_view bytes, const std::string_view* expected,
             bool& changed) {
    changed = false;
    NoteWriteFailure(WriteFailure::kOther);
    auto native = ToNativePath(path);
    if (!native || path.empty()) {
        return false;
    }
    std::filesystem::path destination = *native;

    // Writing through a link replaces the file it points at, not the link. A dangling link has
    // no file to replace: the link itself is replaced by the new file.
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
        if (!S_ISREG(status.st_mode)) {
            return false;
        }
        if (!MayReplace(destination, status)) {
            if (LastWriteFailure() != WriteFailure::kReadOnly) {
                NoteWriteFailure(FailureOf(errno));
            }
            return false;
        }
        mode = status.st_mode & 07777;
        replacing = true;
    }

    std::filesystem::path folder = destination.parent_path();
    std::string pattern = TemporaryPattern(destination);
    if (ShouldFail(Call::Open)) {
        return false;
    }
    int fd = -1;
    {
        BlockedInterrupts blocked;
        fd = ::mkstemp(pattern.data());
        if (fd >= 0) {
            NotePendingTemporary(pattern);
        }
    }
    if (fd < 0) {
        NoteWriteFailure(FailureOf(errno));
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
        ok = !ShouldFail(Call::Rename);
    }
    if (ok && expected != nullptr) {
        // As late as can be: another program that saved the file since it was read keeps its
        // save, and the caller learns of it.
        std::string current;
        changed = !ReadFileBytes(path, current) || current != *expected;
        ok = !changed;
    }
    if (ok) {
        ok = ::rename(temporary.c_str(), destination.c_str()) == 0;
    }
    if (!ok) {
        NoteWriteFailure(FailureOf(errno));
        ::unlink(temporary.c_str());
    }
    // Once renamed, the temporary name is free again and may soon be another's.
    ForgetPendingTemporary();
    if (!ok) {
        return false;
    }

    // Make the rename itself durable; the file is complete either way.
    int folderFd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    RemoveStaleTemporaryFiles(folder);
    return true;
}

}  // namespace

bool WriteFileAtomically(std::string_view path, std::string_view bytes) {
    bool changed = false;
    return Replace(path, bytes, nullptr, changed);
}

bool MayWriteFile(std::string_view path, WriteFailure& failure) {
    failure = WriteFailure::kOther;
    auto native = ToNativePath(path);
    if (!native || path.empty()) {
        return false;
    }
    struct stat status {};
    if (::stat(native->c_str(), &status) == 0) {
        if (!S_ISREG(status.st_mode)) {
            return false;
        }
        NoteWriteFailure(WriteFailure::kOther);
        const bool may = MayReplace(*native, status);
        failure = LastWriteFailure() == WriteFailure::kReadOnly ? WriteFailure::kReadOnly
                                                                : FailureOf(errno);
        return may;
    }
    const std::filesystem::path folder =
        native->parent_path().empty() ? "." : native->parent_path();
    if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        return false;
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        failure = FailureOf(errno);
        return false;
    }
    return true;
}

bool ReplaceFileIfUnchanged(std::string_view path, std::string_view expected,
                            std::string_view bytes, bool& changed) {
    return Replace(path, bytes, &expected, changed);
}

void DeferInterrupts() {
    const int depth = g_deferrals;
    if (depth == 0) {
        BlockInterrupts(g_deferredMask);
    }
    g_deferrals = depth + 1;
}

void ResumeInterrupts() {
    const int depth = g_deferrals - 1;
    g_deferrals = depth;
    if (depth > 0) {
        return;
    }
    // A signal blocked meanwhile arrives as the mask goes back; one that another thread's
    // handler noted is acted on here.
    ::sigprocmask(SIG_SETMASK, &g_deferredMask, nullptr);
    if (const int signal = g_deferredSignal; signal != 0) {
        g_deferredSignal = 0;
        RemovePendingAndExit(signal);
    }
}

}  // namespace tavrin::platform
