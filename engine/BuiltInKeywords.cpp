#include "engine/BuiltInKeywords.h"

#include <algorithm>
#include <cstdio>

#include "engine/Keywords.h"
#include "engine/SubstitutionSet.h"
#include "platform/UserName.h"

namespace tavrin {

std::vector<std::pair<std::string_view, std::string>> BuiltInKeywordValues(
    const platform::LocalDate& date, std::string_view user) {
    char year[16];
    char monthAndDay[16];
    std::snprintf(year, sizeof year, "%04d", date.year);
    std::snprintf(monthAndDay, sizeof monthAndDay, "/%02d/%02d", date.month, date.day);
    return {{keywords::kDate, std::string(year) + monthAndDay},
            {keywords::kYear, year},
            {keywords::kUser, std::string(user)}};
}

void AddBuiltInKeywords(CSubstitutionSet& set) {
    for (const auto& builtIn :
         BuiltInKeywordValues(platform::Today(), platform::AccountUserName())) {
        const auto& declared = set.KeywordEntries();
        if (std::none_of(declared.begin(), declared.end(),
                         [&](const auto& entry) { return entry->m_keyword == builtIn.first; })) {
            set.AddKeyword(builtIn.first, builtIn.second);
        }
    }
}

}  // namespace tavrin
