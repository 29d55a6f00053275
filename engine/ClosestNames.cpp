#include "engine/ClosestNames.h"

#include <algorithm>
#include <numeric>

#include "engine/Mbcs.h"

namespace tavrin {

namespace {

// The characters of a code page 932 text, ASCII letters in lower case.
std::vector<std::string> Characters(std::string_view text) {
    std::vector<std::string> characters;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = mbcs::CharLength(text, pos);
        std::string character(text.substr(pos, length));
        if (length == 1) {
            character[0] = mbcs::ToLowerAscii(character[0]);
        }
        characters.push_back(std::move(character));
        pos += length;
    }
    return characters;
}

std::size_t EditDistance(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t replaced = diagonal + (a[i - 1] == b[j - 1] ? 0 : 1);
            diagonal = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, replaced});
        }
    }
    return row.back();
}

}  // namespace

std::vector<std::string> ClosestNames(const std::vector<std::string>& names,
                                      std::string_view wanted, std::size_t count) {
    const std::vector<std::string> target = Characters(wanted);
    std::vector<std::pair<std::size_t, std::size_t>> ranked;  // distance, index
    for (std::size_t i = 0; i < names.size(); ++i) {
        ranked.emplace_back(EditDistance(Characters(names[i]), target), i);
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> closest;
    for (std::size_t i = 0; i < ranked.size() && i < count; ++i) {
        closest.push_back(names[ranked[i].second]);
    }
    return closest;
}

}  // namespace tavrin
