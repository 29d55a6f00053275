#include "engine/StringTable.h"

#include <cstddef>
#include <vector>

#include "platform/CodePage.h"

namespace tavrin {

namespace {

struct StringEntry {
    int id;
    std::string text;
};

// Converted once, on first use: every caller wants code page 932 bytes, and the table is
// small enough that a linear search beats any index.
const std::vector<StringEntry>& Strings() {
    static const std::vector<StringEntry> table = [] {
        std::vector<StringEntry> entries;
#define TAVRIN_STRING(id, name, text) entries.push_back({id, platform::Utf8ToCp932(text)});
#include "res/strings.inc"
#undef TAVRIN_STRING
        return entries;
    }();
    return table;
}

}  // namespace

std::string LoadText(int id) {
    for (const StringEntry& entry : Strings()) {
        if (entry.id == id) {
            return entry.text;
        }
    }
    return {};
}

std::string FormatText(std::string_view format, std::span<const std::string_view> inserts) {
    // Scanning byte by byte is safe in code page 932: a trail byte is never below 0x40, so
    // a "%" byte is always the character "%", and the byte after it starts a character.
    std::string out;
    out.reserve(format.size());
    auto next = inserts.begin();
    for (std::size_t pos = 0; pos < format.size(); ++pos) {
        if (format[pos] != '%' || pos + 1 == format.size()) {
            out += format[pos];
            continue;
        }
        const char directive = format[pos + 1];
        if (directive == 's') {
            if (next != inserts.end()) {
                out += *next++;
            }
            ++pos;
        } else if (directive == '%') {
            out += '%';
            ++pos;
        } else {
            out += '%';
        }
    }
    return out;
}

std::string FormatString(int id, std::span<const std::string_view> inserts) {
    return FormatText(LoadText(id), inserts);
}

}  // namespace tavrin
