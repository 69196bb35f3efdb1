// Finding, opening and describing HID device interfaces, and giving their records back.
// Every operation but ReleaseHidDevice returns non-zero for success, 0 for failure; none
// shows a message.
#pragma once

#include "hid/hid_device.h"

// The touch-screen controller's USB ids: product id 1 is preferred, 4 is the alternative.
constexpr USHORT kControllerVendorId = 0x24B8;
constexpr USHORT kControllerProductId = 1;
constexpr USHORT kControllerAltProductId = 4;

// Searches for the controller (product id 1, then 4) into `device` and stores the ids found,
// or 0 and 0, in `id`. A record left open by an earlier search is released first.
int ConnectController(HidDevice* device, ControllerId* id);

// Opens the first present HID interface whose ids are exactly these into `device`;
// interfaces with other ids are opened, released and passed over.
int FindHidDevice(ULONG vendorId, ULONG productId, HidDevice* device);

// Opens one interface path and fills the record: handle, parser data, attributes, caps and
// the items of the three report kinds.
int OpenHidPath(PCSTR path, HidDevice* device);

// Builds the report buffers, capability arrays and item arrays of the three kinds from the
// record's handle, parser data and caps.
int LoadReportItems(HidDevice* device);

// Closes the handle; with `freeAll` non-zero also gives back the parser data and every array.
void ReleaseHidDevice(HidDevice* device, int freeAll);
