#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Files in INI form: a line whose text starts with "[" and holds a "]" opens the section named
// between them, and the lines up to the next such line belong to it. The template table reads
// the sections of its bytes through an IniDocument, the settings file is read and written
// through ReadIniString and WriteIniString.
//
// The files are code page 932 text read and written in text mode (CR LF or LF in, CR LF out),
// or UTF-8 or UTF-16 behind a byte order mark, which the writer keeps.
// Section and key names are compared ignoring ASCII letter case; a double-byte character is
// compared exactly, so two characters whose trail bytes differ only as "A" and "a" differ.
// Names asked for are trimmed of white space as the names in the file are. When a section
// occurs more than once, only its first occurrence counts.
//
// Lines whose first non-blank character is ";" are comments. They are never delivered nor
// taken for keys, so that a table or a settings file can be annotated without the comment
// turning into a template, a keyword or a setting; the writer keeps them where they are.
namespace tavrin {

// One line of a section, with its line number in the file (from 1).
struct IniLine {
    int number = 0;
    std::string text;
};

// The text of one INI file (text mode, line feeds only), split into lines once, with every
// section found in one pass: reading many sections of one file costs one reading of it. The
// functions below work on a document as on the file it came from.
class IniDocument {
public:
    explicit IniDocument(std::string text);
    // The lines view the text: a copy or a move would leave them pointing into the old one.
    IniDocument(const IniDocument&) = delete;
    IniDocument& operator=(const IniDocument&) = delete;

    // Every line of section `section`, in file order, trimmed of white space at both ends,
    // quotes and "=" untouched; blank lines and comments are left out. A section of any size
    // is read whole. `headerLine` is the number of the line that opens the section, 0 when it
    // is missing. False when the section is missing or has no such line.
    bool ReadSectionLines(std::string_view section, std::vector<IniLine>& lines,
                          int& headerLine) const;

    // ReadIniString and WriteIniString on the text; WriteString returns the changed text, or
    // nothing when the names or the value cannot be stored, and writes nothing.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    std::optional<std::string> WriteString(std::string_view section, std::string_view key,
                                           std::string_view value) const;

    // Line indices of a section's body: [begin, end).
    struct SectionBody {
        std::size_t begin = 0;
        std::size_t end = 0;
    };

private:
    std::optional<SectionBody> FindSection(std::string_view section) const;

    std::string m_text;
    std::vector<std::string_view> m_lines;                    // views into m_text
    std::unordered_map<std::string, SectionBody> m_sections;  // by folded name
};

// The value of the first line "key=value" of section `section`, trimmed of white space; when
// the trimmed value starts and ends with a double quote, that one pair of quotes is removed
// (WriteIniString quotes values that would otherwise lose blanks or quotes). `defaultValue`
// when the file, the section or the key is missing.
std::string ReadIniString(std::string_view path, std::string_view section, std::string_view key,
                          std::string_view defaultValue);

// Sets `key` of `section` to `value`. Creates the file and the section when missing; replaces
// the value of the key's first line in place, keeping the line's spelling of the key and its
// spacing around "="; adds a missing key after the section's last non-blank line. Every other
// line, comment and blank line stays as it was. The file is replaced atomically, so a failed
// write leaves the old file intact. False when the file exists but cannot be read, when it
// cannot be written, or when the names or the value cannot be stored in INI form: a line
// break anywhere, an empty key or one holding "=" or starting with ";" or "[", a section
// name holding "]" or ending in a lead byte without its trail byte.
bool WriteIniString(std::string_view path, std::string_view section, std::string_view key,
                    std::string_view value);

}  // namespace tavrin
