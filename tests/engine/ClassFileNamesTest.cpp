#include "engine/ClassFileNames.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(DeriveFileNames, DropsOnlyLeadingUpperCaseC) {
    const struct {
        std::string_view derived, header, source;
    } cases[] = {
        {"CMyDlg", "MyDlg.h", "MyDlg.cpp"},
        {"CCView", "View.h", "View.cpp"},
        {"cView", "cView.h", "cView.cpp"},
        {" CView", " CView.h", " CView.cpp"},
        {"ACDlg", "ACDlg.h", "ACDlg.cpp"},
        {"CCC", "", ""},
        {"", "", ""},
        {"C\x95\x5c", "\x95\x5c.h", "\x95\x5c.cpp"},
    };
    for (const auto& c : cases) {
        const ClassFileNames names = DeriveFileNames(c.derived);
        EXPECT_EQ(names.header + "|" + names.source,
                  std::string(c.header) + "|" + std::string(c.source))
            << c.derived;
    }
}

}  // namespace
}  // namespace tavrin
