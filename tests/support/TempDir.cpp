#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <vector>

namespace tavrin::testing {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "tavrin-test-XXXXXX").string();
    char* made = ::mkdtemp(pattern.data());
    if (made == nullptr) {
        ADD_FAILURE() << "cannot create a temporary folder";
    }
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code error;
    // Tests make files read-only; give write permission back so that everything goes.
    for (auto it = fs::recursive_directory_iterator(m_path, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(m_path, error);
}

std::string TempDir::File(std::string_view name) const {
    return m_path + "/" + std::string(name);
}

void TempDir::Write(std::string_view name, std::string_view bytes) const {
    fs::path path = File(name);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        ADD_FAILURE() << "cannot write " << path;
    }
}

namespace {

std::string ReadOrFail(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "cannot read " << path;
        return {};
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

std::string TempDir::Read(std::string_view name) const {
    return ReadOrFail(File(name));
}

bool TempDir::Exists(std::string_view name) const {
    std::error_code error;
    return fs::exists(File(name), error);
}

std::string TempDir::List() const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(m_path, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const auto& name : names) {
        joined += (joined.empty() ? "" : " ") + name;
    }
    return joined;
}

std::string ReadFixture(std::string_view relativePath) {
    return ReadOrFail(std::string(TAVRIN_FIXTURES_DIR) + "/" + std::string(relativePath));
}

std::string MaskGuids(const std::string& text) {
    static const std::regex guid("[0-9A-F]{8}_[0-9A-F]{4}_[0-9A-F]{4}_[0-9A-F]{4}_[0-9A-F]{12}");
    return std::regex_replace(text, guid, "<GUID>");
}

}  // namespace tavrin::testing
