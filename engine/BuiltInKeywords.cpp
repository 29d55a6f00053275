#include "engine/BuiltInKeywords.h"

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
        if (!set.HasKeyword(builtIn.first)) {
            set.AddKeyword(builtIn.first, builtIn.second);
        }
    }
}

}  // namespace tavrin
