#pragma once

#include <string>

namespace tavrin::platform {

// The name of the account running the program, in code page 932; empty when it cannot be
// had. On POSIX it comes from the password database, falling back to $USER.
std::string AccountUserName();

}  // namespace tavrin::platform
