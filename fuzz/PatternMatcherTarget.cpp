// The pattern matcher with and without "k", interpreted and compiled to machine code: the
// matches of a global search lie inside the subject, in order, and with "k" on character
// boundaries.
#include <string>

#include "engine/Mbcs.h"
#include "engine/PatternMatcher.h"
#include "fuzz/FuzzTargets.h"

namespace tavrin::fuzz {

namespace {

std::vector<bool> CharacterBoundaries(std::string_view text) {
    std::vector<bool> boundary(text.size() + 1, false);
    for (std::size_t pos = 0; pos < text.size(); pos += mbcs::CharLength(text, pos)) {
        boundary[pos] = true;
    }
    boundary[text.size()] = true;
    return boundary;
}

}  // namespace

int FuzzPatternMatcher(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool doubleByte = (data[0] & 1) != 0;
    const bool jit = (data[0] & 2) != 0;
    const std::vector<std::string_view> fields = SplitFields(data + 1, size - 1, 2);
    const std::string text = "/" + std::string(fields[0]) + (doubleByte ? "/k" : "/");
    const std::string_view subject = fields[1];

    CompiledPatternPtr pattern = CompilePattern(text, jit);
    if (pattern == nullptr) {
        return 0;
    }
    const std::vector<bool> boundary = CharacterBoundaries(subject);
    SubjectSearch search(*pattern, subject);
    std::size_t pos = 0;
    bool afterEmpty = false;
    for (std::size_t round = 0; round <= subject.size() && pos < subject.size(); ++round) {
        if (!search.Find(pos, afterEmpty)) {
            if (!afterEmpty) {
                break;
            }
            pos += mbcs::CharLength(subject, pos);
            afterEmpty = false;
            continue;
        }
        const MatchSpan match = search.Group(0);
        Check(match.matched && pos <= match.begin && match.begin <= match.end &&
                  match.end <= subject.size(),
              "a match lies inside the rest of the subject");
        Check(!doubleByte || (boundary[match.begin] && boundary[match.end]),
              "with k a match starts and ends between characters");
        for (int group = 1; group <= pattern->GroupCount(); ++group) {
            const MatchSpan span = search.Group(group);
            Check(!span.matched || (span.begin <= span.end && span.end <= subject.size()),
                  "a group lies inside the subject");
        }
        afterEmpty = match.begin == match.end;
        pos = match.end;
    }
    return 0;
}

}  // namespace tavrin::fuzz
