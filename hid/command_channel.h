// Sending command words to the controller as feature reports and reading its answer.
#pragma once

#include "hid/command_set.h"
#include "hid/hid_device.h"

// Writes `word` into every feature item and sends the feature report of each report id.
// Non-zero when every report was accepted; a failed send does not stop the others.
int SendCommand(HidDevice* device, CommandWord word);

// Reads the feature report of each report id and unpacks it into the items. Non-zero when
// every read succeeded; after a failed read the next item of that report id tries again.
int ReadAnswer(HidDevice* device);
