#pragma once

#include <string>
#include <string_view>

namespace tavrin::testing {

// A fresh folder for one test, removed with everything in it when the test ends. Paths are
// plain ASCII, so they are the same bytes in code page 932 and in the native encoding.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }

    // The path of `name` inside the folder ("/" joined; `name` may hold sub-folders).
    std::string File(std::string_view name) const;

    // Writes raw bytes (no line-end conversion), creating sub-folders as needed.
    void Write(std::string_view name, std::string_view bytes) const;

    // Reads raw bytes; fails the test when the file cannot be read.
    std::string Read(std::string_view name) const;

    // True when `name` exists inside the folder.
    bool Exists(std::string_view name) const;

    // Names of the entries directly inside the folder, sorted.
    std::string List() const;

private:
    std::string m_path;
};

// The bytes of a file under the tests' fixture folder.
std::string ReadFixture(std::string_view relativePath);

}  // namespace tavrin::testing
