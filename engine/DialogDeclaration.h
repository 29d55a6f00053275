#pragma once

#include <string_view>

namespace tavrin {

// Whether a line of a resource script looks like a dialog declaration: somewhere a word
// character (ASCII letter, digit or underscore) stands before a space, and somewhere after
// that the upper-case keyword DIALOG or DIALOGEX is followed by a space. This is the rule
// "\w .*DIALOG(EX)? .*" of a byte-wise regular expression, answered in time linear in the
// line; the expression itself backtracks from every word-and-space pair of a line that holds
// no keyword and takes quadratic time on long lines.
bool IsDialogDeclaration(std::string_view line);

// Where the first keyword DIALOG or DIALOGEX followed by a space starts at or after `from`;
// npos when there is none.
std::size_t FindDialogKeyword(std::string_view text, std::size_t from);

}  // namespace tavrin
