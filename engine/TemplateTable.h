#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The template table file "template.tbl" in INI form. Its section "Template" lists the
// templates, one line each: name = header template file, source template file. The section
// named after a template lists that template's keywords: keyword = first field, value.
//
// Names are looked up byte for byte, although a template's section is found ignoring ASCII
// letter case. Repeated templates and repeated keywords stay in file order and the first one
// wins every lookup.
namespace tavrin {

// One keyword line of a template's section.
struct CTemplateKeyword {
    std::string keyword;     // never empty; quotes around it belong to it
    std::string firstField;  // its description; tavrin-cli's show lists it
    std::string value;       // empty when the line has fewer than two fields
    int line = 0;            // in the table file, from 1
    // The line has no comma at all: its one field went to firstField, so the value is empty
    // although the author most likely meant it as the value.
    bool singleField = false;
};

// One template: a line of the "Template" section with the keywords of its own section.
struct CTemplateEntry {
    std::string name;
    std::string sourceTemplate;  // second field of the line, used as written
    std::string headerTemplate;  // first field of the line, used as written
    std::vector<CTemplateKeyword> keywords;
    int line = 0;         // of its line in "Template", from 1
    int sectionLine = 0;  // of its section's header line; 0 when there is no such section
};

class CTemplateTable {
public:
    // Stores the path of the table file; reads nothing.
    void SetFileName(std::string_view path);
    const std::string& FileName() const { return m_fileName; }

    // Empties the table and reads it again. A template whose section yields no keyword is left
    // out. True when at least one template was loaded. The file is read once, whatever the
    // number of templates.
    bool Load();

    // Load on the bytes of a table file instead of the file.
    bool LoadBytes(std::string_view bytes);

    int GetCount() const;
    // `index` from 0 to GetCount() - 1.
    const CTemplateEntry& GetAt(int index) const;

    // The first line of a loaded template (its "Template" line or a keyword line) with a
    // character code page 932 cannot hold, in a table saved in Unicode; 0 when there is none.
    // Such a table is refused as a whole, as a template file with one is: its value would be
    // written as "?" or a look-alike.
    int LineOutsideCp932() const { return m_lineOutsideCp932; }

    // The templates the last Load left out because their sections gave no keyword.
    const std::vector<CTemplateEntry>& Dropped() const { return m_dropped; }

    // The first template named `name`, or null.
    const CTemplateEntry* FindEntry(std::string_view name) const;
    // The first record of `keyword` in the first template named `templateName`, or null.
    const CTemplateKeyword* FindKeyword(std::string_view templateName,
                                        std::string_view keyword) const;

private:
    std::vector<CTemplateEntry> m_entries;
    std::vector<CTemplateEntry> m_dropped;
    std::string m_fileName;
    int m_lineOutsideCp932 = 0;
};

// Where the template file that the table at `tablePath` names as `written` is. A relative
// name means the file beside the table, wherever the current directory has moved since; only
// when `exists` finds nothing there does it stay as written, and so resolve against the
// current directory, as tables that rely on that still expect.
std::string ResolveTemplateFile(std::string_view tablePath, std::string_view written,
                                const std::function<bool(std::string_view)>& exists);

}  // namespace tavrin
