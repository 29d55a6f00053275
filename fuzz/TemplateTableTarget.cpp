// The template table from any bytes: every listed template is found by its name (the first
// of that name), with its keywords.
#include "engine/TemplateTable.h"
#include "fuzz/FuzzTargets.h"

namespace tavrin::fuzz {

int FuzzTemplateTable(const std::uint8_t* data, std::size_t size) {
    CTemplateTable table;
    const bool loaded =
        table.LoadBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    Check(loaded == (table.GetCount() > 0), "Load is true exactly when a template was loaded");
    for (int i = 0; i < table.GetCount(); ++i) {
        const CTemplateEntry& entry = table.GetAt(i);
        Check(!entry.keywords.empty(), "a template without keywords is left out");
        const CTemplateEntry* found = table.FindEntry(entry.name);
        Check(found != nullptr && found->name == entry.name, "every template is found");
        for (const CTemplateKeyword& keyword : entry.keywords) {
            Check(!keyword.keyword.empty(), "a keyword is never empty");
            Check(table.FindKeyword(entry.name, keyword.keyword) != nullptr,
                  "every keyword is found");
        }
    }
    return 0;
}

}  // namespace tavrin::fuzz
