// The application object: chooses the language, looks for the controller once, runs the
// settings dialog as the main window and ends the process when it closes.
#pragma once

#include "framework/app.h"
#include "hid/hid_device.h"

class CSetupApp : public CWinApp {
public:
    CSetupApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Ids of the connected controller; both 0 while none is connected.
    ControllerId g_controllerId;
    // The controller's record; zero-filled until the first connection attempt.
    HidDevice g_hidDevice;

    DECLARE_MESSAGE_MAP()
};

extern CSetupApp theApp;

// Looks for the controller (product id 1, else 4) and opens it into theApp's record.
int ConnectController();
