#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/TextFile.h"

namespace tavrin {

// The last step of a generation: putting the finished bytes of an output file in place. A
// real run writes them; a preview keeps them, so that it shows exactly what a real run with
// the same request would write.
class IOutputWriter {
public:
    virtual ~IOutputWriter() = default;

    // False when the file could not be written; an existing file then stays as it was.
    virtual bool Write(std::string_view path, std::string_view bytes) = 0;

    // Write of a file that was read as `expected`: false with `changed` set, and nothing
    // written, when another program has saved it since.
    virtual bool Replace(std::string_view path, std::string_view expected, std::string_view bytes,
                         bool& changed) {
        (void)expected;
        changed = false;
        return Write(path, bytes);
    }

    // Why the last Write that failed did, as far as is known.
    virtual platform::WriteFailure LastFailure() const { return platform::WriteFailure::kOther; }
};

// Writes each file safely: a replaced file changes only when its replacement is complete.
class CFileOutputWriter : public IOutputWriter {
public:
    bool Write(std::string_view path, std::string_view bytes) override;
    bool Replace(std::string_view path, std::string_view expected, std::string_view bytes,
                 bool& changed) override {
        return platform::ReplaceFileIfUnchanged(path, expected, bytes, changed);
    }
    platform::WriteFailure LastFailure() const override { return platform::LastWriteFailure(); }
};

// Writes nothing and keeps every file's path and bytes, in the order they came. It fails as a
// write would where the system tells beforehand: a missing folder, a destination that is a
// folder, device or pipe, or read-only; what only the write itself can find out (a full disk)
// it cannot foresee.
class CPreviewOutputWriter : public IOutputWriter {
public:
    struct File {
        std::string path;
        std::string bytes;
    };

    bool Write(std::string_view path, std::string_view bytes) override;
    platform::WriteFailure LastFailure() const override { return m_failure; }

    const std::vector<File>& Files() const { return m_files; }

private:
    std::vector<File> m_files;
    platform::WriteFailure m_failure = platform::WriteFailure::kOther;
};

}  // namespace tavrin
