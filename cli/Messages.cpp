#include "cli/Messages.h"

#include <span>
#include <vector>

#include "engine/StringTable.h"
#include "platform/CodePage.h"
#include "platform/UserLanguage.h"

namespace tavrin::cli {

namespace {

struct Translation {
    std::string_view english;
    std::string japanese;  // code page 932
};

// po/ja.po as the build turned it into a table (po/po-to-table.cmake), UTF-8 like the string
// table's source, and converted to code page 932 on first use as the string table is.
const std::vector<Translation>& Japanese() {
    static const std::vector<Translation> table = [] {
        std::vector<Translation> entries;
#define TAVRIN_MESSAGE(english, japanese) \
    entries.push_back({english, platform::Utf8ToCp932(japanese)});
#include "cli/MessagesJa.inc"
#undef TAVRIN_MESSAGE
        return entries;
    }();
    return table;
}

bool UserReadsJapanese() {
    // The primary language, whatever the country: ja_JP, and Japanese on any Windows.
    constexpr std::uint16_t kPrimaryLanguageMask = 0x3FF;
    constexpr std::uint16_t kJapanese = 0x11;
    constexpr std::uint16_t kEnglish = 0x09;
    static const bool japanese = [] {
        // LANGUAGE first, as gettext reads it: the first language listed that the program
        // speaks wins; the others have no catalog.
        for (std::uint16_t id : platform::PreferredMessageLanguages()) {
            const std::uint16_t primary = id & kPrimaryLanguageMask;
            if (primary == kJapanese || primary == kEnglish) {
                return primary == kJapanese;
            }
        }
        return (platform::UserDefaultLanguageId() & kPrimaryLanguageMask) == kJapanese;
    }();
    return japanese;
}

}  // namespace

std::string_view Tr(std::string_view english) {
    if (UserReadsJapanese()) {
        for (const Translation& translation : Japanese()) {
            if (translation.english == english) {
                return translation.japanese;
            }
        }
    }
    return english;
}

std::string TrFormat(std::string_view english, std::initializer_list<std::string_view> inserts) {
    return FormatText(Tr(english), std::span(inserts.begin(), inserts.size()));
}

}  // namespace tavrin::cli
