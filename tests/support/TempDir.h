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
    std::string File(std::string_view name) const;  // `name` may hold sub-folders
    // Raw bytes both ways; Write creates sub-folders, Read fails the test on a missing file.
    void Write(std::string_view name, std::string_view bytes) const;
    std::string Read(std::string_view name) const;
    bool Exists(std::string_view name) const;
    std::string List() const;  // the names directly inside, sorted, blank-separated

private:
    std::string m_path;
};

// The bytes of a file under the tests' fixture folder.
std::string ReadFixture(std::string_view relativePath);

// `text` with every GUID in the generated shape written as <GUID>.
std::string MaskGuids(const std::string& text);

}  // namespace tavrin::testing
