// The simulator build's bus: a non-matching mouse first, then the virtual controller that
// the configuration describes (unless it says there is none).
#pragma once

#include "sim/sim_bus.h"
#include "sim/sim_config.h"
#include "sim/virtual_controller.h"

// Fills the bus; returns the controller, or null without one.
VirtualController* BuildSimBus(const SimConfig& config, SimBus& bus);

// Prints a transfer's line on standard output at once.
void PrintTransferLine(const ControllerTransfer& transfer);
