#include "engine/IniFile.h"

#include <cstddef>
#include <optional>
#include <utility>

#include "engine/Mbcs.h"
#include "engine/TextEncoding.h"
#include "engine/TextLines.h"
#include "platform/FileStatus.h"
#include "platform/TextFile.h"

namespace tavrin {

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool IsComment(std::string_view line) {
    std::string_view trimmed = mbcs::TrimWhiteSpaceLeft(line);
    return !trimmed.empty() && trimmed.front() == ';';
}

// The name a section header line opens, or nothing for any other line. "]" can be the trail
// byte of a double-byte character, hence the character-wise search.
std::optional<std::string_view> SectionName(std::string_view line) {
    std::string_view trimmed = mbcs::TrimWhiteSpace(line);
    if (trimmed.empty() || trimmed.front() != '[') {
        return std::nullopt;
    }
    std::size_t close = mbcs::FindChar(trimmed, ']', 1);
    if (close == npos) {
        return std::nullopt;
    }
    return mbcs::TrimWhiteSpace(trimmed.substr(1, close - 1));
}

// Position of the "=" that makes `line` a key line, or npos for a comment or a line without.
std::size_t KeySeparator(std::string_view line) {
    return IsComment(line) ? npos : mbcs::FindChar(line, '=');
}

// Section and key names folded for comparison: single-byte letters lowered, double-byte
// characters kept exactly. Folding never changes a lead byte, so two names fold alike exactly
// when EqualsIgnoringAsciiCase holds between them.
std::string FoldName(std::string_view name) {
    std::string folded(name);
    for (std::size_t pos = 0; pos < folded.size();) {
        const std::size_t length = mbcs::CharLength(folded, pos);
        if (length == 1) {
            folded[pos] = mbcs::ToLowerAscii(folded[pos]);
        }
        pos += length;
    }
    return folded;
}

// Index of the first line of `body` whose key is `key`, or npos.
std::size_t FindKey(const std::vector<std::string_view>& lines, IniDocument::SectionBody body,
                    std::string_view key) {
    key = mbcs::TrimWhiteSpace(key);
    for (std::size_t index = body.begin; index < body.end; ++index) {
        std::size_t separator = KeySeparator(lines[index]);
        if (separator != npos &&
            mbcs::EqualsIgnoringAsciiCase(mbcs::TrimWhiteSpace(lines[index].substr(0, separator)),
                                          key)) {
            return index;
        }
    }
    return npos;
}

bool IsQuoted(std::string_view value) {
    return value.size() >= 2 && value.front() == '"' && value.back() == '"';
}

// A value the reader would change (blanks at an end, or a quote at both ends) is written in
// one more pair of quotes, which the reader removes again.
std::string FormatValue(std::string_view value) {
    const bool needsQuotes =
        !value.empty() &&
        (mbcs::IsWhiteSpace(static_cast<unsigned char>(value.front())) ||
         mbcs::IsWhiteSpace(static_cast<unsigned char>(value.back())) || IsQuoted(value));
    return needsQuotes ? "\"" + std::string(value) + "\"" : std::string(value);
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != npos;
}

// True when the last byte of `text` is a lead byte standing alone. Written before "]", such a
// byte would take the bracket as its trail byte, and the header line would name no section.
bool EndsWithLoneLeadByte(std::string_view text) {
    std::size_t pos = 0;
    std::size_t last = 1;
    while (pos < text.size()) {
        last = mbcs::CharLength(text, pos);
        pos += last;
    }
    return !text.empty() && last == 1 && mbcs::IsLeadByte(static_cast<unsigned char>(text.back()));
}

bool CanStore(std::string_view section, std::string_view key, std::string_view value) {
    std::string_view trimmedKey = mbcs::TrimWhiteSpace(key);
    return !HasLineBreak(section) && !HasLineBreak(key) && !HasLineBreak(value) &&
           mbcs::FindChar(section, ']') == npos &&
           !EndsWithLoneLeadByte(mbcs::TrimWhiteSpace(section)) && !trimmedKey.empty() &&
           mbcs::FindChar(key, '=') == npos && trimmedKey.front() != ';' &&
           trimmedKey.front() != '[';
}

}  // namespace

IniDocument::IniDocument(std::string text)
    : m_text(std::move(text)), m_lines(SplitLines(m_text, LineFeeds::kDrop)) {
    // One pass finds every section, so that looking up many of them costs no more than
    // reading the file: the first occurrence of a name wins.
    std::optional<std::string> open;
    for (std::size_t index = 0; index <= m_lines.size(); ++index) {
        std::optional<std::string_view> name =
            index < m_lines.size() ? SectionName(m_lines[index]) : std::string_view();
        if (!name) {
            continue;
        }
        if (open) {
            m_sections.at(*open).end = index;
            open.reset();
        }
        if (index < m_lines.size()) {
            std::string folded = FoldName(*name);
            if (m_sections.emplace(folded, SectionBody{index + 1, index + 1}).second) {
                open = std::move(folded);
            }
        }
    }
}

std::optional<IniDocument::SectionBody> IniDocument::FindSection(std::string_view section) const {
    auto found = m_sections.find(FoldName(mbcs::TrimWhiteSpace(section)));
    if (found == m_sections.end()) {
        return std::nullopt;
    }
    return found->second;
}

bool IniDocument::ReadSectionLines(std::string_view section, std::vector<IniLine>& lines,
                                   int& headerLine) const {
    lines.clear();
    headerLine = 0;
    std::optional<SectionBody> body = FindSection(section);
    if (!body) {
        return false;
    }
    headerLine = static_cast<int>(body->begin);  // the header is the line before the body
    for (std::size_t index = body->begin; index < body->end; ++index) {
        std::string_view line = mbcs::TrimWhiteSpace(m_lines[index]);
        if (!line.empty() && !IsComment(line)) {
            lines.push_back({static_cast<int>(index) + 1, std::string(line)});
        }
    }
    return !lines.empty();
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    std::optional<SectionBody> body = FindSection(section);
    std::size_t index = body ? FindKey(m_lines, *body, key) : npos;
    if (index == npos) {
        return std::string(defaultValue);
    }
    std::string_view line = m_lines[index];
    std::string_view value = mbcs::TrimWhiteSpace(line.substr(KeySeparator(line) + 1));
    if (IsQuoted(value)) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

std::optional<std::string> IniDocument::WriteString(std::string_view section, std::string_view key,
                                                    std::string_view value) const {
    if (!CanStore(section, key, value)) {
        return std::nullopt;
    }
    std::vector<std::string_view> lines = m_lines;
    std::string changed;  // owns a rewritten line or a new section, as `lines` only views
    std::optional<SectionBody> body = FindSection(section);
    const std::string newKeyLine =
        std::string(mbcs::TrimWhiteSpace(key)) + "=" + FormatValue(value);
    if (!body) {
        changed = "[" + std::string(mbcs::TrimWhiteSpace(section)) + "]\n" + newKeyLine;
        lines.push_back(changed);
    } else if (std::size_t index = FindKey(lines, *body, key); index != npos) {
        // Keep everything up to the value: the key as spelled and the blanks after "=".
        std::string_view line = lines[index];
        std::size_t valueStart = KeySeparator(line) + 1;
        valueStart = line.size() - mbcs::TrimWhiteSpaceLeft(line.substr(valueStart)).size();
        changed = std::string(line.substr(0, valueStart)) + FormatValue(value);
        lines[index] = changed;
    } else {
        std::size_t insertAt = body->begin;
        for (std::size_t index = body->begin; index < body->end; ++index) {
            if (!mbcs::TrimWhiteSpace(lines[index]).empty()) {
                insertAt = index + 1;
            }
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), newKeyLine);
    }

    std::string output;
    for (std::string_view line : lines) {
        output.append(line);
        output.push_back('\n');
    }
    return output;
}

std::string ReadIniString(std::string_view path, std::string_view section, std::string_view key,
                          std::string_view defaultValue) {
    DecodedText text;
    if (!ReadEncodedTextFile(path, text)) {
        return std::string(defaultValue);
    }
    return IniDocument(std::move(text.cp932)).ReadString(section, key, defaultValue);
}

bool WriteIniString(std::string_view path, std::string_view section, std::string_view key,
                    std::string_view value) {
    if (!CanStore(section, key, value)) {
        return false;
    }
    // A file that exists but cannot be read must not be replaced by one holding only this key,
    // nor one saved in Unicode by one that lost the characters code page 932 cannot hold.
    DecodedText text;
    if (platform::PathExists(path) && (!ReadEncodedTextFile(path, text) || !text.lossless)) {
        return false;
    }
    const TextEncoding encoding = text.encoding;
    std::optional<std::string> output =
        IniDocument(std::move(text.cp932)).WriteString(section, key, value);
    return output && platform::WriteFileAtomically(path, EncodeTextFile(*output, encoding));
}

}  // namespace tavrin
