// Moving item values between a range of HidDataItem entries and the bytes of one report,
// through the platform's HID parser.
#pragma once

#include "hid/hid_device.h"

// Zero-fills the report, then packs every item of the range that carries the first item's
// report id. Non-zero when all of them were set; the items are marked only then.
BOOLEAN BuildReport(PCHAR report, USHORT length, ReportKind kind, HidDataItem* items, ULONG count,
                    PHIDP_PREPARSED_DATA preparsedData);

// Fills and marks every item of the range whose report id is the report's first byte,
// recording each status in its item. Always non-zero.
BOOLEAN ParseReport(PCHAR report, USHORT length, ReportKind kind, HidDataItem* items, ULONG count,
                    PHIDP_PREPARSED_DATA preparsedData);
