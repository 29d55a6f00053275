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
    ~CSubstitutionSet();
    CSubstitutionSet(const CSubstitutionSet&) = delete;
    CSubstitutionSet& operator=(const CSubstitutionSet&) = delete;

    // Appends a keyword entry; duplicates are kept, and the first one found wins lookups.
    void AddKeyword(std::string_view keyword, std::string_view value);

    // Whether a keyword entry with exactly this keyword was added.
    bool HasKeyword(std::string_view keyword) const;

    // Sets the value of the first keyword entry with exactly this keyword; does nothing when
    // there is none.
    void SetKeywordValue(std::string_view keyword, std::string_view value);

    // One generation, for as long as it lives: this generation's GUID is fixed (and COM
    // started where there is COM), and each entry's pattern is compiled once, machine code
    // included, for all lines.
    class Generation {
    public:
        explicit Generation(CSubstitutionSet& set);
        ~Generation();
        Generation(const Generation&) = delete;
        Generation& operator=(const Generation&) = delete;

    private:
        CSubstitutionSet& m_set;
    };

    // The bytes of the template file expanded, with CR LF line ends whatever the template has
    // (the caller writes them, whole or not at all). A template saved as UTF-8 or UTF-16
    // behind a byte order mark is expanded in code page 932 and comes out in its own encoding
    // and byte order, mark included. False when the template cannot be read, or holds a
    // character code page 932 cannot hold (it could not come out unchanged).
    bool ExpandTemplate(std::string_view templatePath, std::string& output);

    // A keyword whose search gave up in a template file: some occurrences of it in that file
    // may have been left unreplaced, as it is not searched again in that file. Only keywords
    // searched with their expression can give up; a plain keyword found by a byte search never
    // does. Each pair is listed once, in the order met; the list is emptied when a generation
    // begins.
    struct GaveUpSearch {
        std::string templatePath;  // empty for lines expanded outside ExpandTemplate
        std::string keyword;
    };
    const std::vector<GaveUpSearch>& GaveUpSearches() const { return m_gaveUp; }

    // Applies every entry to one line (which may hold its line feed).
    std::string ExpandLine(std::string_view line);

    // The expression that matches `text` literally: a backslash before each of $ ( ) * . / [
    // \ ] and nothing else, so other metacharacters in a keyword keep their meaning. A
    // double-byte character is copied whole, never split by a backslash.
    static std::string EscapePattern(std::string_view text);

private:
    void AddFunction(std::unique_ptr<CSubstitutionEntry> entry, std::string_view keyword,
                     const char* pattern);
    void BeginGeneration();
    void EndGeneration();

    // Replaces every occurrence of one entry in `line` into `out`; false, with `out`
    // untouched, when there is none. The replacement is literal, and the search goes on in
    // the unchanged line, so an entry never meets its own replacement.
    bool Substitute(std::string_view line, CSubstitutionEntry& entry, std::string& out);
    // The same for an entry whose keyword is a plain ASCII literal.
    bool SubstituteLiteral(std::string_view line, CSubstitutionEntry& entry, std::string& out);
    // Appends the line with every entry applied to `out`.
    void AppendExpandedLine(std::string_view line, std::string& out);

    // The compiled pattern that finds `entry`, or null when the pattern does not compile or
    // `line` cannot hold a match: each entry's pattern is compiled once per generation, and a
    // line without the text every match must contain is passed over.
    const CompiledPattern* PatternFor(const CSubstitutionEntry& entry, std::string_view line);

    bool GaveUpBefore(const CSubstitutionEntry& entry) const;
    void NoteGaveUp(const CSubstitutionEntry& entry);

    std::vector<std::unique_ptr<CSubstitutionEntry>> m_keywordEntries;
    std::vector<std::unique_ptr<CSubstitutionEntry>> m_functionEntries;

    // An entry's pattern, compiled once for the generation, with the text every match must
    // contain (empty when there is no such text to look for).
    struct GenerationPattern {
        CompiledPatternPtr compiled;
        std::string requiredText;
        bool literal = false;  // found by a byte search instead of the expression
    };
    const GenerationPattern& PreparedPattern(const CSubstitutionEntry& entry);
    std::unordered_map<const CSubstitutionEntry*, GenerationPattern> m_compiled;

    // Hold a line while the entries change it, taking turns, and keep their capacity from
    // line to line.
    std::string m_currentLine;
    std::string m_nextLine;

    std::string m_currentTemplate;
    std::vector<GaveUpSearch> m_gaveUp;
};

}  // namespace tavrin
