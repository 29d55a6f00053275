#include "engine/TemplateTable.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <tuple>
#include <utility>

#include "engine/IniFile.h"
#include "engine/Mbcs.h"
#include "engine/TextEncoding.h"
#include "platform/TextFile.h"

namespace tavrin {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// A line of a section cut at its first "=", both sides trimmed of white space.
struct KeyValue {
    std::string key;
    std::string value;
    int line = 0;  // in the file, from 1
};

// Removes white space, then double quotes, from the start, then white space, then double
// quotes, from the end. Quotes thus protect blanks inside them.
std::string TrimValue(std::string_view text) {
    // A double quote is never a trail byte, so stripping quotes byte by byte is safe.
    std::string_view rest = mbcs::TrimWhiteSpaceLeft(text);
    rest.remove_prefix(std::min(rest.find_first_not_of('"'), rest.size()));
    rest = mbcs::TrimWhiteSpaceRight(rest);
    std::size_t last = rest.find_last_not_of('"');
    return std::string(rest.substr(0, last == std::string_view::npos ? 0 : last + 1));
}

// The first two fields of a value, each trimmed by TrimValue. Commas are skipped as a
// tokenizer skips delimiters, so an empty field can never stand before a non-empty one, and
// a third field is ignored.
std::pair<std::string, std::string> CutFields(std::string_view value) {
    mbcs::Tokenizer fields(value, ',');
    std::string first = TrimValue(fields.Next().value_or(std::string_view()));
    std::string second = TrimValue(fields.Next().value_or(std::string_view()));
    return {std::move(first), std::move(second)};
}

// The lines of `section` of the table that have a non-empty key; empty when there is none.
// `headerLine`, when given, gets the number of the section's header line (0 when the section
// is missing).
std::vector<KeyValue> ReadSection(const IniDocument& table, std::string_view section,
                                  int* headerLine) {
    std::vector<KeyValue> lines;
    std::vector<IniLine> numbered;
    int header = 0;
    table.ReadSectionLines(section, numbered, header);
    if (headerLine != nullptr) {
        *headerLine = header;
    }
    for (const IniLine& line : numbered) {
        std::string_view text = line.text;
        std::size_t separator = mbcs::FindChar(text, '=');
        std::string_view key = mbcs::TrimWhiteSpace(text.substr(0, separator));
        std::string_view value = separator == std::string_view::npos
                                     ? std::string_view()
                                     : mbcs::TrimWhiteSpace(text.substr(separator + 1));
        if (!key.empty()) {
            lines.push_back({std::string(key), std::string(value), line.number});
        }
    }
    return lines;
}

// The keyword as the key stands (quotes and all), with its description and value.
CTemplateKeyword ParseKeywordLine(const KeyValue& line) {
    CTemplateKeyword record;
    record.keyword = line.key;
    std::tie(record.firstField, record.value) = CutFields(line.value);
    record.line = line.line;
    record.singleField = !record.firstField.empty() && mbcs::FindChar(line.value, ',') == npos;
    return record;
}

// The entry of one "Template" line, with the keywords of its section.
CTemplateEntry ParseTemplateLine(const IniDocument& table, const KeyValue& line) {
    CTemplateEntry entry;
    entry.name = TrimValue(line.key);
    std::tie(entry.headerTemplate, entry.sourceTemplate) = CutFields(line.value);
    entry.line = line.line;
    for (const KeyValue& keywordLine : ReadSection(table, entry.name, &entry.sectionLine)) {
        entry.keywords.push_back(ParseKeywordLine(keywordLine));
    }
    return entry;
}

}  // namespace

void CTemplateTable::SetFileName(std::string_view path) {
    m_fileName = path;
}

bool CTemplateTable::Load() {
    m_entries.clear();
    std::string bytes;
    return platform::ReadFileBytes(m_fileName, bytes) && LoadBytes(bytes);
}

bool CTemplateTable::LoadBytes(std::string_view bytes) {
    m_entries.clear();
    m_dropped.clear();
    m_lineOutsideCp932 = 0;
    // A table saved in UTF-8 or UTF-16 behind a byte order mark is read as code page 932.
    const DecodedText decoded = DecodeText(bytes);
    const IniDocument table(platform::DecodeTextMode(decoded.cp932));
    for (const KeyValue& line : ReadSection(table, "Template", nullptr)) {
        CTemplateEntry entry = ParseTemplateLine(table, line);
        (entry.keywords.empty() ? m_dropped : m_entries).push_back(std::move(entry));
    }
    if (!decoded.lossless) {
        const std::vector<int> lost = LinesOutsideCp932(bytes);
        auto isLost = [&lost](int number) {
            return std::binary_search(lost.begin(), lost.end(), number);
        };
        for (const CTemplateEntry& entry : m_entries) {
            int first = isLost(entry.line) ? entry.line : 0;
            for (const CTemplateKeyword& keyword : entry.keywords) {
                first = first == 0 && isLost(keyword.line) ? keyword.line : first;
            }
            if (first != 0 && (m_lineOutsideCp932 == 0 || first < m_lineOutsideCp932)) {
                m_lineOutsideCp932 = first;
            }
        }
        if (m_lineOutsideCp932 != 0) {
            m_entries.clear();
        }
    }
    return !m_entries.empty();
}

int CTemplateTable::GetCount() const {
    return static_cast<int>(m_entries.size());
}

const CTemplateEntry& CTemplateTable::GetAt(int index) const {
    assert(index >= 0 && index < GetCount());
    return m_entries[static_cast<std::size_t>(index)];
}

const CTemplateEntry* CTemplateTable::FindEntry(std::string_view name) const {
    for (const CTemplateEntry& entry : m_entries) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

const CTemplateKeyword* CTemplateTable::FindKeyword(std::string_view templateName,
                                                    std::string_view keyword) const {
    const CTemplateEntry* entry = FindEntry(templateName);
    if (entry == nullptr) {
        return nullptr;
    }
    for (const CTemplateKeyword& record : entry->keywords) {
        if (record.keyword == keyword) {
            return &record;
        }
    }
    return nullptr;
}

std::string ResolveTemplateFile(std::string_view tablePath, std::string_view written,
                                const std::function<bool(std::string_view)>& exists) {
    // "\" and "/" separate on both systems, since tables written on Windows say "tpl\a.txt".
    const bool absolute = (!written.empty() && (written[0] == '\\' || written[0] == '/')) ||
                          (written.size() > 1 && written[1] == ':');
    // The table's folder ends at its last separator, found character by character so that
    // the trail byte 0x5C of a double-byte character is not taken for one.
    std::size_t folderEnd = 0;
    for (std::size_t i = 0; i < tablePath.size(); i += mbcs::CharLength(tablePath, i)) {
        if (tablePath[i] == '\\' || tablePath[i] == '/') {
            folderEnd = i + 1;
        }
    }
    if (absolute || written.empty() || folderEnd == 0) {
        return std::string(written);
    }
    std::string besideTable = std::string(tablePath.substr(0, folderEnd)) + std::string(written);
    return exists(besideTable) ? besideTable : std::string(written);
}

}  // namespace tavrin
