// The Draw Test button of the settings dialog, with no controller on the bus: the screen
// opens over the disabled settings dialog with no message, draws, and EXIT returns to the
// settings dialog.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/ui/drawtest/draw_test_fixture.h"
#include "tests/ui/settings/settings_fixture.h"

namespace {

using DrawTestFromSettings = SettingsTest;

TEST_F(DrawTestFromSettings, OpensWithoutAControllerAndReturns) {
    gui::GuiDriver drv;
    HWND settings = nullptr;
    HWND screen = nullptr;
    drv.Step([&] {
        settings = Settings();
        return settings && gui::GuiDriver::Click(settings, IDC_DRAW_TEST);
    });
    drv.Step([&] {
        screen = gui::ActiveDialog();
        return screen && screen != settings && Painted(screen);
    });
    drv.Step([&] {
        EXPECT_FALSE(IsWindowEnabled(settings));
        EXPECT_EQ(GetWindow(screen, GW_OWNER), settings);
        RECT rc, desktop;
        GetWindowRect(screen, &rc);
        GetWindowRect(GetDesktopWindow(), &desktop);
        EXPECT_TRUE(EqualRect(&rc, &desktop));
        EXPECT_EQ(gui::ThreadDialogs().size(), 2u) << "a message box is open";
        PostMouse(screen, WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
        PostMouse(screen, WM_MOUSEMOVE, MK_LBUTTON, 200, 100);
        PostMouse(screen, WM_LBUTTONUP, 0, 200, 100);
        return true;
    });
    drv.Step([&] {
        EXPECT_EQ(CountColour(gui::CaptureClient(screen), kStroke), 100);
        return gui::GuiDriver::Click(screen, IDCANCEL);
    });
    drv.Step([&] {
        if (IsWindow(screen) || !IsWindowEnabled(settings))
            return false;
        EXPECT_EQ(gui::ActiveDialog(), settings);
        EndDialog(settings, IDCANCEL);
        return true;
    });
    RunSettings(drv);
}

} // namespace
