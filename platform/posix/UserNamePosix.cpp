#include "platform/UserName.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/CodePage.h"

namespace tavrin::platform {

namespace {

// The effective user's login name from the password database, in the system's encoding.
std::string AccountName() {
    long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 1024);
    passwd entry{};
    passwd* found = nullptr;
    int error = 0;
    while ((error = ::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found)) ==
           ERANGE) {
        buffer.resize(buffer.size() * 2);
    }
    if (error != 0 || found == nullptr || found->pw_name == nullptr) {
        return {};
    }
    return found->pw_name;
}

}  // namespace

std::string AccountUserName() {
    std::string name = AccountName();
    if (name.empty()) {
        // Containers and some directory services run accounts the database does not list.
        const char* user = std::getenv("USER");
        name = user != nullptr ? user : "";
    }
    return Utf8ToCp932(name);
}

}  // namespace tavrin::platform
