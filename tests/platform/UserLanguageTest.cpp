#include "platform/UserLanguage.h"

#include <gtest/gtest.h>

#include "support/ScopedEnv.h"

namespace tavrin::platform {
namespace {

TEST(UserLanguageTest, MapsLocaleNamesToLanguageIds) {
    const struct {
        const char* locale;
        std::uint16_t id;
    } cases[] = {
        {"ja_JP.UTF-8", 0x0411},
        {"en_US.UTF-8", 0x0409},
        {"zh_TW.Big5", 0x0404},
        {"de_AT@euro", 0x0C07},
        {"de_BE.UTF-8", 0x0407},  // a territory Windows has no ID for: the main form
        {"fr_CA.UTF-8", 0x0C0C},
        {"C", 0x0409},
        {"", 0x0409},
        {"tlh_XX.UTF-8", kLocaleWithoutLanguageId},
        {"ja_JP_extra", 0x0411},
        {"JA_JP", kLocaleWithoutLanguageId},  // names are case-sensitive, as the C library's
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LanguageIdFromLocale(c.locale), c.id) << c.locale;
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
