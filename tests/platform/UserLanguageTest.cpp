#include "platform/UserLanguage.h"

#include <gtest/gtest.h>

#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace tavrin::platform {
namespace {

TEST(UserLanguageTest, MapsLocaleNamesToLanguageIds) {
    static_assert(kLocaleWithoutLanguageId == 0x1000, "as the fixture has it");
    for (const std::vector<std::string>& c : testing::ReadCases("names/locale-language.txt")) {
        EXPECT_EQ(LanguageIdFromLocale(c[0]), std::stoi(c[1], nullptr, 16)) << c[0];
    }
}

using testing::ScopedEnv;

TEST(UserLanguageTest, TheFirstSetLocaleVariableDecides) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows takes the language from the user's locale, not the environment";
#endif
    ScopedEnv all("LC_ALL", "ko_KR.UTF-8");
    ScopedEnv messages("LC_MESSAGES", "de_DE.UTF-8");
    ScopedEnv lang("LANG", "ja_JP.UTF-8");
    EXPECT_EQ(UserDefaultLanguageId(), 0x0412);
    {
        ScopedEnv emptyAll("LC_ALL", "");
        EXPECT_EQ(UserDefaultLanguageId(), 0x0407);
        ScopedEnv noMessages("LC_MESSAGES", std::nullopt);
        EXPECT_EQ(UserDefaultLanguageId(), 0x0411);
        ScopedEnv noLang("LANG", std::nullopt);
        EXPECT_EQ(UserDefaultLanguageId(), 0x0409);
    }
}

}  // namespace
}  // namespace tavrin::platform
