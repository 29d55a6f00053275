#pragma once

#include <string>
#include <string_view>

namespace tavrin {

// A unified diff of two texts, as `diff -u` prints one: "---" and "+++" headers, then hunks
// with `context` unchanged lines around each change. Lines keep their own line ends, so a line
// whose CR LF became LF differs and shows as it is; a last line without a line feed is
// followed by "\ No newline at end of file". Empty when the texts are equal. The texts are
// compared byte for byte, line by line, whatever their encoding.
std::string UnifiedDiff(std::string_view oldText, std::string_view newText,
                        std::string_view oldLabel, std::string_view newLabel, int context = 3);

}  // namespace tavrin
