#include "engine/TextLines.h"

namespace tavrin {

std::vector<std::string_view> SplitLines(std::string_view text, LineFeeds lineFeeds) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::size_t length = end == std::string_view::npos ? text.size() : end + 1;
        const bool dropLineFeed = lineFeeds == LineFeeds::kDrop && end != std::string_view::npos;
        lines.push_back(text.substr(0, dropLineFeed ? length - 1 : length));
        text.remove_prefix(length);
    }
    return lines;
}

}  // namespace tavrin
