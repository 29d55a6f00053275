#include "engine/ClassFileNames.h"

namespace tavrin {

namespace {

bool IsAsciiLower(char c) {
    return c >= 'a' && c <= 'z';
}

}  // namespace

ClassFileNames DeriveFileNames(std::string_view derivedClassName) {
    std::string_view rest = derivedClassName;
    // The first byte is always a whole character, and so is an ASCII letter after it: a lead
    // byte of code page 932 is never one. A double-byte character after the "C" (C設定Dlg)
    // thus counts as "not lower case" and the cut falls between two characters.
    if (!rest.empty() && rest.front() == 'C' && (rest.size() == 1 || !IsAsciiLower(rest[1]))) {
        rest.remove_prefix(1);
    }
    if (rest.empty()) {
        return {};
    }
    return {std::string(rest) + ".h", std::string(rest) + ".cpp"};
}

}  // namespace tavrin
