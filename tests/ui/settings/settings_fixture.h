// Opens the real settings dialog over a simulated HID bus and drives it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/setup_app.h"
#include "sim/sim_bus.h"
#include "sim/sim_platform.h"
#include "tests/hid/virtual_bus_fixture.h"
#include "tests/support/gui_driver.h"

constexpr const char* kSettingsTitle = "PNP Setup V3.6";

class SettingsTest : public ::testing::Test {
protected:
    void TearDown() override;

    // Runs the dialog as start-up does, after the given language flag and one connection
    // attempt; the steps are played in it. The last step should end the dialog.
    void RunSettings(gui::GuiDriver& driver, int english = 1);
    // The settings dialog while it is open (null otherwise).
    static HWND Settings() { return gui::Dialog(kSettingsTitle); }

    SimBus bus;
    ScopedHidPlatform use{bus};
    ScopedRecordRelease release{theApp.g_hidDevice};
};

using gui::Gbk;
