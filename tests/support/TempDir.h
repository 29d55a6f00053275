#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::testing {

// A fresh folder for one test, removed with everything in it when the test ends. Its own path
// is plain ASCII; names below it, and every path here, are UTF-8 as the tests write them.
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

// A UTF-8 path as the system's path: on Windows a narrow path would be read in the ANSI code
// page instead.
std::filesystem::path Utf8Path(std::string_view utf8);
std::string Utf8Name(const std::filesystem::path& path);

// The bytes of a file; nothing when it cannot be read.
std::optional<std::string> ReadBytes(const std::filesystem::path& path);

// The bytes of a file under the tests' fixture folder.
std::string ReadFixture(std::string_view relativePath);

// The cases of a fixture file under the tests' fixture folder: one per line, fields separated
// by tabs, each field with the escapes \xHH, \n, \r, \t, \0 and \\. Blank lines and lines
// starting with "#" (comments, which say what a case is for) are skipped.
std::vector<std::vector<std::string>> ReadCases(std::string_view relativePath);

// `text` with every GUID in the generated shape written as <GUID>, and every date in the shape
// of $$DATE$$ as <DATE>: what differs from one generation to the next.
std::string MaskGuids(const std::string& text);

}  // namespace tavrin::testing
