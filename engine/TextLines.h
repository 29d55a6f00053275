#pragma once

#include <string_view>
#include <vector>

namespace tavrin {

enum class LineFeeds { kKeep, kDrop };

// Text-mode content cut into its lines, each with or without its line feed. A final line feed
// opens no empty last line; a last line without one is a line all the same. A line feed is never
// a trail byte, so cutting at its byte is safe; NUL bytes are data like any other.
std::vector<std::string_view> SplitLines(std::string_view text, LineFeeds lineFeeds);

}  // namespace tavrin
