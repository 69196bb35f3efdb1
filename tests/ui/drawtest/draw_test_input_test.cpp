// Strokes under real mouse input on the display's own desktop: a release over a button that
// the dialog never sees must not leave the next moves drawing.
#include <gtest/gtest.h>

#include "tests/support/gui_driver.h"
#include "tests/support/real_input.h"
#include "tests/ui/drawtest/draw_test_fixture.h"

namespace {

POINT ToScreen(HWND dialog, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(dialog, &p);
    return p;
}

TEST(DrawTestInput, ReleaseOverAButtonEndsTheStroke) {
    ProbeDrawTest dlg;
    gui::GuiDriver drv;
    HWND& h = dlg.m_hWnd;
    auto cursorTo = [&](int x, int y) {
        POINT p = ToScreen(h, x, y);
        gui::MoveCursor(p.x, p.y);
        return true;
    };
    drv.Step([&] { return Painted(h) && cursorTo(200, 200); });
    drv.Step([&] {
        gui::LeftButton(true);
        return true;
    });
    drv.Step([&] { return cursorTo(400, 200); });
    drv.Step([&] {
        // Real input draws: the segment of the drag.
        EXPECT_EQ(CountColour(gui::CaptureClient(h), kStroke), 200);
        EXPECT_TRUE(dlg.m_bDrawing);
        RECT clear = ChildRect(h, IDOK);
        return cursorTo((clear.left + clear.right) / 2, (clear.top + clear.bottom) / 2);
    });
    drv.Step([&] {
        gui::LeftButton(false); // goes to the button, not to the dialog
        return true;
    });
    drv.Step([&] {
        EXPECT_TRUE(dlg.m_bDrawing);
        return cursorTo(500, 300);
    });
    drv.Step([&] { return cursorTo(600, 300); });
    drv.Step([&] { return cursorTo(600, 400); });
    drv.Step([&] {
        // No phantom line from the stroke's last point: the moves without the button held
        // ended the stroke.
        gui::Picture pic = gui::CaptureClient(h);
        EXPECT_EQ(CountColour(pic, kStroke), 200);
        EXPECT_NE(pic.At(500, 250), kStroke);
        EXPECT_FALSE(dlg.m_bDrawing);
        return gui::GuiDriver::Click(h, IDCANCEL);
    });
    ASSERT_TRUE(drv.Run([&] { dlg.DoModal(); }));
}

} // namespace
