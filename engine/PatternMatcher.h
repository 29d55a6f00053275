#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

// Pattern matching for the whole engine: Perl-style regular expressions written as pattern
// texts "/expression/options", backed by PCRE2. The only option is "k": the subject and the
// expression are code page 932 text, so "." takes a whole double-byte character, repetition
// repeats whole characters, and no match starts or ends between the two bytes of one.
// Without "k" every byte is one character.
namespace tavrin {

// Where one group matched, as byte offsets into the subject; `matched` is false for a group
// that took no part in the match.
struct MatchSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool matched = false;
};

// A compiled pattern; CompilePattern makes one.
class CompiledPattern {
public:
    ~CompiledPattern();
    CompiledPattern(const CompiledPattern&) = delete;
    CompiledPattern& operator=(const CompiledPattern&) = delete;

    // The number of capturing groups in the expression.
    int GroupCount() const;

    struct Impl;

private:
    explicit CompiledPattern(std::unique_ptr<Impl> impl);
    friend std::unique_ptr<CompiledPattern> CompilePattern(std::string_view, bool);
    friend class SubjectSearch;

    std::unique_ptr<Impl> m_impl;
};

using CompiledPatternPtr = std::unique_ptr<CompiledPattern>;

// Compiles a pattern text. Returns null when it is not of the form "/expression/options",
// has an unknown option, or its expression does not compile. `forRepeatedUse` also compiles
// the expression to machine code, which pays off only for a pattern used on many subjects.
CompiledPatternPtr CompilePattern(std::string_view patternText, bool forRepeatedUse = false);

// Searching one subject again and again from advancing positions, as a global replace does.
// The subject is prepared once (for option "k" that means mapping every character to one
// code unit), so each search costs only the search. A search from `from` behaves exactly like
// a search of a subject that starts at `from`: "^" and look-behind see `from` as the start.
class SubjectSearch {
public:
    // `pattern` and `subject` must outlive the search.
    SubjectSearch(const CompiledPattern& pattern, std::string_view subject);
    ~SubjectSearch();
    SubjectSearch(const SubjectSearch&) = delete;
    SubjectSearch& operator=(const SubjectSearch&) = delete;

    // Searches from byte offset `from` (a character boundary) to the end. With
    // `nonEmptyAtStart` only a non-empty match that starts at `from` counts, which is how a
    // global replace retries after an empty match, as Perl does. An empty rest never matches,
    // as an empty subject never does.
    bool Find(std::size_t from, bool nonEmptyAtStart = false);

    // True when the last Find found nothing because the search reached one of the bounds
    // every search has (on backtracking, its depth and memory): whether there is a match is
    // then unknown.
    bool GaveUp() const;

    // Group `index` of the last successful Find, as byte offsets into the subject.
    MatchSpan Group(int index) const;

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

}  // namespace tavrin
