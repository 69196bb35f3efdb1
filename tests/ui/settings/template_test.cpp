// The settings dialog template as the executable holds it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "res/resource.h"

namespace {

struct Item {
    DWORD style;
    short x, y, cx, cy;
    WORD id;
    std::wstring cls; // predefined classes as "#0080" etc.
};

struct Template {
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
    std::wstring caption;
    WORD pointSize;
    std::wstring font;
    std::vector<Item> items;
};

// The resource compiler may name a predefined class or give its ordinal; both make the same
// control, so compare ordinals.
std::wstring ClassOrdinal(std::wstring name) {
    for (auto& c : name)
        c = towupper(c);
    if (name == L"BUTTON")
        return L"#0080";
    if (name == L"EDIT")
        return L"#0081";
    if (name == L"STATIC")
        return L"#0082";
    return name;
}

// Reads a sz_Or_Ord field and moves past it.
std::wstring ReadSzOrOrd(const WORD*& p) {
    if (*p == 0xFFFF) {
        wchar_t buf[8];
        swprintf(buf, 8, L"#%04X", p[1]);
        p += 2;
        return buf;
    }
    std::wstring s(reinterpret_cast<const wchar_t*>(p));
    p += s.size() + 1;
    return s;
}

Template LoadTemplate(int id) {
    HRSRC res = FindResourceA(nullptr, MAKEINTRESOURCEA(id), RT_DIALOG);
    const auto* base = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, res)));
    const auto* t = reinterpret_cast<const DLGTEMPLATE*>(base);
    Template out{t->style, t->dwExtendedStyle, t->x, t->y, t->cx, t->cy, {}, 0, {}, {}};
    const WORD* p = reinterpret_cast<const WORD*>(t + 1);
    ReadSzOrOrd(p); // menu
    ReadSzOrOrd(p); // class
    out.caption = ReadSzOrOrd(p);
    if (t->style & DS_SETFONT) {
        out.pointSize = *p++;
        out.font = ReadSzOrOrd(p);
    }
    for (int i = 0; i < t->cdit; ++i) {
        auto addr = reinterpret_cast<ULONG_PTR>(p);
        p = reinterpret_cast<const WORD*>((addr + 3) & ~ULONG_PTR(3));
        const auto* it = reinterpret_cast<const DLGITEMTEMPLATE*>(p);
        Item item{it->style, it->x, it->y, it->cx, it->cy, it->id, {}};
        p = reinterpret_cast<const WORD*>(it + 1);
        item.cls = ClassOrdinal(ReadSzOrOrd(p));
        ReadSzOrOrd(p);        // title
        p += 1 + (*p + 1) / 2; // creation data
        out.items.push_back(item);
    }
    return out;
}

} // namespace

TEST(SettingsTemplate, HoldsEveryControlInOrderWithItsPlaceAndStyle) {
    const Item expected[] = {
        {0x50010001, 134, 92, 46, 14, IDOK, L"#0080"},
        {0x50010000, 134, 134, 46, 14, IDCANCEL, L"#0080"},
        {0x50812002, 64, 39, 23, 12, 1010, L"#0081"},
        {0x50812002, 45, 78, 19, 12, 1012, L"#0081"},
        {0x50812002, 103, 78, 20, 12, 1014, L"#0081"},
        {0x50020002, 13, 42, 47, 8, 1033, L"#0082"},
        {0x50020202, 13, 78, 24, 13, 1029, L"#0082"},
        {0x50020202, 69, 78, 23, 13, 1030, L"#0082"},
        {0x500000AA, 59, 39, 9, 14, 1011, L"MSCTLS_UPDOWN32"},
        {0x50020000, 89, 42, 28, 8, 1034, L"#0082"},
        {0x5000002A, 36, 78, 9, 14, 1013, L"MSCTLS_UPDOWN32"},
        {0x5000002A, 95, 78, 9, 14, 1015, L"MSCTLS_UPDOWN32"},
        {0x50000307, 7, 66, 118, 60, 1031, L"#0080"},
        {0x50000307, 7, 27, 118, 32, 1032, L"#0080"},
        {0x50020000, 13, 94, 108, 28, 1028, L"#0082"},
        {0x50010003, 150, 12, 30, 10, 1017, L"#0080"},
        {0x50020202, 128, 53, 23, 8, 1027, L"#0082"},
        {0x50020202, 129, 33, 23, 8, 1023, L"#0082"},
        {0x50810080, 156, 29, 24, 14, 1035, L"#0081"},
        {0x50810080, 156, 50, 24, 14, 1037, L"#0081"},
        {0x50010880, 37, 12, 26, 12, 1016, L"#0081"},
        {0x50020000, 17, 12, 14, 8, 0xFFFF, L"#0082"},
        {0x50020000, 76, 12, 15, 8, 0xFFFF, L"#0082"},
        {0x50010800, 94, 12, 26, 12, 1039, L"#0081"},
        {0x50010000, 134, 71, 46, 14, 1040, L"#0080"},
        {0x50010000, 7, 134, 46, 14, 1042, L"#0080"},
        {0x50010000, 71, 134, 46, 14, 1043, L"#0080"},
        {0x50010000, 134, 113, 46, 14, 1044, L"#0080"},
        {0x5000002A, 153, 28, 9, 14, 1047, L"MSCTLS_UPDOWN32"},
        {0x5000002A, 154, 48, 9, 14, 1048, L"MSCTLS_UPDOWN32"},
    };
    Template t = LoadTemplate(IDD_SETUP);
    EXPECT_EQ(t.style, 0x80C800C0u);
    EXPECT_EQ(t.exStyle, 0u);
    EXPECT_EQ(t.x, 0);
    EXPECT_EQ(t.y, 0);
    EXPECT_EQ(t.cx, 193);
    EXPECT_EQ(t.cy, 153);
    EXPECT_EQ(t.caption, L"PNP Setup V3.6");
    EXPECT_EQ(t.pointSize, 10);
    EXPECT_EQ(t.font, L"System");
    ASSERT_EQ(t.items.size(), std::size(expected));
    for (size_t i = 0; i < t.items.size(); ++i) {
        const Item& a = t.items[i];
        const Item& e = expected[i];
        EXPECT_EQ(a.id, e.id) << "item " << i;
        EXPECT_EQ(a.style, e.style) << "item " << i;
        EXPECT_EQ(a.cls, e.cls) << "item " << i;
        EXPECT_TRUE(a.x == e.x && a.y == e.y && a.cx == e.cx && a.cy == e.cy) << "item " << i;
    }
}

TEST(SettingsTemplate, IconAndVersionArePresent) {
    EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)), nullptr);
    EXPECT_NE(FindResourceA(nullptr, MAKEINTRESOURCEA(1), RT_VERSION), nullptr);
}
