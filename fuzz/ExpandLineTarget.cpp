// Line expansion with keywords of any bytes: a line that holds no keyword and no "$" comes out
// unchanged.
#include <algorithm>
#include <string>

#include "engine/SubstitutionSet.h"
#include "fuzz/FuzzTargets.h"

namespace tavrin::fuzz {

namespace {

// Expansion multiplies a line's length by up to (1 + value length) for each keyword: a pattern
// that matches the empty string puts the value between every two characters, and the next
// keyword does the same to the result. Such lines are as long as their keywords ask for, and
// producing them only measures memory bandwidth: lines are cut so that the largest expansion
// of all of them together stays within bounds, and the search spends its time on faults.
constexpr std::size_t kLargestExpansion = std::size_t{1} << 19;

}  // namespace

int FuzzExpandLine(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte once chose how plain keywords were searched; it is skipped still, so that
    // the stored inputs keep their meaning.
    const std::vector<std::string_view> fields = SplitFields(data + 1, size - 1, 7);
    CSubstitutionSet set;
    bool literalKeywords = true;
    std::vector<std::string_view> keywords;
    std::size_t growth = 4;  // $$GUID()$$ and $$LARGE(...)$$ at most
    for (std::size_t i = 0; i + 1 < 6; i += 2) {
        if (!fields[i].empty()) {
            growth = std::min(growth * (fields[i + 1].size() + 1), kLargestExpansion + 1);
            set.AddKeyword(fields[i], fields[i + 1]);
            keywords.push_back(fields[i]);
            literalKeywords =
                literalKeywords && fields[i].find_first_of("^|?+{") == std::string_view::npos;
        }
    }
    const CSubstitutionSet::Generation generation(set);
    std::string_view rest = fields[6];
    std::size_t budget = kLargestExpansion;  // of bytes the expansions may still produce
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::size_t length = end == std::string_view::npos ? rest.size() : end + 1;
        const std::string_view line = rest.substr(0, std::min(length, budget / growth));
        rest.remove_prefix(length);
        budget -= line.size() * growth;
        const std::string expanded = set.ExpandLine(line);
        bool untouched = literalKeywords && line.find('$') == std::string_view::npos;
        for (std::string_view keyword : keywords) {
            untouched = untouched && line.find(keyword) == std::string_view::npos;
        }
        Check(!untouched || expanded == line, "a line without keywords stays as it is");
    }
    return 0;
}

}  // namespace tavrin::fuzz
