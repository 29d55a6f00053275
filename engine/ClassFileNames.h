#pragma once

#include <string>
#include <string_view>

namespace tavrin {

// The file names that follow from a derived class name as the user types it: the class prefix
// "C" of the framework's naming convention goes (CConfigDlg gives ConfigDlg), then ".h" and
// ".cpp" are appended. Only one "C", and only where it is a prefix: followed by an ASCII
// lower-case letter it begins a word (Circle stays Circle), and CCView is the class View with
// the prefix, so it gives CView. Both are empty when nothing is left. Front ends offer these;
// the user may still change them.
struct ClassFileNames {
    std::string header;
    std::string source;
};
ClassFileNames DeriveFileNames(std::string_view derivedClassName);

}  // namespace tavrin
