#include "hid/report_packing.h"

#include "hid/hid_platform.h"

#include <cstring>

BOOLEAN BuildReport(PCHAR report, USHORT length, ReportKind kind, HidDataItem* items, ULONG count,
                    PHIDP_PREPARSED_DATA preparsedData) {
    std::memset(report, 0, length);
    if (count == 0)
        return TRUE;

    // The parser's set operations write the report id of the fields they set into byte 0.
    const ULONG reportId = items[0].reportId;
    for (ULONG i = 0; i < count; ++i) {
        HidDataItem& item = items[i];
        if (item.reportId != reportId)
            continue;
        NTSTATUS status;
        if (item.isButton) {
            ULONG usageCount = item.button.maxUsageCount;
            status = HidApi().HidP_SetUsages((HIDP_REPORT_TYPE)kind, item.usagePage, 0,
                                             item.button.usages, &usageCount, preparsedData, report,
                                             length);
        } else {
            status = HidApi().HidP_SetUsageValue((HIDP_REPORT_TYPE)kind, item.usagePage, 0,
                                                 item.val.usage, item.val.value, preparsedData,
                                                 report, length);
        }
        item.status = status;
        if (status != HIDP_STATUS_SUCCESS)
            return FALSE;
    }
    for (ULONG i = 0; i < count; ++i) {
        if (items[i].reportId == reportId)
            items[i].isSet = 1;
    }
    return TRUE;
}

namespace {

// Reads the usages set in the report, then keeps only those within the item's own range,
// in their order, ending a shorter list with 0.
void ParseButtons(PCHAR report, USHORT length, ReportKind kind, HidDataItem& item,
                  PHIDP_PREPARSED_DATA preparsedData) {
    ULONG returned = item.button.maxUsageCount;
    item.status =
        HidApi().HidP_GetUsages((HIDP_REPORT_TYPE)kind, item.usagePage, 0, item.button.usages,
                                &returned, preparsedData, report, length);
    if (returned > item.button.maxUsageCount)
        returned = item.button.maxUsageCount;
    ULONG kept = 0;
    for (ULONG i = 0; i < returned; ++i) {
        USAGE usage = item.button.usages[i];
        if (usage >= item.button.usageMin && usage <= item.button.usageMax)
            item.button.usages[kept++] = usage;
    }
    if (kept < item.button.maxUsageCount)
        item.button.usages[kept] = 0;
}

void ParseValue(PCHAR report, USHORT length, ReportKind kind, HidDataItem& item,
                PHIDP_PREPARSED_DATA preparsedData) {
    item.status =
        HidApi().HidP_GetUsageValue((HIDP_REPORT_TYPE)kind, item.usagePage, 0, item.val.usage,
                                    &item.val.value, preparsedData, report, length);
    // The scaled read's status replaces the raw read's.
    item.status =
        HidApi().HidP_GetScaledUsageValue((HIDP_REPORT_TYPE)kind, item.usagePage, 0, item.val.usage,
                                          &item.val.scaledValue, preparsedData, report, length);
}

} // namespace

BOOLEAN ParseReport(PCHAR report, USHORT length, ReportKind kind, HidDataItem* items, ULONG count,
                    PHIDP_PREPARSED_DATA preparsedData) {
    // An empty buffer holds no report id to match.
    if (count == 0 || length == 0)
        return TRUE;
    const ULONG reportId = static_cast<UCHAR>(report[0]);
    for (ULONG i = 0; i < count; ++i) {
        HidDataItem& item = items[i];
        if (item.reportId != reportId)
            continue;
        if (item.isButton)
            ParseButtons(report, length, kind, item, preparsedData);
        else
            ParseValue(report, length, kind, item, preparsedData);
        item.isSet = 1;
    }
    return TRUE;
}
