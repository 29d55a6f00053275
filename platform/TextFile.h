#pragma once

#include <string>
#include <string_view>

namespace tavrin::platform {

// Text mode as Windows programs have always had it, on every OS: reading turns each CR LF
// pair into one LF, writing turns each LF into CR LF. Nothing else changes: a lone CR, a 0x1A
// byte and NUL bytes are data. Generated files thus get CR LF line ends even on POSIX, as
// their users' Windows tools expect.
std::string DecodeTextMode(std::string_view raw);
std::string EncodeTextMode(std::string_view text);

// Reads the whole file at `path` (code page 932) as bytes. False when it cannot be opened or
// read to its end.
bool ReadFileBytes(std::string_view path, std::string& bytes);

// Writes `bytes` as the new content of `path` without ever leaving a half-written file: the
// bytes go to a temporary file in the destination's folder, which is flushed to disk and
// then renamed over the destination. On any failure the temporary file is removed and the
// destination stays exactly as it was. A destination that exists but may not be written
// (read-only) is not replaced: that is a failure too. A replaced file keeps its permissions
// and, where names ignore case, the name its folder stores, whatever spelling `path` uses.
bool WriteFileAtomically(std::string_view path, std::string_view bytes);

// WriteFileAtomically of a file read as `expected`, unless another program has saved it since:
// right before the new content takes its place, the file is compared with `expected`, and
// when it differs (or is gone) nothing is replaced and `changed` is set. A newer save is never
// overwritten; the caller may read the file again and redo its change.
bool ReplaceFileIfUnchanged(std::string_view path, std::string_view expected,
                            std::string_view bytes, bool& changed);

// Whether `name` (a file name without its folder) is one WriteFileAtomically gives its
// temporary files: "." + a name + ".tavrin-" + six letters or digits. A write removes such
// files that a killed run left in the folder it writes (those older than the process).
template <typename Char>
bool IsTemporaryFileName(std::basic_string_view<Char> name) {
    constexpr std::string_view kMarker = ".tavrin-";
    constexpr std::size_t kRandom = 6;
    if (name.size() < 2 + kMarker.size() + kRandom || name[0] != '.') {
        return false;
    }
    const std::size_t marker = name.size() - kRandom - kMarker.size();
    for (std::size_t i = 0; i < kMarker.size(); ++i) {
        if (name[marker + i] != static_cast<Char>(kMarker[i])) {
            return false;
        }
    }
    for (std::size_t i = name.size() - kRandom; i < name.size(); ++i) {
        const Char c = name[i];
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) {
            return false;
        }
    }
    return true;
}

// Why a write failed, as far as the system says, for a message that tells the user.
enum class WriteFailure {
    kOther,
    kReadOnly,  // the file, or the disk, may not be written by anyone
    kDenied,    // the user may not write the file or create one in its folder
    kDiskFull,  // no space left, or the user's quota is used up
};

// Whether WriteFileAtomically could put a file at `path`, as far as can be told without
// writing: its folder is there and may be written, and a file already there is a regular file
// that may be replaced (not read-only, and no folder, device or pipe, nor a link to one).
// What only the write can find out, a full disk, it cannot foresee. `failure` says why not.
bool MayWriteFile(std::string_view path, WriteFailure& failure);

// Why this thread's last failed WriteFileAtomically or WriteTextFile failed.
WriteFailure LastWriteFailure();

// For the system-specific writers: notes why the write under way fails.
void NoteWriteFailure(WriteFailure failure);

// From now on, an interrupt (Ctrl-C) or a request to terminate removes the temporary file of
// a WriteFileAtomically under way and ends the process with 128 plus the signal's number (130
// for an interrupt, 143 for a termination), as shells report a program ended by a signal.
// The destination is never touched. For programs whose only unfinished business at such a
// moment is that temporary file. On Windows the console's Ctrl-C, Ctrl-Break and close events
// do the same.
void RemoveTemporaryFilesOnInterrupt();

// Holds back an interrupt, a request to terminate or a console close while it lives, for
// steps that must finish together (replacing two files that belong together); the signal then
// takes effect, as RemoveTemporaryFilesOnInterrupt says, when the last deferral ends. Nests.
void DeferInterrupts();
void ResumeInterrupts();

class DeferredInterrupts {
public:
    DeferredInterrupts() { DeferInterrupts(); }
    ~DeferredInterrupts() { ResumeInterrupts(); }
    DeferredInterrupts(const DeferredInterrupts&) = delete;
    DeferredInterrupts& operator=(const DeferredInterrupts&) = delete;
};

// WriteFileAtomically in text mode.
bool WriteTextFile(std::string_view path, std::string_view text);

}  // namespace tavrin::platform
