// The dialogs as the resource compiler wrote them into the executable, read back from the
// binary template: every control's ID, class, style bits, caption and rectangle in dialog
// units, in template order (which is the tab order).
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/StringTable.h"
#include "shell/win32/Win32Text.h"
#include "win32/WindowTestSupport.h"

namespace {

struct TemplateItem {
    int id = 0;
    std::wstring windowClass;  // "Button", "Edit", "Static", "ListBox", "ComboBox" or a name
    DWORD style = 0;
    DWORD exStyle = 0;
    std::wstring title;  // or "#<ordinal>"
    int x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    int cx = 0, cy = 0;
    std::wstring title;
    int pointSize = 0;
    std::wstring typeface;
    std::vector<TemplateItem> items;
};

class Reader {
public:
    explicit Reader(const BYTE* at) : m_at(at) {}
    template <class T>
    T Take() {
        T value;
        std::memcpy(&value, m_at, sizeof value);
        m_at += sizeof value;
        return value;
    }
    std::wstring SzOrOrdinal() {
        const auto first = Take<std::uint16_t>();
        if (first == 0) {
            return {};
        }
        if (first == 0xFFFF) {
            const auto ordinal = Take<std::uint16_t>();
            switch (ordinal) {
                case 0x80:
                    return L"Button";
                case 0x81:
                    return L"Edit";
                case 0x82:
                    return L"Static";
                case 0x83:
                    return L"ListBox";
                case 0x85:
                    return L"ComboBox";
                default:
                    return L"#" + std::to_wstring(ordinal);
            }
        }
        std::wstring text(1, static_cast<wchar_t>(first));
        for (auto c = Take<std::uint16_t>(); c != 0; c = Take<std::uint16_t>()) {
            text += static_cast<wchar_t>(c);
        }
        return text;
    }
    void AlignDword(const BYTE* base) {
        while ((m_at - base) % 4 != 0) {
            ++m_at;
        }
    }
    const BYTE* At() const { return m_at; }
    void Skip(std::size_t n) { m_at += n; }

private:
    const BYTE* m_at;
};

DialogTemplate LoadTemplate(int id) {
    DialogTemplate result;
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));
    if (found == nullptr) {
        ADD_FAILURE() << "no dialog resource " << id;
        return result;
    }
    const auto* base = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    Reader r(base);
    EXPECT_EQ(r.Take<std::uint16_t>(), 1);       // extended template
    EXPECT_EQ(r.Take<std::uint16_t>(), 0xFFFF);  // its signature
    r.Take<DWORD>();                             // help ID
    result.exStyle = r.Take<DWORD>();
    result.style = r.Take<DWORD>();
    const auto count = r.Take<std::uint16_t>();
    r.Take<std::int16_t>();
    r.Take<std::int16_t>();
    result.cx = r.Take<std::int16_t>();
    result.cy = r.Take<std::int16_t>();
    r.SzOrOrdinal();  // menu
    r.SzOrOrdinal();  // class
    result.title = r.SzOrOrdinal();
    if ((result.style & DS_SETFONT) != 0) {
        result.pointSize = r.Take<std::uint16_t>();
        r.Take<std::uint16_t>();
        r.Take<BYTE>();
        r.Take<BYTE>();
        result.typeface = r.SzOrOrdinal();
    }
    for (int i = 0; i < count; ++i) {
        r.AlignDword(base);
        TemplateItem item;
        r.Take<DWORD>();
        item.exStyle = r.Take<DWORD>();
        item.style = r.Take<DWORD>();
        item.x = r.Take<std::int16_t>();
        item.y = r.Take<std::int16_t>();
        item.cx = r.Take<std::int16_t>();
        item.cy = r.Take<std::int16_t>();
        item.id = static_cast<std::int32_t>(r.Take<DWORD>());
        item.windowClass = r.SzOrOrdinal();
        item.title = r.SzOrOrdinal();
        r.Skip(r.Take<std::uint16_t>());
        result.items.push_back(item);
    }
    return result;
}

std::wstring W(const char* utf8) {
    return tavrin::testing::WideFromUtf8(utf8);
}

struct ExpectedItem {
    int id;
    const wchar_t* windowClass;
    DWORD mask;   // the style bits that matter for this kind of control
    DWORD value;  // their expected state
    const char* title;
    int x, y, cx, cy;
};

constexpr DWORD kLabelMask = SS_TYPEMASK | SS_CENTERIMAGE | SS_NOTIFY | WS_GROUP | WS_TABSTOP |
                             WS_CHILD | WS_VISIBLE | WS_DISABLED;
constexpr DWORD kLeftLabel = SS_LEFT | SS_CENTERIMAGE | WS_GROUP | WS_CHILD | WS_VISIBLE;
constexpr DWORD kRightLabel = SS_RIGHT | SS_CENTERIMAGE | WS_GROUP | WS_CHILD | WS_VISIBLE;
constexpr DWORD kEditMask =
    ES_AUTOHSCROLL | ES_MULTILINE | WS_BORDER | WS_TABSTOP | WS_CHILD | WS_VISIBLE | WS_DISABLED;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_CHILD | WS_VISIBLE;
constexpr DWORD kButtonMask = BS_TYPEMASK | WS_TABSTOP | WS_CHILD | WS_VISIBLE | WS_DISABLED;
constexpr DWORD kListMask = LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | LBS_DISABLENOSCROLL |
                            LBS_MULTIPLESEL | WS_VSCROLL | WS_BORDER | WS_TABSTOP | WS_CHILD |
                            WS_VISIBLE;
constexpr DWORD kList = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_DISABLENOSCROLL | WS_VSCROLL |
                        WS_BORDER | WS_TABSTOP | WS_CHILD | WS_VISIBLE;
constexpr DWORD kComboMask = 0xF | CBS_SORT | WS_VSCROLL | WS_TABSTOP | WS_CHILD | WS_VISIBLE;
constexpr DWORD kCombo = CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP | WS_CHILD | WS_VISIBLE;
constexpr DWORD kStaticMask = SS_TYPEMASK | WS_GROUP | WS_CHILD | WS_VISIBLE;

// clang-format off
const ExpectedItem kMainDialog[] = {
    {-1, L"Static", kLabelMask, kLeftLabel, "テンプレート(&T) :", 3, 3, 88, 12},
    {2010, L"ListBox", kListMask, kList, "", 3, 17, 181, 97},
    {-1, L"Static", kLabelMask, kRightLabel, "出力先フォルダ名(&F) :", 3, 120, 76, 12},
    {2008, L"Edit", kEditMask, kEdit, "", 81, 120, 92, 12},
    {-1, L"Static", kLabelMask, kRightLabel, "派成クラス名(&D) :", 3, 152, 76, 12},
    {2005, L"Edit", kEditMask, kEdit, "", 81, 152, 103, 12},
    {-1, L"Static", kLabelMask, kRightLabel, "ヘッダファイル名(&H) :", 3, 168, 76, 12},
    {2006, L"Edit", kEditMask, kEdit, "", 81, 168, 103, 12},
    {-1, L"Static", kLabelMask, kRightLabel, "ソースファイル名(&C) :", 3, 184, 76, 12},
    {2007, L"Edit", kEditMask, kEdit, "", 81, 184, 103, 12},
    {2012, L"Static", kLabelMask, kRightLabel, "リソースファイル名(&O) :", 3, 200, 76, 12},
    {2009, L"Edit", kEditMask, kEdit, "", 81, 200, 92, 12},
    {2002, L"Button", kButtonMask, BS_PUSHBUTTON | WS_TABSTOP | WS_CHILD | WS_VISIBLE, "...", 173, 200, 11, 12},
    {2011, L"Static", kLabelMask, kRightLabel, "ダイアログリソースID(&R) :", 3, 216, 76, 12},
    {2003, L"ComboBox", kComboMask, kCombo, "", 81, 216, 103, 63},
    {2000, L"Button", kButtonMask, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_CHILD | WS_VISIBLE, "ジェネレート", 3, 234, 50, 20},
    {2013, L"Button", kButtonMask, BS_AUTOCHECKBOX | WS_TABSTOP | WS_CHILD | WS_VISIBLE, "プロジェクトに追加(&P)", 57, 238, 76, 12},
    {1, L"Button", kButtonMask, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_CHILD | WS_VISIBLE, "閉じる", 134, 234, 50, 20},
    {-1, L"Static", kLabelMask, kRightLabel, "基本クラス名(&B) :", 3, 136, 76, 12},
    {2004, L"Edit", kEditMask, kEdit, "", 81, 136, 103, 12},
    {2001, L"Button", kButtonMask, BS_PUSHBUTTON | WS_TABSTOP | WS_CHILD | WS_VISIBLE, "...", 173, 120, 11, 12},
};

const ExpectedItem kAboutBox[] = {
    {1, L"Button", kButtonMask, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_CHILD | WS_VISIBLE, "閉じる", 164, 2, 39, 14},
    {8002, L"Static", kStaticMask, SS_LEFT | WS_GROUP | WS_CHILD | WS_VISIBLE, "Program Name", 45, 4, 113, 10},
    {8003, L"Static", kStaticMask, SS_LEFT | WS_GROUP | WS_CHILD | WS_VISIBLE, "Version ", 45, 17, 113, 10},
    {-1, L"Static", kStaticMask, SS_LEFT | WS_GROUP | WS_CHILD | WS_VISIBLE, "Copyright (C) 2026 Tavrin Project", 45, 31, 120, 10},
    {8004, L"Static", SS_TYPEMASK | WS_CHILD | WS_VISIBLE, SS_ICON | WS_CHILD | WS_VISIBLE, "#302", 15, 11, 20, 20},
    {-1, L"Static", SS_TYPEMASK | WS_CHILD | WS_VISIBLE, SS_BITMAP | WS_CHILD | WS_VISIBLE, "#8001", 8, 47, 191, 69},
    {-1, L"Static", kStaticMask, SS_LEFT | WS_GROUP | WS_CHILD | WS_VISIBLE, "バグ報告、ご意見、ご感想連絡先 :", 33, 54, 114, 10},
    {8005, L"Static", kStaticMask | SS_NOTIFY, SS_LEFT | WS_GROUP | WS_CHILD | WS_VISIBLE, "feedback@tavrin.example", 55, 69, 125, 10},
    {-1, L"Static", kStaticMask, SS_LEFT | WS_GROUP | WS_CHILD | WS_VISIBLE, "最新版、その他情報 :", 33, 85, 114, 10},
    {8006, L"Static", kStaticMask | SS_NOTIFY, SS_LEFT | WS_GROUP | WS_CHILD | WS_VISIBLE, "https://www.tavrin.example/", 55, 98, 125, 10},
};
// clang-format on

void ExpectItems(const DialogTemplate& dialog, const ExpectedItem* expected, std::size_t count) {
    ASSERT_EQ(dialog.items.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
        const TemplateItem& item = dialog.items[i];
        const ExpectedItem& want = expected[i];
        SCOPED_TRACE("item " + std::to_string(i) + " (ID " + std::to_string(want.id) + ")");
        EXPECT_EQ(static_cast<std::int16_t>(item.id), want.id);
        EXPECT_EQ(_wcsicmp(item.windowClass.c_str(), want.windowClass), 0);
        EXPECT_EQ(item.style & want.mask, want.value) << std::hex << item.style;
        EXPECT_EQ(item.title, W(want.title));
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
    }
}

TEST(DialogTemplate, MainDialogHoldsEveryControlInTabOrder) {
    const DialogTemplate dialog = LoadTemplate(301);
    EXPECT_EQ(dialog.title, L"Tavrin");
    EXPECT_EQ(dialog.typeface, W("ＭＳ Ｐゴシック"));
    EXPECT_EQ(dialog.pointSize, 9);
    EXPECT_EQ(dialog.cx, 187);
    EXPECT_EQ(dialog.cy, 257);
    const DWORD required = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    EXPECT_EQ(dialog.style & required, required);
    EXPECT_EQ(dialog.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD), 0U);
    EXPECT_NE(dialog.exStyle & WS_EX_APPWINDOW, 0U);
    ExpectItems(dialog, kMainDialog, std::size(kMainDialog));
}

TEST(DialogTemplate, AboutBoxHoldsItsPictureIconAndLinks) {
    const DialogTemplate dialog = LoadTemplate(8000);
    EXPECT_EQ(dialog.title, W("ﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(dialog.typeface, W("ＭＳ Ｐゴシック"));
    EXPECT_EQ(dialog.pointSize, 9);
    EXPECT_EQ(dialog.cx, 206);
    EXPECT_EQ(dialog.cy, 119);
    const DWORD required = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    EXPECT_EQ(dialog.style & required, required);
    ExpectItems(dialog, kAboutBox, std::size(kAboutBox));
    ASSERT_EQ(dialog.items.size(), std::size(kAboutBox));
    EXPECT_NE(dialog.items[5].exStyle & WS_EX_CLIENTEDGE, 0U);
}

TEST(DialogTemplate, BitmapAndIconAreTheDrawings) {
    auto* bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(8001), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 330);
    EXPECT_EQ(info.bmHeight, 100);
    DeleteObject(bitmap);
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(302));
    EXPECT_NE(icon, nullptr);
    EXPECT_NE(FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)), nullptr)
        << "no application manifest";
}

// The string table is generated from the same source the program compiles in.
TEST(DialogTemplate, StringTableMatchesTheCompiledInTexts) {
    for (int id = 500; id <= 514; ++id) {
        SCOPED_TRACE(id);
        const wchar_t* text = nullptr;
        const int length = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id),
                                       reinterpret_cast<wchar_t*>(&text), 0);
        ASSERT_GT(length, 0);
        EXPECT_EQ(std::wstring(text, static_cast<std::size_t>(length)),
                  tavrin::shell::win32::Wide(tavrin::LoadText(id)));
    }
}

}  // namespace
