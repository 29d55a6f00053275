#include "engine/TemplateCheck.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <set>
#include <utility>

#include "engine/Keywords.h"
#include "engine/Mbcs.h"
#include "engine/StringTable.h"
#include "engine/TemplateTable.h"
#include "engine/TextEncoding.h"
#include "platform/CodePage.h"
#include "platform/FileStatus.h"
#include "platform/TextFile.h"

namespace tavrin {

namespace {

constexpr std::string_view kGuidKeyword = "$$GUID()$$";
constexpr std::string_view kLargeOpen = "$$LARGE(";
constexpr std::string_view kLargeClose = ")$$";

// Keywords that fill the dialog's boxes and name the output files: declaring one has an
// effect even when no template file uses it.
constexpr std::string_view kRequestKeywords[] = {
    keywords::kBasicClassName, keywords::kDerivedClassName, keywords::kHeaderFileName,
    keywords::kSourceFileName, keywords::kDialogResourceId};

bool IsNameByte(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        auto lead = static_cast<unsigned char>(text[pos]);
        std::size_t length = lead < 0x80                    ? 1
                             : lead >= 0xC2 && lead <= 0xDF ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
        if (length == 0 || pos + length > text.size()) {
            return false;
        }
        for (std::size_t i = 1; i < length; ++i) {
            if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80) {
                return false;
            }
        }
        pos += length;
    }
    return true;
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

class Checker {
public:
    Checker(std::string_view tablePath, std::string_view tableName)
        : m_tablePath(tablePath), m_tableName(tableName) {}

    std::vector<CheckFinding> Run();

private:
    // `message` is a literal, extracted for the catalogs of the front ends' languages.
    void Report(std::string_view file, int line, std::string_view message,
                std::vector<std::string> inserts = {},
                CheckFinding::Kind kind = CheckFinding::Kind::kProblem) {
        m_files.emplace(std::string(file), m_files.size());
        m_findings.push_back({std::string(file), line, kind, message, std::move(inserts)});
    }

    void CheckEncoding(std::string_view file, std::string_view bytes);
    void CheckTable(const CTemplateTable& table);
    // The template file's code page 932 text; false, with the problem reported, when there is
    // none to be had.
    bool ReadTemplate(const CTemplateEntry& entry, std::string_view path, bool header,
                      std::string& text);
    void CheckTemplateText(const CTemplateEntry& entry, std::string_view path,
                           std::string_view text);
    void CheckUnusedKeywords(const CTemplateEntry& entry, std::string_view usedText);

    std::string m_tablePath;
    std::string m_tableName;
    std::map<std::string, std::size_t> m_files;  // file -> its place in the report
    std::set<std::string> m_encodingChecked;
    std::vector<CheckFinding> m_findings;
};

void Checker::CheckEncoding(std::string_view file, std::string_view bytes) {
    if (!m_encodingChecked.insert(std::string(file)).second) {
        return;
    }
    // A UTF-32 mark starts like UTF-16's; read as UTF-16, no keyword in it is ever found.
    if (bytes.starts_with(std::string_view("\xFF\xFE\0\0", 4)) ||
        bytes.starts_with(std::string_view("\0\0\xFE\xFF", 4))) {
        Report(file, 1,
               "saved in UTF-32, which is not read as such: its keywords are copied as they "
               "are; save it in UTF-8 or UTF-16");
        return;
    }
    const std::vector<int> lines = LinesOutsideCp932(bytes);
    if (lines.empty()) {
        return;
    }
    const bool cp932 = EncodingOfMark(bytes) == TextEncoding::kCp932;
    const int first = lines.front();
    const std::string count = std::to_string(lines.size());
    if (!cp932) {
        if (lines.size() == 1) {
            Report(file, first, "a character that code page 932 cannot hold");
        } else {
            Report(file, first, "a character that code page 932 cannot hold (%s lines in all)",
                   {count});
        }
    } else if (IsValidUtf8(bytes)) {
        if (lines.size() == 1) {
            Report(file, first,
                   "bytes that are not code page 932; the file looks like UTF-8 saved without a "
                   "byte order mark");
        } else {
            Report(file, first,
                   "bytes that are not code page 932 (%s lines in all); the file looks like UTF-8 "
                   "saved without a byte order mark",
                   {count});
        }
    } else if (lines.size() == 1) {
        Report(file, first, "bytes that are not code page 932");
    } else {
        Report(file, first, "bytes that are not code page 932 (%s lines in all)", {count});
    }
}

void Checker::CheckTable(const CTemplateTable& table) {
    for (const CTemplateEntry& entry : table.Dropped()) {
        if (entry.sectionLine == 0) {
            Report(m_tableName, entry.line, "template \"%s\" is left out: there is no section [%s]",
                   {entry.name, entry.name});
        } else {
            Report(m_tableName, entry.line,
                   "template \"%s\" is left out: its section [%s] (line %s) has no keyword line",
                   {entry.name, entry.name, std::to_string(entry.sectionLine)});
        }
    }
    std::map<std::string, int> templates;
    for (int i = 0; i < table.GetCount(); ++i) {
        const CTemplateEntry& entry = table.GetAt(i);
        auto [first, isNew] = templates.emplace(entry.name, entry.line);
        if (!isNew) {
            Report(m_tableName, entry.line,
                   "template \"%s\" is named again (first on line %s); this one is never used",
                   {entry.name, std::to_string(first->second)});
            continue;  // the same section: its keywords are reported once
        }
        std::map<std::string, int> keywords;
        for (const CTemplateKeyword& keyword : entry.keywords) {
            auto [declared, isNewKeyword] = keywords.emplace(keyword.keyword, keyword.line);
            if (!isNewKeyword) {
                Report(m_tableName, keyword.line,
                       "keyword %s is declared again in [%s] (first on line %s); this one is "
                       "never used",
                       {keyword.keyword, entry.name, std::to_string(declared->second)});
            }
            if (keyword.singleField) {
                Report(m_tableName, keyword.line,
                       "keyword %s has an empty value: its line has one field; probably meant "
                       "\"%s = description, %s\"",
                       {keyword.keyword, keyword.keyword, keyword.firstField});
            }
        }
    }
}

bool Checker::ReadTemplate(const CTemplateEntry& entry, std::string_view path, bool header,
                           std::string& text) {
    std::string bytes;
    if (path.empty()) {
        if (header) {
            Report(m_tableName, entry.line, "template \"%s\" names no header template",
                   {entry.name});
        } else {
            Report(m_tableName, entry.line, "template \"%s\" names no source template",
                   {entry.name});
        }
        return false;
    }
    const std::string file = ResolveTemplateFile(m_tablePath, path, platform::PathExists);
    if (!platform::ReadFileBytes(file, bytes)) {
        if (header) {
            Report(m_tableName, entry.line,
                   "header template \"%s\" of \"%s\" is missing or cannot be read",
                   {std::string(path), entry.name});
        } else {
            Report(m_tableName, entry.line,
                   "source template \"%s\" of \"%s\" is missing or cannot be read",
                   {std::string(path), entry.name});
        }
        return false;
    }
    CheckEncoding(path, bytes);
    text = platform::DecodeTextMode(DecodeText(bytes).cp932);
    return true;
}

void Checker::CheckTemplateText(const CTemplateEntry& entry, std::string_view path,
                                std::string_view text) {
    int number = 0;
    for (std::string_view line : Lines(text)) {
        ++number;
        std::size_t large = line.find(kLargeOpen);
        if (large != std::string_view::npos &&
            line.find(kLargeClose, large + kLargeOpen.size()) == std::string_view::npos) {
            Report(path, number, "$$LARGE( without )$$ on its line: it is copied as it is");
        }
        // '$' is never a trail byte, and a name's bytes follow a '$', so a byte scan is safe.
        for (std::size_t pos = line.find("$$"); pos != std::string_view::npos;
             pos = line.find("$$", pos)) {
            if (pos > 0 && line[pos - 1] == ')') {
                pos += 2;  // the end of "$$GUID()$$" or of a "$$LARGE(" text
                continue;
            }
            std::size_t end = pos + 2;
            while (end < line.size() && IsNameByte(line[end])) {
                ++end;
            }
            if (end == pos + 2 || line.substr(end, 2) != "$$") {
                ++pos;
                continue;
            }
            std::string_view token = line.substr(pos, end + 2 - pos);
            pos = end + 2;
            bool declared =
                std::any_of(entry.keywords.begin(), entry.keywords.end(),
                            [&](const CTemplateKeyword& k) { return k.keyword == token; }) ||
                std::find(std::begin(keywords::kBuiltIn), std::end(keywords::kBuiltIn), token) !=
                    std::end(keywords::kBuiltIn);
            if (declared) {
                continue;
            }
            std::string closest(kGuidKeyword);
            std::size_t best = EditDistance(token, closest);
            auto consider = [&](std::string_view keyword) {
                std::size_t distance = EditDistance(token, keyword);
                if (distance < best) {
                    best = distance;
                    closest = keyword;
                }
            };
            for (const CTemplateKeyword& keyword : entry.keywords) {
                consider(keyword.keyword);
            }
            for (std::string_view keyword : keywords::kBuiltIn) {
                consider(keyword);
            }
            Report(path, number,
                   "%s is no keyword of \"%s\" and is copied as it is; closest keyword: %s",
                   {std::string(token), entry.name, closest});
        }
    }
}

void Checker::CheckUnusedKeywords(const CTemplateEntry& entry, std::string_view usedText) {
    for (const CTemplateKeyword& keyword : entry.keywords) {
        if (std::find(std::begin(kRequestKeywords), std::end(kRequestKeywords), keyword.keyword) !=
            std::end(kRequestKeywords)) {
            continue;
        }
        // A keyword can also reach the output through the value of one before it.
        bool inValue = std::any_of(
            entry.keywords.begin(), entry.keywords.end(), [&](const CTemplateKeyword& other) {
                return &other != &keyword && other.value.find(keyword.keyword) != std::string::npos;
            });
        if (!inValue && usedText.find(keyword.keyword) == std::string_view::npos) {
            Report(m_tableName, keyword.line,
                   "keyword %s of \"%s\" is used in neither template file",
                   {keyword.keyword, entry.name}, CheckFinding::Kind::kNote);
        }
    }
}

std::vector<CheckFinding> Checker::Run() {
    m_files.emplace(m_tableName, 0);
    std::string bytes;
    if (!platform::ReadFileBytes(m_tablePath, bytes)) {
        Report(m_tableName, 0, "the template table cannot be read");
        return m_findings;
    }
    CheckEncoding(m_tableName, bytes);
    CTemplateTable table;
    table.SetFileName(m_tablePath);
    if (!table.Load() && table.Dropped().empty() && table.LineOutsideCp932() == 0) {
        Report(m_tableName, 1, "no template: there is no section [Template] with a template line");
    }
    CheckTable(table);
    std::set<std::string> seen;
    for (int i = 0; i < table.GetCount(); ++i) {
        const CTemplateEntry& entry = table.GetAt(i);
        if (!seen.insert(entry.name).second) {
            continue;
        }
        std::string header;
        std::string source;
        bool hasHeader = ReadTemplate(entry, entry.headerTemplate, true, header);
        bool hasSource = ReadTemplate(entry, entry.sourceTemplate, false, source);
        if (hasHeader) {
            CheckTemplateText(entry, entry.headerTemplate, header);
        }
        if (hasSource) {
            CheckTemplateText(entry, entry.sourceTemplate, source);
        }
        if (hasHeader && hasSource) {
            CheckUnusedKeywords(entry, header + source);
        }
    }
    std::stable_sort(m_findings.begin(), m_findings.end(),
                     [&](const CheckFinding& a, const CheckFinding& b) {
                         std::size_t fileA = m_files.at(a.file);
                         std::size_t fileB = m_files.at(b.file);
                         return fileA != fileB ? fileA < fileB : a.line < b.line;
                     });
    // A template file two templates share can give the same finding twice.
    m_findings.erase(std::unique(m_findings.begin(), m_findings.end(),
                                 [](const CheckFinding& a, const CheckFinding& b) {
                                     return a.file == b.file && a.line == b.line &&
                                            a.message == b.message && a.inserts == b.inserts;
                                 }),
                     m_findings.end());
    return m_findings;
}

}  // namespace

std::vector<CheckFinding> CheckTemplateSet(std::string_view tablePath, std::string_view tableName) {
    return Checker(tablePath, tableName).Run();
}

std::string FormatFinding(const CheckFinding& finding,
                          std::string_view (*translate)(std::string_view)) {
    const auto translated = [translate](std::string_view english) {
        return translate != nullptr ? translate(english) : english;
    };
    std::vector<std::string_view> inserts(finding.inserts.begin(), finding.inserts.end());
    std::string text = FormatText(translated(finding.message), inserts);
    if (finding.kind == CheckFinding::Kind::kNote) {
        const std::string_view note[] = {text};
        text = FormatText(translated("note: %s"), note);
    }
    return finding.file + ":" + std::to_string(finding.line) + ": " + text;
}

}  // namespace tavrin
