#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// tavrin-cli's own words in the user's language: Japanese for a user whose language is
// Japanese, English for everyone else. The English text is the message ID, as GNU gettext
// has it; po/ja.po holds the Japanese, compiled into the program, so that one catalog serves
// every system and nothing needs installing beside the program. (The string table's messages
// are Japanese for everyone, as the dialog shows them.)
namespace tavrin::cli {

// The text of `english` for the user, in code page 932. xgettext extracts the literal given.
std::string_view Tr(std::string_view english);

// Marks `english` for the catalog where the text is looked up later (with Tr).
constexpr std::string_view TrMark(std::string_view english) {
    return english;
}

// Tr with each "%s" filled by the next insert (FormatText).
std::string TrFormat(std::string_view english, std::initializer_list<std::string_view> inserts);

}  // namespace tavrin::cli
