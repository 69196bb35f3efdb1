// A HID report-descriptor parser and the HidP_ operations over its result, with the
// documented Windows semantics. The simulated HID bus hands its devices' descriptors to it;
// the preparsed data it returns is opaque to callers, as the platform's is.
#pragma once

#include "hid/hid_headers.h"

#include <vector>

namespace simhid {

// Statuses with which the platform's parser refuses a descriptor, besides
// HIDP_STATUS_INVALID_REPORT_TYPE for a report id of 0.
constexpr NTSTATUS kStatusNoDataDetected = static_cast<NTSTATUS>(0x80000022UL);     // no collection
constexpr NTSTATUS kStatusIllegalInstruction = static_cast<NTSTATUS>(0xC000001DUL); // bad item
constexpr NTSTATUS kStatusBufferTooSmall = static_cast<NTSTATUS>(0xC0000023UL);     // item cut off
constexpr NTSTATUS kStatusInsufficientResources = static_cast<NTSTATUS>(0xC000009AUL);
constexpr NTSTATUS kStatusCouldNotInterpret = static_cast<NTSTATUS>(0xC00000B9UL); // the rest
// Returned for a null pointer where the operation needs one.
constexpr NTSTATUS kStatusInvalidParameter = static_cast<NTSTATUS>(0xC000000DUL);

// Parses a descriptor into a new preparsed-data block for its first top-level collection.
// Returns HIDP_STATUS_SUCCESS and sets *data, or a failure status (and *data null) for a
// malformed or unsupported descriptor.
NTSTATUS ParseReportDescriptor(const BYTE* descriptor, ULONG length, PHIDP_PREPARSED_DATA* data);
// The same for every top-level collection: one block each, in descriptor order.
NTSTATUS ParseTopLevelCollections(const BYTE* descriptor, ULONG length,
                                  std::vector<PHIDP_PREPARSED_DATA>* collections);
// Gives a block from either parse back; null and anything not a live block are ignored.
void FreePreparsedData(PHIDP_PREPARSED_DATA data);

NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA data, PHIDP_CAPS caps);
NTSTATUS HidP_GetSpecificButtonCaps(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                                    USAGE usage, PHIDP_BUTTON_CAPS caps, PUSHORT length,
                                    PHIDP_PREPARSED_DATA data);
NTSTATUS HidP_GetSpecificValueCaps(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                                   USAGE usage, PHIDP_VALUE_CAPS caps, PUSHORT length,
                                   PHIDP_PREPARSED_DATA data);
ULONG HidP_MaxUsageListLength(HIDP_REPORT_TYPE kind, USAGE usagePage, PHIDP_PREPARSED_DATA data);
NTSTATUS HidP_SetUsages(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                        PUSAGE usages, PULONG usageLength, PHIDP_PREPARSED_DATA data, PCHAR report,
                        ULONG reportLength);
NTSTATUS HidP_GetUsages(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                        PUSAGE usages, PULONG usageLength, PHIDP_PREPARSED_DATA data, PCHAR report,
                        ULONG reportLength);
NTSTATUS HidP_SetUsageValue(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                            USAGE usage, ULONG value, PHIDP_PREPARSED_DATA data, PCHAR report,
                            ULONG reportLength);
NTSTATUS HidP_GetUsageValue(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                            USAGE usage, PULONG value, PHIDP_PREPARSED_DATA data, PCHAR report,
                            ULONG reportLength);
NTSTATUS HidP_GetScaledUsageValue(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                                  USAGE usage, PLONG value, PHIDP_PREPARSED_DATA data, PCHAR report,
                                  ULONG reportLength);

} // namespace simhid
