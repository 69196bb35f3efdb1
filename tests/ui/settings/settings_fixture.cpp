#include "tests/ui/settings/settings_fixture.h"

#include <cstring>

#include "app/language.h"
#include "app/setup_app.h"
#include "hid/discovery.h"
#include "ui/settings/setup_dlg.h"

void SettingsTest::SetUp() {
    previous_ = SetHidPlatform(&platform);
}

void SettingsTest::TearDown() {
    // Give the record back while the bus that handed it out still exists.
    if (theApp.g_hidDevice.handle)
        ReleaseHidDevice(&theApp.g_hidDevice, 1);
    std::memset(&theApp.g_hidDevice, 0, sizeof theApp.g_hidDevice);
    theApp.g_controllerId = {0, 0};
    SetHidPlatform(previous_);
    g_bEnglish = 1;
}

void SettingsTest::RunSettings(gui::GuiDriver& driver, int english) {
    g_bEnglish = english;
    ConnectController();
    driver.Run([] {
        CSetupDlg dlg(nullptr);
        theApp.m_pMainWnd = &dlg;
        dlg.DoModal();
        theApp.m_pMainWnd = nullptr;
    });
}
