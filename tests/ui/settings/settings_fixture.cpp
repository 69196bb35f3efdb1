#include "tests/ui/settings/settings_fixture.h"

#include "app/language.h"
#include "ui/settings/setup_dlg.h"

void SettingsTest::TearDown() {
    theApp.g_controllerId = {0, 0};
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
