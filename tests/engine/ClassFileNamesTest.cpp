#include "engine/ClassFileNames.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

// Only the class prefix goes: one "C" that a lower-case letter does not follow. Names that
// once lost every leading "C" (CConfigDlg, CCustomEdit, Circle) are kept here.
TEST(DeriveFileNames, DropsOneClassPrefix) {
    const struct {
        std::string_view derived, header, source;
    } cases[] = {
        {"CMyDlg", "MyDlg.h", "MyDlg.cpp"},
        {"CConfigDlg", "ConfigDlg.h", "ConfigDlg.cpp"},
        {"CCustomToolTipCtrl", "CustomToolTipCtrl.h", "CustomToolTipCtrl.cpp"},
        {"CCView", "CView.h", "CView.cpp"},
        {"Circle", "Circle.h", "Circle.cpp"},
        {"cView", "cView.h", "cView.cpp"},
        {" CView", " CView.h", " CView.cpp"},
        {"ACDlg", "ACDlg.h", "ACDlg.cpp"},
        {"C_Dlg", "_Dlg.h", "_Dlg.cpp"},
        {"C1", "1.h", "1.cpp"},
        {"C", "", ""},
        {"", "", ""},
        // C設定Dlg and C表: a double-byte character after the prefix, one with the trail byte 0x5C.
        {"C\x90\xdd\x92\xe8"
         "Dlg",
         "\x90\xdd\x92\xe8"
         "Dlg.h",
         "\x90\xdd\x92\xe8"
         "Dlg.cpp"},
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
