#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/LocalDate.h"

namespace tavrin {

class CSubstitutionSet;

// The built-in keywords with their values on `date` for the account `user` (code page 932), in
// the order they are added: "$$DATE$$" as 2026/01/05, "$$YEAR$$" as 2026, "$$USER$$".
std::vector<std::pair<std::string_view, std::string>> BuiltInKeywordValues(
    const platform::LocalDate& date, std::string_view user);

// Adds the built-in keywords, with today's date and the account's name, after the keywords
// already in `set`, so that they apply after the template's own and a value of those may hold
// them. One that the template declares itself is left out: its own value is the only one. Once
// per generation, so that both files carry the same date.
void AddBuiltInKeywords(CSubstitutionSet& set);

}  // namespace tavrin
