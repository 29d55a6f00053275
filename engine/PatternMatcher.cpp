#include "engine/PatternMatcher.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#define PCRE2_CODE_UNIT_WIDTH 0
#include <pcre2.h>

#include "engine/Mbcs.h"

namespace tavrin {
namespace {

// PCRE2's objects, each released by its own free function when its owner goes.
template <auto Free>
struct Releaser {
    template <typename Object>
    void operator()(Object* object) const noexcept {
        Free(object);
    }
};
using CompileContext8 =
    std::unique_ptr<pcre2_compile_context_8, Releaser<pcre2_compile_context_free_8>>;
using CompileContext32 =
    std::unique_ptr<pcre2_compile_context_32, Releaser<pcre2_compile_context_free_32>>;
using Code8 = std::unique_ptr<pcre2_code_8, Releaser<pcre2_code_free_8>>;
using Code32 = std::unique_ptr<pcre2_code_32, Releaser<pcre2_code_free_32>>;
using MatchContext8 = std::unique_ptr<pcre2_match_context_8, Releaser<pcre2_match_context_free_8>>;
using MatchContext32 =
    std::unique_ptr<pcre2_match_context_32, Releaser<pcre2_match_context_free_32>>;
using JitStack8 = std::unique_ptr<pcre2_jit_stack_8, Releaser<pcre2_jit_stack_free_8>>;
using JitStack32 = std::unique_ptr<pcre2_jit_stack_32, Releaser<pcre2_jit_stack_free_32>>;
using MatchData8 = std::unique_ptr<pcre2_match_data_8, Releaser<pcre2_match_data_free_8>>;
using MatchData32 = std::unique_ptr<pcre2_match_data_32, Releaser<pcre2_match_data_free_32>>;

// Nothing inside an expression may switch modes: "(*UTF)" would make PCRE2 decode our mapped
// double-byte units as code points, and "(*UCP)" would let "\w" match them.
constexpr std::uint32_t kCompileOptions = PCRE2_NEVER_UTF | PCRE2_NEVER_UCP;

struct ParsedText {
    std::string_view expression;
    bool doubleByte = false;
};

// The expression ends at the last slash. Looking for the first unescaped slash instead would
// take the 0x5C trail byte of a double-byte character for a backslash and run past the real
// end; 0x2F itself is never a trail byte, so the last one is always the delimiter.
bool ParsePatternText(std::string_view text, ParsedText& parsed) {
    const std::size_t last = text.rfind('/');
    if (text.empty() || text.front() != '/' || last == 0) {
        return false;
    }
    parsed.expression = text.substr(1, last - 1);
    for (char option : text.substr(last + 1)) {
        if (option != 'k') {
            return false;
        }
        parsed.doubleByte = true;
    }
    return true;
}

// Every code page 932 character becomes one code unit, so that PCRE2's characters are ours:
// "." takes both bytes, repetition repeats whole characters, and no match can begin or end
// between the two bytes. Double-byte values (0x8140 and up) lie above every single byte, so
// "\w" and the default character tables never see them as letters.
void MapCharacters(std::string_view text, std::size_t from, std::vector<PCRE2_UCHAR32>& units,
                   std::vector<std::size_t>* offsets) {
    units.clear();
    if (offsets != nullptr) {
        offsets->clear();
    }
    for (std::size_t pos = from; pos < text.size();) {
        const std::size_t length = mbcs::CharLength(text, pos);
        PCRE2_UCHAR32 unit = static_cast<unsigned char>(text[pos]);
        if (length == 2) {
            unit = unit << 8 | static_cast<unsigned char>(text[pos + 1]);
        }
        units.push_back(unit);
        if (offsets != nullptr) {
            offsets->push_back(pos);
        }
        pos += length;
    }
    if (offsets != nullptr) {
        offsets->push_back(text.size());
    }
}

Code8 CompileNarrow(std::string_view expression) {
    const CompileContext8 context(pcre2_compile_context_create_8(nullptr));
    if (!context) {
        return nullptr;  // out of memory
    }
    pcre2_set_newline_8(context.get(), PCRE2_NEWLINE_LF);
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    return Code8(pcre2_compile_8(reinterpret_cast<PCRE2_SPTR8>(expression.data()),
                                 expression.size(), kCompileOptions, &error, &errorOffset,
                                 context.get()));
}

Code32 CompileWide(std::string_view expression) {
    std::vector<PCRE2_UCHAR32> units;
    MapCharacters(expression, 0, units, nullptr);
    units.push_back(0);  // so that data() is never null, even for an empty expression
    const CompileContext32 context(pcre2_compile_context_create_32(nullptr));
    if (!context) {
        return nullptr;  // out of memory
    }
    pcre2_set_newline_32(context.get(), PCRE2_NEWLINE_LF);
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    return Code32(pcre2_compile_32(units.data(), units.size() - 1, kCompileOptions, &error,
                                   &errorOffset, context.get()));
}

// Every search is bounded, so that no pattern (a keyword may hold "+" and "?") can make a
// generation run for hours or exhaust memory by backtracking: a search that reaches a bound
// gives up, and the caller learns that it did. The bounds lie far above what a literal
// keyword or "$$LARGE(" needs on lines of 8 KB, the length template lines are made for, and
// still suffice for lines a hundred times as long; a search that gives up costs some 50 ms.
constexpr std::uint32_t kMatchLimit = 1'000'000;
constexpr std::uint32_t kDepthLimit = 1'000'000;
constexpr std::uint32_t kHeapLimitKibibytes = 64 * 1024;
constexpr std::size_t kJitStackStart = std::size_t{32} * 1024;
constexpr std::size_t kJitStackMax = std::size_t{1024} * 1024;

// The match contexts holding those bounds, with a machine-code stack of their own, made once.
class MatchContexts {
public:
    static const MatchContexts& Get() {
        static const MatchContexts contexts;
        return contexts;
    }

    pcre2_match_context_8* Narrow() const { return m_narrow.get(); }
    pcre2_match_context_32* Wide() const { return m_wide.get(); }

private:
    MatchContexts()
        : m_narrowStack(pcre2_jit_stack_create_8(kJitStackStart, kJitStackMax, nullptr)),
          m_wideStack(pcre2_jit_stack_create_32(kJitStackStart, kJitStackMax, nullptr)),
          m_narrow(pcre2_match_context_create_8(nullptr)),
          m_wide(pcre2_match_context_create_32(nullptr)) {
        if (m_narrow) {
            pcre2_set_match_limit_8(m_narrow.get(), kMatchLimit);
            pcre2_set_depth_limit_8(m_narrow.get(), kDepthLimit);
            pcre2_set_heap_limit_8(m_narrow.get(), kHeapLimitKibibytes);
            pcre2_jit_stack_assign_8(m_narrow.get(), nullptr, m_narrowStack.get());
        }
        if (m_wide) {
            pcre2_set_match_limit_32(m_wide.get(), kMatchLimit);
            pcre2_set_depth_limit_32(m_wide.get(), kDepthLimit);
            pcre2_set_heap_limit_32(m_wide.get(), kHeapLimitKibibytes);
            pcre2_jit_stack_assign_32(m_wide.get(), nullptr, m_wideStack.get());
        }
    }

    // The stacks first, so that they outlive the contexts that use them.
    JitStack8 m_narrowStack;
    JitStack32 m_wideStack;
    MatchContext8 m_narrow;
    MatchContext32 m_wide;
};

// A search that ended without an answer: a bound was reached, or memory ran out.
bool SearchGaveUp(int count) {
    return count < 0 && count != PCRE2_ERROR_NOMATCH;
}

// The compiled forms of one pattern. A double-byte pattern always has the wide code; when
// its expression is plain ASCII it also keeps the narrow code, which gives the same results
// on a plain ASCII subject without mapping it.
struct Codes {
    Code8 narrow;
    Code32 wide;
    int groupCount = 0;
};

// Searches one subject from any character boundary. The subject is mapped once, and the match
// data is kept, so that a repeated search allocates nothing.
class SearchState {
public:
    explicit SearchState(const Codes& codes) : m_codes(codes) {}

    void Prepare(std::string_view subject) {
        m_subject = subject;
        m_spans.assign(static_cast<std::size_t>(m_codes.groupCount) + 1, MatchSpan{});
        m_useWide =
            m_codes.wide != nullptr && (m_codes.narrow == nullptr || mbcs::HasHighBytes(subject));
        if (m_useWide) {
            if (!m_wideData) {
                m_wideData.reset(
                    pcre2_match_data_create_from_pattern_32(m_codes.wide.get(), nullptr));
            }
            MapCharacters(m_subject, 0, m_units, &m_offsets);
        } else if (!m_narrowData) {
            m_narrowData.reset(
                pcre2_match_data_create_from_pattern_8(m_codes.narrow.get(), nullptr));
        }
    }

    // The rest from `from` is handed to PCRE2 as a subject of its own, so that "^", "\A" and
    // look-behind see `from` as the start, exactly as a fresh search of the rest would.
    bool Find(std::size_t from, std::uint32_t options) {
        std::fill(m_spans.begin(), m_spans.end(), MatchSpan{});
        m_gaveUp = false;
        if (from >= m_subject.size()) {
            return false;
        }
        return m_useWide ? FindWide(from, options) : FindNarrow(from, options);
    }

    bool GaveUp() const { return m_gaveUp; }

    MatchSpan Group(int index) const {
        if (index < 0 || static_cast<std::size_t>(index) >= m_spans.size()) {
            return {};
        }
        return m_spans[static_cast<std::size_t>(index)];
    }

private:
    bool FindNarrow(std::size_t from, std::uint32_t options) {
        if (!m_narrowData) {
            return false;
        }
        const int count = pcre2_match_8(
            m_codes.narrow.get(), reinterpret_cast<PCRE2_SPTR8>(m_subject.data() + from),
            m_subject.size() - from, 0, options, m_narrowData.get(), MatchContexts::Get().Narrow());
        m_gaveUp = SearchGaveUp(count);
        Record(count, pcre2_get_ovector_pointer_8(m_narrowData.get()),
               [from](PCRE2_SIZE unit) { return from + unit; });
        return count > 0;
    }

    bool FindWide(std::size_t from, std::uint32_t options) {
        if (!m_wideData) {
            return false;
        }
        auto start = std::lower_bound(m_offsets.begin(), m_offsets.end(), from);
        if (start == m_offsets.end() || *start != from) {
            // Not a boundary of the current mapping: map again from here, which is what a
            // fresh search of the rest would see.
            MapCharacters(m_subject, from, m_units, &m_offsets);
            start = m_offsets.begin();
        }
        const auto first = static_cast<std::size_t>(start - m_offsets.begin());
        const int count =
            pcre2_match_32(m_codes.wide.get(), m_units.data() + first, m_units.size() - first, 0,
                           options, m_wideData.get(), MatchContexts::Get().Wide());
        m_gaveUp = SearchGaveUp(count);
        Record(count, pcre2_get_ovector_pointer_32(m_wideData.get()),
               [this, first](PCRE2_SIZE unit) { return m_offsets[first + unit]; });
        return count > 0;
    }

    template <typename ToByteOffset>
    void Record(int count, const PCRE2_SIZE* ovector, ToByteOffset toByteOffset) {
        for (std::size_t i = 0; count > 0 && i < static_cast<std::size_t>(count); ++i) {
            if (i < m_spans.size() && ovector[2 * i] != PCRE2_UNSET) {
                m_spans[i] = {toByteOffset(ovector[2 * i]), toByteOffset(ovector[2 * i + 1]), true};
            }
        }
    }

    const Codes& m_codes;
    MatchData8 m_narrowData;
    MatchData32 m_wideData;
    std::string_view m_subject;
    bool m_useWide = false;
    std::vector<PCRE2_UCHAR32> m_units;
    std::vector<std::size_t> m_offsets;  // byte offset of each unit, then the subject's end
    std::vector<MatchSpan> m_spans;
    bool m_gaveUp = false;
};

}  // namespace

struct CompiledPattern::Impl {
    Codes codes;
};

struct SubjectSearch::Impl {
    explicit Impl(const Codes& codes) : state(codes) {}
    SearchState state;
};

namespace {

std::unique_ptr<CompiledPattern::Impl> Compile(std::string_view patternText, bool forRepeatedUse) {
    ParsedText parsed;
    if (!ParsePatternText(patternText, parsed)) {
        return nullptr;
    }
    auto impl = std::make_unique<CompiledPattern::Impl>();
    Codes& codes = impl->codes;
    std::uint32_t groupCount = 0;
    if (parsed.doubleByte) {
        codes.wide = CompileWide(parsed.expression);
        if (!codes.wide) {
            return nullptr;
        }
        pcre2_pattern_info_32(codes.wide.get(), PCRE2_INFO_CAPTURECOUNT, &groupCount);
        if (!mbcs::HasHighBytes(parsed.expression)) {
            codes.narrow = CompileNarrow(parsed.expression);
        }
    } else {
        codes.narrow = CompileNarrow(parsed.expression);
        if (!codes.narrow) {
            return nullptr;
        }
        pcre2_pattern_info_8(codes.narrow.get(), PCRE2_INFO_CAPTURECOUNT, &groupCount);
    }
    codes.groupCount = static_cast<int>(groupCount);
    // Without JIT support the interpreter gives the same results, only slower.
    if (forRepeatedUse && codes.narrow) {
        pcre2_jit_compile_8(codes.narrow.get(), PCRE2_JIT_COMPLETE);
    }
    if (forRepeatedUse && codes.wide) {
        pcre2_jit_compile_32(codes.wide.get(), PCRE2_JIT_COMPLETE);
    }
    return impl;
}

}  // namespace

CompiledPattern::CompiledPattern(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

CompiledPattern::~CompiledPattern() = default;

int CompiledPattern::GroupCount() const {
    return m_impl->codes.groupCount;
}

CompiledPatternPtr CompilePattern(std::string_view patternText, bool forRepeatedUse) {
    std::unique_ptr<CompiledPattern::Impl> impl = Compile(patternText, forRepeatedUse);
    return CompiledPatternPtr(impl ? new CompiledPattern(std::move(impl)) : nullptr);
}

SubjectSearch::SubjectSearch(const CompiledPattern& pattern, std::string_view subject)
    : m_impl(std::make_unique<Impl>(pattern.m_impl->codes)) {
    m_impl->state.Prepare(subject);
}

SubjectSearch::~SubjectSearch() = default;

bool SubjectSearch::Find(std::size_t from, bool nonEmptyAtStart) {
    return m_impl->state.Find(from, nonEmptyAtStart ? PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED : 0);
}

bool SubjectSearch::GaveUp() const {
    return m_impl->state.GaveUp();
}

MatchSpan SubjectSearch::Group(int index) const {
    return m_impl->state.Group(index);
}

}  // namespace tavrin
