// The simulator build's configuration, read from the PNPSETUP_SIM environment variable:
// comma-separated key=value settings.
//   controller=1|4|none   the controller's product id, or no controller (default 1)
//   layout=<name>         its report layout (value32, two-ids, buttons, value8; default value32)
//   fail-send=<opcodes>   sets of these commands are refused
//   no-answer=<opcodes>   reads after these commands are refused
//   unplug-after=<n>      the controller vanishes after its n-th accepted transfer
// <opcodes> is "all" or hexadecimal opcodes joined by '+', e.g. 10+80.
#pragma once

#include "sim/controller_layouts.h"
#include "sim/opcode_set.h"

#include <windows.h>
#include <string>

struct SimConfig {
    bool controller = true;
    USHORT productId = 1;
    LayoutId layout = LayoutId::Value32;
    OpcodeSet failSend;
    OpcodeSet noAnswer;
    ULONG unplugAfter = 0; // 0: never
};

// Parses the variable's text (null or empty: the defaults). On an unknown key or value
// returns false with a message naming it.
bool ParseSimConfig(const char* text, SimConfig* config, std::string* error);
