#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/PatternMatcher.h"
#include "engine/SubstitutionSet.h"

namespace tavrin::testing {

// Owns the compiled patterns of one replacement pass, one per slot, each compiled once through
// BMatch, the way the matching library's callers hold their handles.
class CPatternMatcher {
public:
    explicit CPatternMatcher(std::size_t slotCount) : m_slots(slotCount) {}
    ~CPatternMatcher() {
        for (CompiledPattern* slot : m_slots) {
            BRegfree(slot);
        }
    }
    CPatternMatcher(const CPatternMatcher&) = delete;
    CPatternMatcher& operator=(const CPatternMatcher&) = delete;

    // The compiled pattern for `patternText`, compiling it into the first free slot when no
    // slot holds it yet. Null when the text does not compile, or every slot holds another.
    CompiledPattern* GetCompiled(std::string_view patternText) {
        static constexpr char kSpace[] = " ";
        for (CompiledPattern*& slot : m_slots) {
            if (slot == nullptr) {
                BMatch(patternText, kSpace, kSpace + 1, &slot);
                return slot;
            }
            if (slot->PatternText() == patternText) {
                return slot;
            }
        }
        return nullptr;
    }

private:
    std::vector<CompiledPattern*> m_slots;
};

// The expansion with every entry's pattern compiled afresh for every line and no line passed
// over: slow and plain, the oracle that the engine's reuse of patterns must agree with.
class CPerPassSubstitutionSet : public CSubstitutionSet {
protected:
    const CompiledPattern* PatternFor(const CSubstitutionEntry& entry,
                                      std::string_view /*line*/) override {
        m_pass = std::make_unique<CPatternMatcher>(1);
        return m_pass->GetCompiled(PatternTextOf(entry));
    }
    bool FindsPlainKeywordsByBytes() const override { return false; }

private:
    std::unique_ptr<CPatternMatcher> m_pass;
};

}  // namespace tavrin::testing
