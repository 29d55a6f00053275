#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace tavrin::testing {

// Sets (or, given nothing, unsets) an environment variable for one scope, and puts the old
// value back at its end. On Windows an empty value cannot be told from none: both unset.
class ScopedEnv {
public:
    ScopedEnv(std::string name, std::optional<std::string> value) : m_name(std::move(name)) {
        if (const char* old = std::getenv(m_name.c_str())) {
            m_old = old;
        }
        Set(value);
    }
    ~ScopedEnv() { Set(m_old); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void Set(const std::optional<std::string>& value) {
#ifdef _WIN32
        ::_putenv_s(m_name.c_str(), value ? value->c_str() : "");
#else
        if (value) {
            ::setenv(m_name.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(m_name.c_str());
        }
#endif
    }

    std::string m_name;
    std::optional<std::string> m_old;
};

}  // namespace tavrin::testing
