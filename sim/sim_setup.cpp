#include "sim/sim_setup.h"

#include <cstdio>

VirtualController* BuildSimBus(const SimConfig& config, SimBus& bus) {
    bus.AddMouse();
    if (!config.controller)
        return nullptr;
    VirtualController& controller = bus.AddController(config.productId, config.layout);
    controller.RefuseSets(config.failSend);
    controller.RefuseReads(config.noAnswer);
    controller.UnplugAfter(config.unplugAfter);
    return &controller;
}

void PrintTransferLine(const ControllerTransfer& transfer) {
    std::printf("%s\n", FormatTransfer(transfer).c_str());
    std::fflush(stdout);
}
