// The draw-test screen on two desktop sizes: layout, background and grid by pixels, strokes,
// CLEAR and EXIT by button and by key; and its dialog template.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/support/desktop.h"
#include "tests/support/gui_driver.h"
#include "tests/ui/drawtest/draw_test_fixture.h"

namespace {

const DesktopCase kCases[] = {
    {1024, 768, {128, 624}, {832, 624}, {64, 48}, 68, 51, 15, 15},
    {1920, 1080, {240, 878}, {1560, 878}, {120, 67}, 128, 72, 14, 14},
};

std::string CaseName(const testing::TestParamInfo<DesktopCase>& info) {
    return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
}

class DrawTestScreen : public testing::TestWithParam<DesktopCase> {};

TEST_P(DrawTestScreen, CoversTheDesktopWithTheButtonsInPlace) {
    const DesktopCase& c = GetParam();
    if (!gui::OnOwnDesktop(c.width, c.height))
        return;
    ProbeDrawTest dlg;
    gui::GuiDriver drv;
    drv.Step([&] { return Painted(dlg.m_hWnd); });
    drv.Step([&] {
        RECT window, desktop = {0, 0, c.width, c.height};
        GetWindowRect(dlg.m_hWnd, &window);
        EXPECT_TRUE(EqualRect(&window, &desktop));
        struct {
            int id;
            POINT place;
            CColorButton& button;
            const char* caption;
        } buttons[] = {{IDOK, c.clear, dlg.m_btnClear, "CLEAR"},
                       {IDCANCEL, c.exit, dlg.m_btnExit, "EXIT"}};
        gui::Picture pic = gui::CaptureClient(dlg.m_hWnd);
        HDC screen = GetDC(nullptr);
        const LONG fontHeight = -MulDiv(GetDeviceCaps(screen, LOGPIXELSY), 120, 720);
        ReleaseDC(nullptr, screen);
        for (auto& b : buttons) {
            SCOPED_TRACE(b.caption);
            RECT rc = ChildRect(dlg.m_hWnd, b.id);
            EXPECT_EQ(rc.left, b.place.x);
            EXPECT_EQ(rc.top, b.place.y);
            EXPECT_EQ(rc.right - rc.left, c.button.cx);
            EXPECT_EQ(rc.bottom - rc.top, c.button.cy);
            HWND hButton = GetDlgItem(dlg.m_hWnd, b.id);
            EXPECT_EQ(GetWindowLongA(hButton, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
            EXPECT_STREQ(b.button.m_strCaption.GetString(), b.caption);

            LOGFONTA lf = {};
            GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(hButton, WM_GETFONT, 0, 0)),
                       sizeof lf, &lf);
            EXPECT_STREQ(lf.lfFaceName, "Arial Black");
            EXPECT_EQ(lf.lfHeight, fontHeight);

            // Mostly face, with the caption on it.
            int area = (rc.right - rc.left) * (rc.bottom - rc.top);
            EXPECT_GT(pic.Count(rc, kButtonFace), area / 2);
            EXPECT_GT(pic.Count(rc, GetSysColor(COLOR_BTNTEXT)), 10);
        }
        EXPECT_EQ(SendMessageA(GetDlgItem(dlg.m_hWnd, IDOK), WM_GETFONT, 0, 0),
                  SendMessageA(GetDlgItem(dlg.m_hWnd, IDCANCEL), WM_GETFONT, 0, 0));
        return gui::GuiDriver::Click(dlg.m_hWnd, IDCANCEL);
    });
    INT_PTR result = 0;
    ASSERT_TRUE(drv.Run([&] { result = dlg.DoModal(); }));
    EXPECT_EQ(result, IDCANCEL);
}

// The grid positions met along one line through the first cells.
std::vector<int> GridLinesAlong(const gui::Picture& pic, bool columns, int across) {
    std::vector<int> found;
    int n = columns ? pic.Width() : pic.Height();
    for (int i = 0; i < n; ++i) {
        COLORREF p = columns ? pic.At(i, across) : pic.At(across, i);
        if (p == kGrid)
            found.push_back(i);
        else
            EXPECT_EQ(p, kBackground) << (columns ? "x " : "y ") << i;
    }
    return found;
}

TEST_P(DrawTestScreen, PaintsTheBackgroundAndTheGrid) {
    const DesktopCase& c = GetParam();
    if (!gui::OnOwnDesktop(c.width, c.height))
        return;
    ProbeDrawTest dlg;
    gui::GuiDriver drv;
    drv.Step([&] { return Painted(dlg.m_hWnd); });
    drv.Step([&] {
        gui::Picture pic = gui::CaptureClient(dlg.m_hWnd);
        std::vector<int> cols, rows;
        for (int k = 1; k <= c.visibleCols; ++k)
            cols.push_back(k * c.colStep);
        for (int k = 1; k <= c.visibleRows; ++k)
            rows.push_back(k * c.rowStep);
        // No line at 0; the last visible ones, and every one between, at their steps.
        EXPECT_EQ(GridLinesAlong(pic, true, c.rowStep / 2), cols);
        EXPECT_EQ(GridLinesAlong(pic, false, c.colStep / 2), rows);
        return gui::GuiDriver::Click(dlg.m_hWnd, IDCANCEL);
    });
    ASSERT_TRUE(drv.Run([&] { dlg.DoModal(); }));
}

// Each stroke is posted whole in one step: posted messages come before any real input, so a
// stray move of the desktop's own cursor cannot end a stroke half way.
TEST_P(DrawTestScreen, StrokesAreRedSegmentsThatClearWipes) {
    const DesktopCase& c = GetParam();
    if (!gui::OnOwnDesktop(c.width, c.height))
        return;
    ProbeDrawTest dlg;
    gui::GuiDriver drv;
    HWND& h = dlg.m_hWnd;
    drv.Step([&] {
        if (!Painted(h))
            return false;
        PostMouse(h, WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
        PostMouse(h, WM_MOUSEMOVE, MK_LBUTTON, 300, 100);
        PostMouse(h, WM_MOUSEMOVE, MK_LBUTTON, 300, 250);
        PostMouse(h, WM_LBUTTONUP, 0, 150, 250);
        return true;
    });
    drv.Step([&] {
        // Three one-pixel segments through the points; the release point ends the last one.
        gui::Picture pic = gui::CaptureClient(h);
        EXPECT_EQ(CountColour(pic, kStroke), 200 + 150 + 150);
        for (POINT p : {POINT{100, 100}, POINT{200, 100}, POINT{300, 100}, POINT{300, 175},
                        POINT{300, 250}, POINT{151, 250}})
            EXPECT_EQ(pic.At(p.x, p.y), kStroke) << p.x << "," << p.y;
        EXPECT_NE(pic.At(200, 99), kStroke);
        EXPECT_NE(pic.At(200, 101), kStroke);
        EXPECT_EQ(pic.At(2 * c.colStep, 100), kStroke); // over a grid line
        EXPECT_FALSE(dlg.m_bDrawing);
        // A tap; a move with no stroke; a second press during a stroke, which starts again
        // from its own point.
        PostMouse(h, WM_LBUTTONDOWN, MK_LBUTTON, 500, 400);
        PostMouse(h, WM_LBUTTONUP, 0, 500, 400);
        PostMouse(h, WM_MOUSEMOVE, 0, 600, 300);
        PostMouse(h, WM_LBUTTONDOWN, MK_LBUTTON, 100, 400);
        PostMouse(h, WM_LBUTTONDOWN, MK_LBUTTON, 200, 400);
        PostMouse(h, WM_MOUSEMOVE, MK_LBUTTON, 250, 400);
        PostMouse(h, WM_LBUTTONUP, 0, 250, 400);
        return true;
    });
    drv.Step([&] {
        gui::Picture pic = gui::CaptureClient(h);
        EXPECT_EQ(CountColour(pic, kStroke), 550);
        EXPECT_NE(pic.At(150, 400), kStroke);
        EXPECT_TRUE(dlg.m_ptLast == CPoint(250, 400));
        // CLEAR during a stroke: the screen is wiped and the stroke goes on from its last
        // point.
        PostMouse(h, WM_LBUTTONDOWN, MK_LBUTTON, 100, 450);
        PostMouse(h, WM_MOUSEMOVE, MK_LBUTTON, 200, 450);
        gui::GuiDriver::Click(h, IDOK);
        PostMouse(h, WM_MOUSEMOVE, MK_LBUTTON, 200, 500);
        PostMouse(h, WM_LBUTTONUP, 0, 200, 500);
        return true;
    });
    drv.Step([&] {
        gui::Picture pic = gui::CaptureClient(h);
        EXPECT_EQ(CountColour(pic, kStroke), 50);
        EXPECT_EQ(pic.At(200, 475), kStroke);
        EXPECT_EQ(pic.At(2 * c.colStep, 100), kGrid);
        EXPECT_EQ(pic.At(150, 450), kBackground);
        PostKey(h, VK_RETURN);
        return true;
    });
    drv.Step([&] {
        EXPECT_EQ(CountColour(gui::CaptureClient(h), kStroke), 0);
        EXPECT_TRUE(IsWindowVisible(h));
        PostKey(h, VK_ESCAPE);
        return true;
    });
    INT_PTR result = 0;
    ASSERT_TRUE(drv.Run([&] { result = dlg.DoModal(); }));
    EXPECT_EQ(result, IDCANCEL);
}

// The phantom stroke: a release over a button never reaches the dialog, so the stroke would
// stay in progress; the next moves, made with the button up, end it instead of drawing. The
// messages are those the platform delivers for that gesture, to the windows it sends them to.
TEST_P(DrawTestScreen, ReleaseOverAButtonEndsTheStroke) {
    const DesktopCase& c = GetParam();
    if (!gui::OnOwnDesktop(c.width, c.height))
        return;
    ProbeDrawTest dlg;
    gui::GuiDriver drv;
    HWND& h = dlg.m_hWnd;
    drv.Step([&] {
        if (!Painted(h))
            return false;
        HWND clear = GetDlgItem(h, IDOK);
        int cx = c.button.cx / 2, cy = c.button.cy / 2;
        PostMouse(h, WM_LBUTTONDOWN, MK_LBUTTON, 200, 200);
        PostMouse(h, WM_MOUSEMOVE, MK_LBUTTON, 400, 200);
        PostMouse(clear, WM_MOUSEMOVE, MK_LBUTTON, cx, cy);
        PostMouse(clear, WM_LBUTTONUP, 0, cx, cy);
        PostMouse(h, WM_MOUSEMOVE, 0, 600, 300);
        PostMouse(h, WM_MOUSEMOVE, 0, 600, 400);
        return true;
    });
    drv.Step([&] {
        gui::Picture pic = gui::CaptureClient(h);
        EXPECT_EQ(CountColour(pic, kStroke), 200); // the drag's own segment only
        EXPECT_NE(pic.At(500, 250), kStroke);
        EXPECT_NE(pic.At(600, 350), kStroke);
        EXPECT_FALSE(dlg.m_bDrawing);
        // A later press starts a new stroke as usual.
        PostMouse(h, WM_LBUTTONDOWN, MK_LBUTTON, 100, 500);
        PostMouse(h, WM_MOUSEMOVE, MK_LBUTTON, 150, 500);
        PostMouse(h, WM_LBUTTONUP, 0, 150, 500);
        return true;
    });
    drv.Step([&] {
        EXPECT_EQ(CountColour(gui::CaptureClient(h), kStroke), 250);
        return gui::GuiDriver::Click(h, IDCANCEL);
    });
    ASSERT_TRUE(drv.Run([&] { dlg.DoModal(); }));
}

INSTANTIATE_TEST_SUITE_P(Desktops, DrawTestScreen, testing::ValuesIn(kCases), CaseName);

// Template 145 as the executable holds it.
TEST(DrawTestTemplate, IsABorderedPopUpWithTwoButtons) {
    HRSRC res = FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_DRAWTEST), RT_DIALOG);
    ASSERT_TRUE(res);
    const auto* t = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(nullptr, res)));
    EXPECT_EQ(t->style, 0x80800040u);
    EXPECT_EQ(t->cx, 187);
    EXPECT_EQ(t->cy, 96);
    ASSERT_EQ(t->cdit, 2);
    const auto* p = reinterpret_cast<const WORD*>(t + 1);
    // A text, or "#hhhh" for an ordinal.
    auto readField = [&p] {
        if (*p == 0xFFFF) {
            wchar_t ordinal[8];
            swprintf(ordinal, 8, L"#%04X", p[1]);
            p += 2;
            return std::wstring(ordinal);
        }
        std::wstring s(reinterpret_cast<const wchar_t*>(p));
        p += s.size() + 1;
        return s;
    };
    EXPECT_EQ(readField(), L""); // menu
    EXPECT_EQ(readField(), L""); // class
    EXPECT_EQ(readField(), L""); // caption
    EXPECT_EQ(*p++, 10);         // point size
    EXPECT_EQ(readField(), L"System");
    struct {
        WORD id;
        DWORD type;
        short x, y;
        const wchar_t* text;
    } expected[] = {{IDOK, BS_DEFPUSHBUTTON, 34, 63, L"确定"},
                    {IDCANCEL, BS_PUSHBUTTON, 111, 66, L"取消"}};
    for (const auto& e : expected) {
        p = reinterpret_cast<const WORD*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~ULONG_PTR(3));
        const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(p);
        p = reinterpret_cast<const WORD*>(item + 1);
        EXPECT_EQ(item->id, e.id);
        EXPECT_EQ(item->style & BS_TYPEMASK, e.type);
        EXPECT_TRUE(item->style & WS_TABSTOP);
        EXPECT_EQ(item->x, e.x);
        EXPECT_EQ(item->y, e.y);
        EXPECT_EQ(item->cx, 50);
        EXPECT_EQ(item->cy, 14);
        std::wstring cls = readField();
        EXPECT_TRUE(cls == L"#0080" || _wcsicmp(cls.c_str(), L"Button") == 0);
        EXPECT_EQ(readField(), e.text);
        p += 1 + (*p ? *p / 2 : 0); // creation data
    }
}

} // namespace
