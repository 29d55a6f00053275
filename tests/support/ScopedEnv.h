#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace tavrin::testing {

// Sets (or, given nothing, unsets) an environment variable for one scope, and puts the old
// value back at its end. On Windows an empty value cannot be told from none: both unset.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
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
        ::_putenv_s(m_name, value ? value->c_str() : "");
#else
        if (value) {
            ::setenv(m_name, value->c_str(), 1);
        } else {
            ::unsetenv(m_name);
        }
#endif
    }

    const char* m_name;
    std::optional<std::string> m_old;
};

}  // namespace tavrin::testing
