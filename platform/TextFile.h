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

// Reads the whole file in text mode.
bool ReadTextFile(std::string_view path, std::string& text);

// Writes `bytes` as the new content of `path` without ever leaving a half-written file: the
// bytes go to a temporary file in the destination's folder, which is flushed to disk and
// then renamed over the destination. On any failure the temporary file is removed and the
// destination stays exactly as it was. A destination that exists but may not be written
// (read-only) is not replaced: that is a failure too. A replaced file keeps its permissions
// and, where names ignore case, the name its folder stores, whatever spelling `path` uses.
bool WriteFileAtomically(std::string_view path, std::string_view bytes);

// Why a write failed, as far as the system says, for a message that tells the user.
enum class WriteFailure {
    kOther,
    kReadOnly,  // the file, or the disk, may not be written by anyone
    kDenied,    // the user may not write the file or create one in its folder
    kDiskFull,  // no space left, or the user's quota is used up
};

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

// WriteFileAtomically in text mode.
bool WriteTextFile(std::string_view path, std::string_view text);

}  // namespace tavrin::platform
