#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/PatternMatcher.h"

namespace tavrin {

// One replacement of a generation: the keyword as templates write it, the value it stands
// for, and the expression that finds it in a line.
class CSubstitutionEntry {
public:
    virtual ~CSubstitutionEntry() = default;

    // Called once at the start of every generation.
    virtual void Prepare() {}

    // Computes m_replacement for one occurrence; `captured` is what the pattern's first group
    // matched (empty when it has none or it matched nothing).
    virtual void Evaluate(std::string_view captured);

    std::string m_keyword;
    std::string m_value;
    std::string m_pattern;
    std::string m_replacement;
};

// "$$GUID()$$": one fresh GUID per generation, the same in every file of it.
class CGuidEntry : public CSubstitutionEntry {
public:
    void Prepare() override;
    void Evaluate(std::string_view captured) override;

    std::string m_guidText;
};

// "$$LARGE(" text ")$$": the text upper-cased, with dots turned into underscores.
class CUpperCaseEntry : public CSubstitutionEntry {
public:
    void Evaluate(std::string_view captured) override;
};

// Every text replacement of one generation, and the expansion of template files with them.
// Keyword entries apply in the order they were added, then "$$GUID()$$", then "$$LARGE(",
// each over the result of all before it.
class CSubstitutionSet {
public:
    CSubstitutionSet();
    virtual ~CSubstitutionSet();
    CSubstitutionSet(const CSubstitutionSet&) = delete;
    CSubstitutionSet& operator=(const CSubstitutionSet&) = delete;

    // Appends a keyword entry; duplicates are kept, and the first one found wins lookups.
    void AddKeyword(std::string_view keyword, std::string_view value);

    // Sets the value of the first keyword entry with exactly this keyword; does nothing when
    // there is none.
    void SetKeywordValue(std::string_view keyword, std::string_view value);

    // Fixes this generation's GUID (and starts COM where there is COM). Pair with
    // EndGeneration, whether the expansion succeeds or not.
    void BeginGeneration();
    void EndGeneration();

    // Expands the template file into the output file, both read and written in text mode, so
    // the output has CR LF line ends whatever the template has. The output is written only
    // when it is complete, and replaces an existing file only then: false when the template
    // cannot be read or the output cannot be written, and an existing output then stays as it
    // was.
    bool ExpandFile(std::string_view templatePath, std::string_view outputPath);

    // Applies every entry to one line (which may hold its line feed).
    std::string ExpandLine(std::string_view line);

    // Replaces every occurrence of one entry in one line. The replacement is literal, and the
    // search goes on in the unchanged line, so an entry never meets its own replacement.
    std::string ApplyEntry(std::string_view line, CSubstitutionEntry& entry);

    // The expression that matches `text` literally: a backslash before each of $ ( ) * . / [
    // \ ] and nothing else, so other metacharacters in a keyword keep their meaning. A
    // double-byte character is copied whole, never split by a backslash.
    static std::string EscapePattern(std::string_view text);

    // How compiled patterns are kept. PerPass compiles every entry afresh for every line.
    // PerGeneration compiles each entry once between BeginGeneration and EndGeneration and
    // keeps it (machine code included) for all lines; the output is the same either way.
    enum class PatternReuse { PerPass, PerGeneration };
    void SetPatternReuse(PatternReuse reuse) { m_reuse = reuse; }

    const std::vector<std::unique_ptr<CSubstitutionEntry>>& KeywordEntries() const {
        return m_keywordEntries;
    }
    const std::vector<std::unique_ptr<CSubstitutionEntry>>& FunctionEntries() const {
        return m_functionEntries;
    }

private:
    void AddFunction(std::unique_ptr<CSubstitutionEntry> entry, std::string_view keyword,
                     const char* pattern);
    // An entry's pattern, compiled once for the generation, with the text every match must
    // contain (empty when there is no such text to look for).
    struct GenerationPattern {
        CompiledPattern* compiled = nullptr;
        std::string requiredText;
    };
    const GenerationPattern& PatternFor(const CSubstitutionEntry& entry);
    void ReleaseCompiled();

    // Replaces every occurrence of one entry in `line` into `out`; false, with `out`
    // untouched, when there is none.
    bool Substitute(std::string_view line, CSubstitutionEntry& entry, std::string& out);

    std::vector<std::unique_ptr<CSubstitutionEntry>> m_keywordEntries;
    std::vector<std::unique_ptr<CSubstitutionEntry>> m_functionEntries;

    PatternReuse m_reuse = PatternReuse::PerGeneration;
    bool m_generating = false;
    std::unordered_map<const CSubstitutionEntry*, GenerationPattern> m_compiled;
};

}  // namespace tavrin
