// The draw test in use: no command to a connected controller, no message, and every GDI
// object given back over many openings.
#include <gtest/gtest.h>

#include <cstring>

#include "hid/discovery.h"
#include "hid/hid_platform.h"
#include "sim/sim_bus.h"
#include "sim/sim_platform.h"
#include "sim/virtual_controller.h"
#include "tests/support/desktop.h"
#include "tests/support/gui_driver.h"
#include "tests/support/resource_counters.h"
#include "tests/ui/drawtest/draw_test_fixture.h"

namespace {

// Any other dialog window of the thread (a message box, whatever its title).
bool OtherDialogShown(HWND drawTest) {
    for (HWND dlg : gui::ThreadDialogs())
        if (dlg != drawTest)
            return true;
    return false;
}

// One opening as a user makes it: a stroke, CLEAR, EXIT. Returns the dialog's result.
INT_PTR UseOnce(bool* sawMessageBox = nullptr) {
    ProbeDrawTest dlg;
    gui::GuiDriver drv;
    HWND& h = dlg.m_hWnd;
    drv.Step([&] {
        if (!Painted(h))
            return false;
        PostMouse(h, WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
        PostMouse(h, WM_MOUSEMOVE, MK_LBUTTON, 200, 150);
        PostMouse(h, WM_LBUTTONUP, 0, 250, 150);
        return true;
    });
    drv.Step([&] {
        if (sawMessageBox)
            *sawMessageBox = *sawMessageBox || OtherDialogShown(h);
        return gui::GuiDriver::Click(h, IDOK);
    });
    drv.Step([&] {
        if (!Painted(h))
            return false;
        if (sawMessageBox)
            *sawMessageBox = *sawMessageBox || OtherDialogShown(h);
        return gui::GuiDriver::Click(h, IDCANCEL);
    });
    INT_PTR result = 0;
    EXPECT_TRUE(drv.Run([&] { result = dlg.DoModal(); }));
    return result;
}

TEST(DrawTestUse, SendsNothingToAConnectedControllerAndShowsNoMessage) {
    if (!gui::OnOwnDesktop(1024, 768))
        return;
    SimBus bus;
    VirtualController& controller = bus.AddController();
    SimHidPlatform platform(bus);
    HidPlatform* previous = SetHidPlatform(&platform);
    HidDevice device;
    std::memset(&device, 0, sizeof device);
    ControllerId id = {0, 0};
    ASSERT_TRUE(ConnectController(&device, &id));
    controller.ClearTransfers();

    bool sawMessageBox = false;
    EXPECT_EQ(UseOnce(&sawMessageBox), IDCANCEL);
    EXPECT_FALSE(sawMessageBox);
    EXPECT_TRUE(controller.Transfers().empty());

    ReleaseHidDevice(&device, 1);
    SetHidPlatform(previous);
}

TEST(DrawTestUse, TwoHundredOpeningsGiveBackEveryGdiObject) {
    if (!gui::OnOwnDesktop(1024, 768))
        return;
    // The counter sees an object kept on purpose.
    int before = res::GdiObjectCount();
    ASSERT_GT(before, 0);
    HPEN kept = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    EXPECT_EQ(res::GdiObjectCount(), before + 1);
    DeleteObject(kept);
    EXPECT_EQ(res::GdiObjectCount(), before);

    // The first opening fills the system's own caches (window DCs, fonts).
    UseOnce();
    int base = res::GdiObjectCount();
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(UseOnce(), IDCANCEL) << "opening " << i;
    EXPECT_EQ(res::GdiObjectCount(), base);
}

} // namespace
