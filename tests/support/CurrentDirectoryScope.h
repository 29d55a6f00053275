#pragma once

#include <string>

#include "platform/CurrentDirectory.h"

namespace tavrin::testing {

// Runs a test inside `path` and goes back where it was afterwards, whether the test passes
// or not.
class CurrentDirectoryScope {
public:
    explicit CurrentDirectoryScope(const std::string& path)
        : m_previous(platform::CurrentDirectory()) {
        platform::ChangeCurrentDirectory(path);
    }
    ~CurrentDirectoryScope() { platform::ChangeCurrentDirectory(m_previous); }
    CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
    CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

private:
    std::string m_previous;
};

}  // namespace tavrin::testing
