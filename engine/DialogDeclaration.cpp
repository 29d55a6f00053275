#include "engine/DialogDeclaration.h"

#include <cstddef>

namespace tavrin {

namespace {

constexpr std::string_view kKeyword = "DIALOG";
constexpr std::string_view kExtended = "EX";

// Byte-wise, as the expression's "\w" is: a trail byte in this range counts as well.
bool IsWordByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The first word byte followed by a space. It decides alone: any keyword after a later pair
// also stands after this one.
std::size_t FindFirstWordBeforeSpace(std::string_view line) {
    for (std::size_t space = line.find(' ', 1); space != std::string_view::npos;
         space = line.find(' ', space + 1)) {
        if (IsWordByte(line[space - 1])) {
            return space - 1;
        }
    }
    return std::string_view::npos;
}

}  // namespace

std::size_t FindDialogKeyword(std::string_view text, std::size_t from) {
    for (std::size_t hit = text.find(kKeyword, from); hit != std::string_view::npos;
         hit = text.find(kKeyword, hit + 1)) {
        std::string_view rest = text.substr(hit + kKeyword.size());
        if (rest.starts_with(kExtended)) {
            rest.remove_prefix(kExtended.size());
        }
        if (rest.starts_with(' ')) {
            return hit;
        }
    }
    return std::string_view::npos;
}

bool IsDialogDeclaration(std::string_view line) {
    const std::size_t word = FindFirstWordBeforeSpace(line);
    return word != std::string_view::npos &&
           FindDialogKeyword(line, word + 2) != std::string_view::npos;
}

}  // namespace tavrin
