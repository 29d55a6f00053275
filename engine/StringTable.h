#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace tavrin {

// The program's own messages and titles, numbered as the resource script numbers them, so
// that the engine can report a message ID and the shell can show it.
enum StringId : int {
#define TAVRIN_STRING(id, name, text) name = (id),
#include "res/strings.inc"
#undef TAVRIN_STRING
};

// The text of string `id` in code page 932, or an empty string when there is no such string.
// (Not LoadString: that name is a macro on Windows.)
std::string LoadText(int id);

// Fills each "%s" of `format` with the next insert, as CString::Format does for text
// arguments; "%%" gives "%". A "%s" with no insert left gives nothing, rather than reading
// past the arguments. Inserts are copied as they are: a "%" inside one is never interpreted.
// Any other "%" is copied unchanged.
std::string FormatText(std::string_view format, std::span<const std::string_view> inserts);

// FormatText on string `id`. (Not FormatMessage: that name is a macro on Windows.)
std::string FormatString(int id, std::span<const std::string_view> inserts);
inline std::string FormatString(int id, std::initializer_list<std::string_view> inserts) {
    return FormatString(id, std::span(inserts.begin(), inserts.size()));
}

}  // namespace tavrin
