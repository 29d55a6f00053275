// The dialogs as the resource compiler wrote them into the executable, read back from the
// binary template and compared with tests/fixtures/win32/dialogs.txt: every control's ID,
// class, caption, rectangle in dialog units and style bits, in template order (which is the
// tab order).
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/StringTable.h"
#include "shell/win32/Win32Text.h"
#include "support/TempDir.h"
#include "win32/WindowTestSupport.h"

namespace {

using Row = std::vector<std::string>;

class Reader {
public:
    explicit Reader(const BYTE* base) : m_base(base), m_at(base) {}
    template <class T>
    T Take() {
        T value;
        std::memcpy(&value, m_at, sizeof value);
        m_at += sizeof value;
        return value;
    }
    // A string, or an ordinal: a control class's by its name, another as "#<ordinal>".
    std::string SzOrOrdinal() {
        std::wstring text;
        auto first = Take<std::uint16_t>();
        if (first == 0xFFFF) {
            const auto ordinal = Take<std::uint16_t>();
            const char* kClasses[] = {"Button", "Edit", "Static", "ListBox", "#132", "ComboBox"};
            return ordinal >= 0x80 && ordinal <= 0x85 ? kClasses[ordinal - 0x80]
                                                      : "#" + std::to_string(ordinal);
        }
        for (; first != 0; first = Take<std::uint16_t>()) {
            text += static_cast<wchar_t>(first);
        }
        return tavrin::testing::Utf8(text);
    }
    void AlignDword() { m_at += (4 - (m_at - m_base) % 4) % 4; }
    void Skip(std::size_t n) { m_at += n; }

private:
    const BYTE* m_base;
    const BYTE* m_at;
};

std::string Hex(DWORD bits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(bits));
    return text;
}

// The extended dialog template `id` as the fixture's rows: the dialog, then its controls.
std::vector<Row> TemplateRows(int id) {
    std::vector<Row> rows;
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));
    if (found == nullptr) {
        ADD_FAILURE() << "no dialog resource " << id;
        return rows;
    }
    Reader r(static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found))));
    EXPECT_EQ(r.Take<std::uint16_t>(), 1);       // extended template
    EXPECT_EQ(r.Take<std::uint16_t>(), 0xFFFF);  // its signature
    r.Take<DWORD>();                             // help ID
    const auto exStyle = r.Take<DWORD>();
    const auto style = r.Take<DWORD>();
    const auto count = r.Take<std::uint16_t>();
    r.Skip(4);  // x, y
    const auto cx = r.Take<std::int16_t>();
    const auto cy = r.Take<std::int16_t>();
    r.SzOrOrdinal();  // menu
    r.SzOrOrdinal();  // class
    const std::string title = r.SzOrOrdinal();
    std::string pointSize, typeface;
    if ((style & DS_SETFONT) != 0) {
        pointSize = std::to_string(r.Take<std::uint16_t>());
        r.Skip(4);  // weight, italic, character set
        typeface = r.SzOrOrdinal();
    }
    rows.push_back({"dialog", std::to_string(id), title, std::to_string(cx), std::to_string(cy),
                    pointSize, typeface, Hex(style), Hex(exStyle)});
    for (int i = 0; i < count; ++i) {
        r.AlignDword();
        r.Take<DWORD>();  // help ID
        const auto itemExStyle = r.Take<DWORD>();
        const auto itemStyle = r.Take<DWORD>();
        Row item{"control"};
        for (int j = 0; j < 4; ++j) {
            item.push_back(std::to_string(r.Take<std::int16_t>()));  // x, y, cx, cy
        }
        item.insert(item.begin() + 1, std::to_string(static_cast<std::int32_t>(r.Take<DWORD>())));
        item.insert(item.begin() + 2, r.SzOrOrdinal());  // class
        item.insert(item.begin() + 3, r.SzOrOrdinal());  // caption
        item.push_back(Hex(itemStyle));
        item.push_back(Hex(itemExStyle));
        r.Skip(r.Take<std::uint16_t>());  // creation data
        rows.push_back(item);
    }
    return rows;
}

TEST(DialogTemplate, DialogsHoldEveryControlInTabOrder) {
    const std::vector<Row> expected = tavrin::testing::ReadCases("win32/dialogs.txt");
    std::vector<Row> actual;
    for (const Row& row : expected) {
        if (row[0] == "dialog") {
            for (Row& read : TemplateRows(std::stoi(row[1]))) {
                actual.push_back(std::move(read));
            }
        }
    }
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i], expected[i]) << "row " << i;
    }
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
    EXPECT_NE(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(302)), nullptr);
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
