#include "engine/SubstitutionSet.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "engine/Mbcs.h"
#include "engine/TextEncoding.h"
#include "engine/TextLines.h"
#include "platform/Com.h"
#include "platform/Guid.h"

namespace tavrin {

namespace {

constexpr std::string_view kGuidKeyword = "$$GUID()$$";
constexpr std::string_view kLargeKeyword = "$$LARGE()$$";
// Greedy: two "$$LARGE(" on one line form one occurrence, from the first to the last ")$$".
constexpr const char* kLargePattern = "\\$\\$LARGE\\((.*)\\)\\$\\$";

bool IsEscapedByte(char c) {
    switch (c) {
        case '$':
        case '(':
        case ')':
        case '*':
        case '.':
        case '/':
        case '[':
        case '\\':
        case ']':
            return true;
        default:
            return false;
    }
}

// Text that every match of the entry contains, so that a line without it can be passed over
// without a search: most lines hold few of the keywords. A keyword escaped by EscapePattern is
// a literal unless it holds one of the metacharacters escaping leaves alone, and a match of a
// literal is exactly its bytes. Empty when there is nothing certain to look for.
std::string RequiredText(const CSubstitutionEntry& entry) {
    if (entry.m_pattern == kLargePattern) {
        return "$$LARGE(";
    }
    if (entry.m_pattern == CSubstitutionSet::EscapePattern(entry.m_keyword) &&
        entry.m_keyword.find_first_of("^|?+{") == std::string::npos) {
        return entry.m_keyword;
    }
    return {};
}

// The pattern text an entry is searched with: its expression over code page 932.
std::string PatternTextOf(const CSubstitutionEntry& entry) {
    return "/" + entry.m_pattern + "/k";
}

}  // namespace

void CSubstitutionEntry::Evaluate(std::string_view /*captured*/) {
    m_replacement = m_value;
}

void CGuidEntry::Prepare() {
    m_guidText.clear();
    platform::Guid guid = platform::NewGuid();
    if (guid.IsNull()) {
        return;  // no GUID to be had: "$$GUID()$$" becomes nothing
    }
    // Underscores where the usual text has hyphens, so that the GUID can be part of an
    // identifier such as an include guard.
    char text[40];
    std::snprintf(text, sizeof text, "%08lX_%04X_%04X_%02X%02X_%02X%02X%02X%02X%02X%02X",
                  static_cast<unsigned long>(guid.data1), guid.data2, guid.data3, guid.data4[0],
                  guid.data4[1], guid.data4[2], guid.data4[3], guid.data4[4], guid.data4[5],
                  guid.data4[6], guid.data4[7]);
    m_guidText = text;
}

void CGuidEntry::Evaluate(std::string_view /*captured*/) {
    m_replacement = m_guidText;
}

void CUpperCaseEntry::Evaluate(std::string_view captured) {
    m_replacement.assign(captured);
    // Only single-byte characters change: a trail byte in a..z belongs to a double-byte
    // character and must stay, or the character would turn into another one.
    for (std::size_t pos = 0; pos < m_replacement.size();) {
        std::size_t length = mbcs::CharLength(m_replacement, pos);
        if (length == 1) {
            char& c = m_replacement[pos];
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            } else if (c == '.') {
                c = '_';
            }
        }
        pos += length;
    }
}

CSubstitutionSet::CSubstitutionSet() {
    AddFunction(std::make_unique<CGuidEntry>(), kGuidKeyword, nullptr);
    AddFunction(std::make_unique<CUpperCaseEntry>(), kLargeKeyword, kLargePattern);
}

CSubstitutionSet::~CSubstitutionSet() = default;

CSubstitutionSet::Generation::Generation(CSubstitutionSet& set) : m_set(set) {
    m_set.BeginGeneration();
}

CSubstitutionSet::Generation::~Generation() {
    m_set.EndGeneration();
}

void CSubstitutionSet::AddKeyword(std::string_view keyword, std::string_view value) {
    auto entry = std::make_unique<CSubstitutionEntry>();
    entry->m_keyword = keyword;
    entry->m_value = value;
    entry->m_pattern = EscapePattern(keyword);
    m_keywordEntries.push_back(std::move(entry));
}

bool CSubstitutionSet::HasKeyword(std::string_view keyword) const {
    return std::any_of(m_keywordEntries.begin(), m_keywordEntries.end(),
                       [keyword](const auto& entry) { return entry->m_keyword == keyword; });
}

void CSubstitutionSet::SetKeywordValue(std::string_view keyword, std::string_view value) {
    for (auto& entry : m_keywordEntries) {
        if (entry->m_keyword == keyword) {
            entry->m_value = value;
            return;
        }
    }
}

void CSubstitutionSet::AddFunction(std::unique_ptr<CSubstitutionEntry> entry,
                                   std::string_view keyword, const char* pattern) {
    entry->m_keyword = keyword;
    entry->m_value.clear();
    entry->m_pattern = pattern != nullptr ? std::string(pattern) : EscapePattern(keyword);
    m_functionEntries.push_back(std::move(entry));
}

void CSubstitutionSet::BeginGeneration() {
    platform::BeginComUse();
    for (auto& entry : m_keywordEntries) {
        entry->Prepare();
    }
    for (auto& entry : m_functionEntries) {
        entry->Prepare();
    }
    m_compiled.clear();
    m_gaveUp.clear();
}

bool CSubstitutionSet::GaveUpBefore(const CSubstitutionEntry& entry) const {
    for (const GaveUpSearch& noted : m_gaveUp) {
        if (noted.templatePath == m_currentTemplate && noted.keyword == entry.m_keyword) {
            return true;
        }
    }
    return false;
}

void CSubstitutionSet::NoteGaveUp(const CSubstitutionEntry& entry) {
    if (!GaveUpBefore(entry)) {
        m_gaveUp.push_back({m_currentTemplate, entry.m_keyword});
    }
}

void CSubstitutionSet::EndGeneration() {
    m_compiled.clear();
    platform::EndComUse();
}

const CSubstitutionSet::GenerationPattern& CSubstitutionSet::PreparedPattern(
    const CSubstitutionEntry& entry) {
    auto found = m_compiled.find(&entry);
    if (found != m_compiled.end()) {
        return found->second;
    }
    // Entries' patterns do not change during a generation, so one compilation serves every
    // line; a pattern that does not compile is remembered as such too.
    GenerationPattern pattern{CompilePattern(PatternTextOf(entry), true), RequiredText(entry)};
    // A plain ASCII keyword matches exactly its bytes, and in double-byte mode only where a
    // character starts. Keywords with double-byte characters keep the expression, which
    // knows where their characters end.
    pattern.literal = pattern.compiled != nullptr && !entry.m_keyword.empty() &&
                      pattern.requiredText == entry.m_keyword &&
                      !mbcs::HasHighBytes(entry.m_keyword);
    return m_compiled.emplace(&entry, std::move(pattern)).first->second;
}

const CompiledPattern* CSubstitutionSet::PatternFor(const CSubstitutionEntry& entry,
                                                    std::string_view line) {
    const GenerationPattern& pattern = PreparedPattern(entry);
    if (!pattern.requiredText.empty() && line.find(pattern.requiredText) == line.npos) {
        return nullptr;
    }
    return pattern.compiled.get();
}

std::string CSubstitutionSet::EscapePattern(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size() * 2);
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t length = mbcs::CharLength(text, pos);
        if (length == 1 && IsEscapedByte(text[pos])) {
            escaped.push_back('\\');
        }
        escaped.append(text.substr(pos, length));
        pos += length;
    }
    return escaped;
}

bool CSubstitutionSet::Substitute(std::string_view line, CSubstitutionEntry& entry,
                                  std::string& out) {
    if (PreparedPattern(entry).literal) {
        return SubstituteLiteral(line, entry, out);
    }
    const CompiledPattern* compiled = PatternFor(entry, line);
    if (compiled == nullptr) {
        return false;  // no match here, or a keyword that is no valid expression
    }
    // A keyword whose search gave up once in this file is not searched again there: each
    // search that gives up costs its whole bound, and a file of such lines would take hours.
    // The user learns of the keyword all the same.
    if (GaveUpBefore(entry)) {
        return false;
    }

    SubjectSearch search(*compiled, line);
    if (!search.Find(0)) {
        if (search.GaveUp()) {
            NoteGaveUp(entry);
        }
        return false;
    }
    std::string& result = out;
    result.clear();
    const bool hasGroup = compiled->GroupCount() > 0;
    std::size_t pos = 0;
    bool found = true;
    bool afterEmptyMatch = false;
    while (true) {
        if (!found) {
            if (!afterEmptyMatch) {
                break;
            }
            // An empty match must not stop the search where it stands: like Perl's s///g,
            // step over one whole character and search on.
            std::size_t length = mbcs::CharLength(line, pos);
            result.append(line.substr(pos, length));
            pos += length;
            afterEmptyMatch = false;
        } else {
            MatchSpan match = search.Group(0);
            result.append(line.substr(pos, match.begin - pos));
            std::string_view captured;
            if (hasGroup) {
                MatchSpan group = search.Group(1);
                if (group.matched && group.end > group.begin) {
                    captured = line.substr(group.begin, group.end - group.begin);
                }
            }
            entry.Evaluate(captured);
            result.append(entry.m_replacement);
            afterEmptyMatch = match.begin == match.end;
            pos = match.end;
        }
        if (pos >= line.size()) {
            break;
        }
        found = search.Find(pos, afterEmptyMatch);
        if (!found && search.GaveUp()) {
            NoteGaveUp(entry);  // the rest of the line stays as it is
            break;
        }
    }
    if (pos < line.size()) {
        result.append(line.substr(pos));
    }
    return true;
}

bool CSubstitutionSet::SubstituteLiteral(std::string_view line, CSubstitutionEntry& entry,
                                         std::string& out) {
    const std::string_view keyword = entry.m_keyword;
    std::size_t pos = 0;       // where the copying of the line stands
    std::size_t boundary = 0;  // a known character start, never beyond the next hit
    bool found = false;
    for (std::size_t hit = line.find(keyword); hit != line.npos;
         hit = line.find(keyword, hit + 1)) {
        // A byte that cannot be a trail byte always starts a character; otherwise walk the
        // characters from the last known start. The walk never goes back, so a line costs
        // one pass however many hits it has.
        if (mbcs::IsTrailByte(static_cast<unsigned char>(line[hit]))) {
            while (boundary < hit) {
                boundary += mbcs::CharLength(line, boundary);
            }
            if (boundary != hit) {
                continue;
            }
        }
        if (!found) {
            out.clear();
            found = true;
        }
        out.append(line.substr(pos, hit - pos));
        entry.Evaluate({});
        out.append(entry.m_replacement);
        pos = hit + keyword.size();
        boundary = pos;
        hit = pos - 1;  // the search goes on after the replaced keyword
    }
    if (found) {
        out.append(line.substr(pos));
    }
    return found;
}

std::string CSubstitutionSet::ExpandLine(std::string_view line) {
    std::string expanded;
    AppendExpandedLine(line, expanded);
    return expanded;
}

void CSubstitutionSet::AppendExpandedLine(std::string_view line, std::string& out) {
    // Most lines hold no keyword at all: they are copied once, straight into the output.
    std::string_view current = line;
    auto apply = [&](CSubstitutionEntry& entry) {
        if (Substitute(current, entry, m_nextLine)) {
            m_currentLine.swap(m_nextLine);
            current = m_currentLine;
        }
    };
    for (auto& entry : m_keywordEntries) {
        apply(*entry);
    }
    for (auto& entry : m_functionEntries) {
        apply(*entry);
    }
    out.append(current);
}

bool CSubstitutionSet::ExpandTemplate(std::string_view templatePath, std::string& output) {
    // A template whose expansion does not fit in memory fails like one that cannot be read:
    // nothing is written, and the caller reports it.
    m_currentTemplate = templatePath;
    try {
        DecodedText decoded;
        if (!ReadEncodedTextFile(templatePath, decoded) || !decoded.lossless) {
            return false;
        }
        const std::string& text = decoded.cp932;
        // Lines are expanded whole, however long, with their line feed; NUL bytes are data.
        std::string expanded;
        expanded.reserve(text.size() + text.size() / 4);
        for (std::string_view line : SplitLines(text, LineFeeds::kKeep)) {
            AppendExpandedLine(line, expanded);
        }
        output = EncodeTextFile(expanded, decoded.encoding);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace tavrin
