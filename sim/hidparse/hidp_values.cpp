// The value operations: HidP_SetUsageValue, HidP_GetUsageValue and HidP_GetScaledUsageValue.
#include "sim/hidparse/hid_parser.h"

#include "sim/hidparse/report_access.h"
#include "sim/hidparse/report_bits.h"

namespace simhid {

namespace {

using detail::Capability;
using detail::Preparsed;

// The widest field a ULONG value can be set into or read from.
constexpr USHORT kMaxValueBits = 32;

// Finds the value capability of a usage for a report operation whose arguments are checked.
NTSTATUS FindValue(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection, USAGE usage,
                   PHIDP_PREPARSED_DATA data, PCHAR report, ULONG reportLength, bool forSetting,
                   const Preparsed** block, const Capability** cap) {
    NTSTATUS status = detail::CheckReport(data, kind, report, reportLength, block,
                                          forSetting ? HIDP_STATUS_REPORT_DOES_NOT_EXIST : 0);
    if (status != HIDP_STATUS_SUCCESS)
        return status;
    return detail::FindUsage(**block, kind, false, usagePage, linkCollection, usage,
                             static_cast<UCHAR>(report[0]), forSetting, cap);
}

// The first bit of a usage's field: a range gives each usage its own field, a usage value
// array is read and written at its first element.
ULONG FieldStart(const Capability& cap, USAGE usage) {
    return cap.bitStart + ULONG(usage - cap.usageMin) * cap.bitSize;
}

// Scales a logical value into the physical range, rounding to the nearest.
NTSTATUS Scale(const Capability& cap, LONGLONG logical, PLONG value) {
    if (cap.logicalMin > cap.logicalMax || cap.physicalMin > cap.physicalMax)
        return HIDP_STATUS_BAD_LOG_PHY_VALUES;
    if (logical < cap.logicalMin || logical > cap.logicalMax)
        return cap.hasNull ? HIDP_STATUS_NULL : HIDP_STATUS_VALUE_OUT_OF_RANGE;
    // Without a physical range the physical value is the logical one.
    if (cap.physicalMin == 0 && cap.physicalMax == 0) {
        *value = static_cast<LONG>(logical);
        return HIDP_STATUS_SUCCESS;
    }
    LONGLONG logicalSpan = LONGLONG(cap.logicalMax) - cap.logicalMin;
    if (logicalSpan == 0)
        return HIDP_STATUS_BAD_LOG_PHY_VALUES;
    LONGLONG physicalSpan = LONGLONG(cap.physicalMax) - cap.physicalMin;
    LONGLONG scaled = ((logical - cap.logicalMin) * physicalSpan + logicalSpan / 2) / logicalSpan;
    *value = static_cast<LONG>(cap.physicalMin + scaled);
    return HIDP_STATUS_SUCCESS;
}

} // namespace

NTSTATUS HidP_SetUsageValue(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                            USAGE usage, ULONG value, PHIDP_PREPARSED_DATA data, PCHAR report,
                            ULONG reportLength) {
    const Preparsed* block = nullptr;
    const Capability* cap = nullptr;
    NTSTATUS status = FindValue(kind, usagePage, linkCollection, usage, data, report, reportLength,
                                true, &block, &cap);
    if (status != HIDP_STATUS_SUCCESS)
        return status;
    if (cap->bitSize > kMaxValueBits)
        return HIDP_STATUS_BUFFER_TOO_SMALL;
    detail::StampReportId(*block, *cap, report);
    // Bits of the value beyond the field's size are dropped, as the platform does.
    detail::WriteBits(reinterpret_cast<BYTE*>(report), FieldStart(*cap, usage), cap->bitSize,
                      value);
    return HIDP_STATUS_SUCCESS;
}

NTSTATUS HidP_GetUsageValue(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                            USAGE usage, PULONG value, PHIDP_PREPARSED_DATA data, PCHAR report,
                            ULONG reportLength) {
    const Preparsed* block = nullptr;
    const Capability* cap = nullptr;
    NTSTATUS status = FindValue(kind, usagePage, linkCollection, usage, data, report, reportLength,
                                false, &block, &cap);
    if (status != HIDP_STATUS_SUCCESS)
        return status;
    if (!value)
        return kStatusInvalidParameter;
    if (cap->bitSize > kMaxValueBits)
        return HIDP_STATUS_BUFFER_TOO_SMALL;
    // The raw field, neither signed nor scaled.
    *value = detail::ReadBits(reinterpret_cast<const BYTE*>(report), FieldStart(*cap, usage),
                              cap->bitSize);
    return HIDP_STATUS_SUCCESS;
}

NTSTATUS HidP_GetScaledUsageValue(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                                  USAGE usage, PLONG value, PHIDP_PREPARSED_DATA data, PCHAR report,
                                  ULONG reportLength) {
    const Preparsed* block = nullptr;
    NTSTATUS status = detail::CheckReport(data, kind, report, reportLength, &block);
    if (status != HIDP_STATUS_SUCCESS)
        return status;
    if (!value)
        return kStatusInvalidParameter;
    // Once the report is accepted, a value that cannot be given reads as 0.
    *value = 0;
    const Capability* cap = nullptr;
    status = FindValue(kind, usagePage, linkCollection, usage, data, report, reportLength, false,
                       &block, &cap);
    if (status != HIDP_STATUS_SUCCESS)
        return status;
    if (cap->bitSize > kMaxValueBits)
        return HIDP_STATUS_BUFFER_TOO_SMALL;
    ULONG raw = detail::ReadBits(reinterpret_cast<const BYTE*>(report), FieldStart(*cap, usage),
                                 cap->bitSize);
    LONGLONG logical = raw;
    // A field whose logical range reaches below zero holds a two's complement number.
    if (cap->logicalMin < 0 && cap->bitSize > 0 && (raw >> (cap->bitSize - 1)) & 1)
        logical -= LONGLONG(1) << cap->bitSize;
    return Scale(*cap, logical, value);
}

} // namespace simhid
