#pragma once

#include <cstddef>
#include <memory>
#include <string>
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

class CompiledPattern;

// Releases a compiled pattern; the only way one is destroyed.
struct CompiledPatternDeleter {
    void operator()(CompiledPattern* pattern) const noexcept;
};
using CompiledPatternPtr = std::unique_ptr<CompiledPattern, CompiledPatternDeleter>;

// A compiled pattern, owned through CompiledPatternPtr, or by a BMatch handle until BRegfree.
class CompiledPattern {
public:
    CompiledPattern(const CompiledPattern&) = delete;
    CompiledPattern& operator=(const CompiledPattern&) = delete;

    // The pattern text it was compiled from.
    const std::string& PatternText() const;

    // The number of capturing groups in the expression.
    int GroupCount() const;

    // After a successful BMatch: the positions of group `index` (0 is the whole match) as
    // addresses inside the subject that BMatch was given; both null for a group that did not
    // take part.
    const char* MatchBegin(int index) const;
    const char* MatchEnd(int index) const;

    struct Impl;

private:
    explicit CompiledPattern(std::unique_ptr<Impl> impl);
    ~CompiledPattern();
    friend struct CompiledPatternDeleter;
    friend CompiledPatternPtr CompilePattern(std::string_view, bool);
    friend int BMatch(std::string_view, const char*, const char*, CompiledPattern**, std::string*);
    friend class SubjectSearch;

    std::unique_ptr<Impl> m_impl;
};

// Compiles a pattern text. Returns null when it is not of the form "/expression/options",
// has an unknown option, or its expression does not compile. `forRepeatedUse` also compiles
// the expression to machine code, which pays off only for a pattern used on many subjects.
CompiledPatternPtr CompilePattern(std::string_view patternText, bool forRepeatedUse = false);

// The entry points in the shape callers of the matching library know: a handle that BMatch
// fills on first use and BRegfree releases. Both are thin adapters over the owning pointer.
//
// BMatch searches the subject [subjectBegin, subjectEnd) for the leftmost match. When *handle
// is null the pattern text is compiled first and the new pattern stored in *handle (it stays
// null when the text does not compile); otherwise *handle is used as it is. Returns nonzero
// when a match was found; its positions are then in *handle. An empty subject never
// matches. `message`, when given, receives a description of a compile error.
int BMatch(std::string_view patternText, const char* subjectBegin, const char* subjectEnd,
           CompiledPattern** handle, std::string* message = nullptr);
void BRegfree(CompiledPattern* handle);

// Searching one subject again and again from advancing positions, as a global replace does.
// The subject is prepared once (for option "k" that means mapping every character to one
// code unit), so each search costs only the search. A search from `from` behaves exactly like
// BMatch on the subject from `from` to its end: "^" and look-behind see `from` as the start.
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
    // like an empty subject in BMatch.
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

// One-shot test: compiles `patternText`, searches the whole subject once, releases the
// pattern. True when it matched.
bool IsMatch(std::string_view subject, std::string_view patternText);

}  // namespace tavrin
