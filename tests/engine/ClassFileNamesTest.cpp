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
        std::string header = "old", source = "old";
        DeriveFileNames(c.derived, header, source);
        EXPECT_EQ(header, c.header) << c.derived;
        EXPECT_EQ(source, c.source) << c.derived;
    }
}

}  // namespace
}  // namespace tavrin
