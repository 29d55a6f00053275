#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::testing {

// Applies a unified diff to `oldText` as patch would: the proof that a diff says exactly how
// one text becomes the other. Nothing when the diff does not fit the text.
inline std::optional<std::string> ApplyUnifiedDiff(std::string_view oldText,
                                                   std::string_view diff) {
    std::vector<std::string_view> oldLines;
    for (std::string_view rest = oldText; !rest.empty();) {
        std::size_t end = rest.find('\n');
        std::size_t length = end == std::string_view::npos ? rest.size() : end + 1;
        oldLines.push_back(rest.substr(0, length));
        rest.remove_prefix(length);
    }
    std::string out;
    std::size_t next = 0;  // the first old line not yet copied
    std::string pending;   // the line just written, which "\ No newline" may shorten
    auto flush = [&] { out += pending, pending.clear(); };
    bool inHunks = false;
    for (std::string_view rest = diff; !rest.empty();) {
        std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end + 1);
        rest.remove_prefix(line.size());
        // The header comes before the first hunk; within hunks, "---" removes a line "--".
        if (!inHunks && (line.starts_with("---") || line.starts_with("+++"))) {
            continue;
        }
        if (line.starts_with("@@ -")) {
            inHunks = true;
            flush();
            std::size_t start = std::strtoul(std::string(line.substr(4)).c_str(), nullptr, 10);
            bool empty = line.find(",0 ") == line.find(' ', 4) - 2;
            std::size_t upTo = empty ? start : start - 1;
            for (; next < upTo && next < oldLines.size(); ++next) {
                out += oldLines[next];
            }
            continue;
        }
        if (line.starts_with("\\")) {
            if (!pending.empty() && pending.back() == '\n') {
                pending.pop_back();
            }
            continue;
        }
        flush();
        char kind = line.empty() ? '?' : line[0];
        std::string_view text = line.substr(1);
        if (kind == ' ' || kind == '-') {
            // An old last line without its line feed comes with one, then "\ No newline".
            if (next >= oldLines.size() ||
                (oldLines[next] != text && std::string(oldLines[next]) + "\n" != text)) {
                return std::nullopt;
            }
            ++next;
        } else if (kind != '+') {
            return std::nullopt;
        }
        if (kind != '-') {
            pending = text;
        }
    }
    flush();
    for (; next < oldLines.size(); ++next) {
        out += oldLines[next];
    }
    return out;
}

}  // namespace tavrin::testing
