// What the HidP_ report operations share: checking their arguments against the collection,
// and finding the capability that holds a usage in a given report.
#pragma once

#include "sim/hidparse/preparsed.h"

namespace simhid::detail {

// Whether a report type is input, output or feature.
inline bool IsReportKind(HIDP_REPORT_TYPE kind) {
    int value = static_cast<int>(kind);
    return value >= HidP_Input && value <= HidP_Feature;
}

// Checks the collection, the report type, the buffer and its length (which must be the
// kind's byte length) of a report operation. With noReportStatus, a kind without reports is
// refused with that status rather than as a length mismatch.
NTSTATUS CheckReport(PHIDP_PREPARSED_DATA data, HIDP_REPORT_TYPE kind, const void* report,
                     ULONG length, const Preparsed** block, NTSTATUS noReportStatus = 0);

// Whether a capability passes a caller's filter; 0 for the page, the link collection or
// the usage matches any.
bool MatchesFilter(const Capability& cap, USAGE usagePage, USHORT linkCollection, USAGE usage);

// Finds the button or value capability of a usage on a page (and link collection unless it is
// 0) in the report whose id is reportId. With forSetting, a report not yet stamped (id byte 0
// on a device with report ids) takes the first capability of the usage. Statuses:
// HIDP_STATUS_USAGE_NOT_FOUND when no report of the kind has the usage,
// HIDP_STATUS_INCOMPATIBLE_REPORT_ID when only other reports have it.
NTSTATUS FindUsage(const Preparsed& block, int kind, bool button, USAGE usagePage,
                   USHORT linkCollection, USAGE usage, UCHAR reportId, bool forSetting,
                   const Capability** found);

// Stamps an unstamped report with the id of the capability being set into it.
void StampReportId(const Preparsed& block, const Capability& cap, PCHAR report);

} // namespace simhid::detail
