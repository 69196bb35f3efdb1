// The simulator build's entry point: reads PNPSETUP_SIM, puts the simulated HID bus with
// its virtual controller in place of the operating system's HID stack, and runs the utility.
#include "app/setup_app.h"
#include "framework/app.h"
#include "hid/hid_platform.h"
#include "sim/sim_config.h"
#include "sim/sim_platform.h"
#include "sim/sim_setup.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// The application object sits in a library; naming it here links it into the executable,
// where AfxWinMain finds it.
CWinApp* g_simulatedApp = &theApp;

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR cmdLine, int show) {
    SimConfig config;
    std::string error;
    if (!ParseSimConfig(std::getenv("PNPSETUP_SIM"), &config, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::fflush(stderr);
        const char* quiet = std::getenv("PNPSETUP_SIM_QUIET");
        if (!quiet || std::strcmp(quiet, "1") != 0)
            MessageBoxA(NULL, error.c_str(), "PnpSetupSim", MB_ICONERROR);
        return 2;
    }

    // The bus lives as long as the process: the controller's record stays open to the end.
    static SimBus bus;
    VirtualController* controller = BuildSimBus(config, bus);
    if (controller)
        controller->SetTransferObserver(PrintTransferLine);
    static SimHidPlatform platform(bus);
    SetHidPlatform(&platform);
    return AfxWinMain(hInstance, hPrevInstance, cmdLine, show);
}
