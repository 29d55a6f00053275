#pragma once

#include <string>
#include <string_view>

namespace tavrin {

// The file names that follow from a derived class name as the user types it: every leading
// upper-case "C" of the class naming convention goes, then ".h" and ".cpp" are appended.
// Both are empty when nothing is left. Front ends offer these; the user may still change them.
struct ClassFileNames {
    std::string header;
    std::string source;
};
ClassFileNames DeriveFileNames(std::string_view derivedClassName);

}  // namespace tavrin
