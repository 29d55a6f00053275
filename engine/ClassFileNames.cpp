#include "engine/ClassFileNames.h"

namespace tavrin {

ClassFileNames DeriveFileNames(std::string_view derivedClassName) {
    std::size_t start = derivedClassName.find_first_not_of('C');
    if (start == std::string_view::npos) {
        return {};
    }
    // Byte by byte is enough: every byte before the first one that is not "C" is a whole
    // character, so the cut never falls inside a double-byte character.
    std::string rest(derivedClassName.substr(start));
    return {rest + ".h", rest + ".cpp"};
}

}  // namespace tavrin
