#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <vector>

namespace tavrin::testing {

namespace fs = std::filesystem;

// Names in tests are UTF-8 on every system; a narrow path is not UTF-8 on Windows.
fs::path Utf8Path(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Name(const fs::path& path) {
    std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

TempDir::TempDir() {
    // create_directory says whether it made the folder, so a name another process took
    // meanwhile is never shared.
    std::random_device random;
    std::error_code error;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path(error) /
                             ("tavrin-test-" + std::to_string(random()) + std::to_string(attempt));
        if (!error && fs::create_directory(candidate, error)) {
            m_path = Utf8Name(candidate);
            return;
        }
    }
    ADD_FAILURE() << "cannot create a temporary folder: " << error.message();
}

TempDir::~TempDir() {
    std::error_code error;
    // Tests make files read-only; give write permission back so that everything goes.
    const fs::path root = Utf8Path(m_path);
    for (auto it = fs::recursive_directory_iterator(root, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(root, error);
}

std::string TempDir::File(std::string_view name) const {
    // The system's own separator, as the program joins paths with it. Bytes only: tests also
    // name files in code page 932.
    std::string native(name);
    std::replace(native.begin(), native.end(), '/',
                 static_cast<char>(fs::path::preferred_separator));
    return m_path + static_cast<char>(fs::path::preferred_separator) + native;
}

void TempDir::Write(std::string_view name, std::string_view bytes) const {
    fs::path path = Utf8Path(File(name));
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        ADD_FAILURE() << "cannot write " << path;
    }
}

std::optional<std::string> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string TempDir::Read(std::string_view name) const {
    std::optional<std::string> bytes = ReadBytes(Utf8Path(File(name)));
    EXPECT_TRUE(bytes) << "cannot read " << File(name);
    return bytes.value_or("");
}

bool TempDir::Exists(std::string_view name) const {
    std::error_code error;
    return fs::exists(Utf8Path(File(name)), error);
}

std::string TempDir::List() const {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(Utf8Path(m_path), error)) {
        names.insert(Utf8Name(entry.path().filename()));
    }
    std::string joined;
    for (const auto& name : names) {
        joined += (joined.empty() ? "" : " ") + name;
    }
    return joined;
}

std::string ReadFixture(std::string_view relativePath) {
    std::optional<std::string> bytes =
        ReadBytes(Utf8Path(TAVRIN_FIXTURES_DIR "/" + std::string(relativePath)));
    EXPECT_TRUE(bytes) << "cannot read the fixture " << relativePath;
    return bytes.value_or("");
}

std::vector<std::vector<std::string>> ReadCases(std::string_view relativePath) {
    std::vector<std::vector<std::string>> cases;
    std::istringstream lines(ReadFixture(relativePath));
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::string> fields(1);
        for (std::size_t i = 0; i < line.size(); ++i) {
            char c = line[i];
            if (c == '\t') {
                fields.emplace_back();
                continue;
            }
            if (c == '\\' && i + 1 < line.size()) {
                c = line[++i];
                const std::string_view from = "nrt0", to("\n\r\t\0", 4);
                if (c == 'x') {
                    c = static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
                    i += 2;
                } else if (from.find(c) != from.npos) {
                    c = to[from.find(c)];
                }
            }
            fields.back() += c;
        }
        cases.push_back(std::move(fields));
    }
    return cases;
}

std::string MaskGuids(const std::string& text) {
    static const std::regex guid("[0-9A-F]{8}_[0-9A-F]{4}_[0-9A-F]{4}_[0-9A-F]{4}_[0-9A-F]{12}");
    static const std::regex date("[0-9]{4}/[0-9]{2}/[0-9]{2}");
    return std::regex_replace(std::regex_replace(text, guid, "<GUID>"), date, "<DATE>");
}

}  // namespace tavrin::testing
