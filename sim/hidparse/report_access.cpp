#include "sim/hidparse/report_access.h"

#include "sim/hidparse/hid_parser.h"

namespace simhid::detail {

NTSTATUS CheckReport(PHIDP_PREPARSED_DATA data, HIDP_REPORT_TYPE kind, const void* report,
                     ULONG length, const Preparsed** block, NTSTATUS noReportStatus) {
    const Preparsed* found = Lookup(data);
    if (!found)
        return HIDP_STATUS_INVALID_PREPARSED_DATA;
    if (noReportStatus && IsReportKind(kind) && found->reportLength[kind] == 0)
        return noReportStatus;
    // Every report starts with its id byte, so no report is 0 bytes long; the platform
    // says so before it looks at the report type.
    if (length == 0)
        return HIDP_STATUS_INVALID_REPORT_LENGTH;
    if (!IsReportKind(kind))
        return HIDP_STATUS_INVALID_REPORT_TYPE;
    if (!report)
        return kStatusInvalidParameter;
    if (length != found->reportLength[kind])
        return HIDP_STATUS_INVALID_REPORT_LENGTH;
    *block = found;
    return HIDP_STATUS_SUCCESS;
}

bool MatchesFilter(const Capability& cap, USAGE usagePage, USHORT linkCollection, USAGE usage) {
    if (usagePage && cap.usagePage != usagePage)
        return false;
    if (linkCollection && cap.linkCollection != linkCollection)
        return false;
    return !usage || (cap.usageMin <= usage && usage <= cap.usageMax);
}

NTSTATUS FindUsage(const Preparsed& block, int kind, bool button, USAGE usagePage,
                   USHORT linkCollection, USAGE usage, UCHAR reportId, bool forSetting,
                   const Capability** found) {
    bool elsewhere = false;
    bool unstamped = forSetting && block.usesReportIds && reportId == 0;
    for (const Capability& cap : block.caps[kind]) {
        if (cap.isButton != button || cap.usagePage != usagePage)
            continue;
        if ((linkCollection && cap.linkCollection != linkCollection) || usage < cap.usageMin ||
            usage > cap.usageMax)
            continue;
        if (unstamped || cap.reportId == reportId) {
            *found = &cap;
            return HIDP_STATUS_SUCCESS;
        }
        elsewhere = true;
    }
    return elsewhere ? HIDP_STATUS_INCOMPATIBLE_REPORT_ID : HIDP_STATUS_USAGE_NOT_FOUND;
}

void StampReportId(const Preparsed& block, const Capability& cap, PCHAR report) {
    if (block.usesReportIds && report[0] == 0)
        report[0] = static_cast<CHAR>(cap.reportId);
}

} // namespace simhid::detail
