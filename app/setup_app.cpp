#include "app/setup_app.h"

#include <cstring>

#include "app/language.h"
#include "hid/discovery.h"
#include "ui/settings/setup_dlg.h"

CSetupApp theApp;

BEGIN_MESSAGE_MAP(CSetupApp, CWinApp)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CSetupApp::CSetupApp() : g_controllerId{0, 0} {
    std::memset(&g_hidDevice, 0, sizeof g_hidDevice);
}

BOOL CSetupApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControlsStatic();
    ChooseLanguage();
    ConnectController();

    CSetupDlg dlg(nullptr);
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

int CSetupApp::ExitInstance() {
    // The calibration screen hides the cursor while it runs; leave it shown.
    ShowCursor(TRUE);
    return CWinApp::ExitInstance();
}

int ConnectController() {
    return ConnectController(&theApp.g_hidDevice, &theApp.g_controllerId);
}
