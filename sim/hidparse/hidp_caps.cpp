// The capability queries: HidP_GetCaps, HidP_GetSpecificButtonCaps,
// HidP_GetSpecificValueCaps and HidP_MaxUsageListLength.
#include "sim/hidparse/hid_parser.h"

#include "sim/hidparse/report_access.h"

#include <cstring>

namespace simhid {

namespace {

using detail::Capability;
using detail::Preparsed;

// The parts both capability structures share, from UsagePage to IsAbsolute and the union.
template <typename Caps> void FillCommon(const Capability& cap, Caps* out) {
    std::memset(out, 0, sizeof(*out));
    out->UsagePage = cap.usagePage;
    out->ReportID = cap.reportId;
    out->IsAlias = cap.isAlias;
    out->BitField = cap.bitField;
    out->LinkCollection = cap.linkCollection;
    out->LinkUsage = cap.linkUsage;
    out->LinkUsagePage = cap.linkUsagePage;
    out->IsRange = cap.isRange;
    out->IsStringRange = cap.isStringRange;
    out->IsDesignatorRange = cap.isDesignatorRange;
    out->IsAbsolute = cap.isAbsolute;
    if (cap.isRange) {
        out->Range.UsageMin = cap.usageMin;
        out->Range.UsageMax = cap.usageMax;
        out->Range.DataIndexMin = cap.dataIndexMin;
        out->Range.DataIndexMax = cap.dataIndexMax;
    } else {
        out->NotRange.Usage = cap.usageMin;
        out->NotRange.DataIndex = cap.dataIndexMin;
    }
    if (cap.isStringRange) {
        out->Range.StringMin = cap.stringMin;
        out->Range.StringMax = cap.stringMax;
    } else {
        out->NotRange.StringIndex = cap.stringMin;
    }
    if (cap.isDesignatorRange) {
        out->Range.DesignatorMin = cap.designatorMin;
        out->Range.DesignatorMax = cap.designatorMax;
    } else {
        out->NotRange.DesignatorIndex = cap.designatorMin;
    }
}

void Fill(const Capability& cap, HIDP_BUTTON_CAPS* out) {
    FillCommon(cap, out);
}

void Fill(const Capability& cap, HIDP_VALUE_CAPS* out) {
    FillCommon(cap, out);
    out->HasNull = cap.hasNull;
    out->BitSize = cap.bitSize;
    out->ReportCount = cap.reportCount;
    out->UnitsExp = cap.unitsExp;
    out->Units = cap.units;
    out->LogicalMin = cap.logicalMin;
    out->LogicalMax = cap.logicalMax;
    out->PhysicalMin = cap.physicalMin;
    out->PhysicalMax = cap.physicalMax;
}

// Copies the matching capabilities in stored order. *length gets the number that match;
// when the buffer holds fewer, the first ones are copied and the status says so.
template <typename Caps>
NTSTATUS GetSpecificCaps(HIDP_REPORT_TYPE kind, bool buttons, USAGE usagePage,
                         USHORT linkCollection, USAGE usage, Caps* caps, PUSHORT length,
                         PHIDP_PREPARSED_DATA data) {
    const Preparsed* block = detail::Lookup(data);
    if (!block)
        return HIDP_STATUS_INVALID_PREPARSED_DATA;
    if (!detail::IsReportKind(kind))
        return HIDP_STATUS_INVALID_REPORT_TYPE;
    if (!length)
        return kStatusInvalidParameter;
    USHORT room = caps ? *length : 0;
    USHORT matched = 0;
    for (const Capability& cap : block->caps[kind]) {
        if (cap.isButton != buttons ||
            !detail::MatchesFilter(cap, usagePage, linkCollection, usage))
            continue;
        if (matched < room)
            Fill(cap, &caps[matched]);
        ++matched;
    }
    *length = matched;
    if (matched == 0)
        return HIDP_STATUS_USAGE_NOT_FOUND;
    return matched > room ? HIDP_STATUS_BUFFER_TOO_SMALL : HIDP_STATUS_SUCCESS;
}

} // namespace

NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA data, PHIDP_CAPS caps) {
    const Preparsed* block = detail::Lookup(data);
    if (!block)
        return HIDP_STATUS_INVALID_PREPARSED_DATA;
    if (!caps)
        return kStatusInvalidParameter;
    std::memset(caps, 0, sizeof(*caps));
    caps->Usage = block->usage;
    caps->UsagePage = block->usagePage;
    caps->InputReportByteLength = block->reportLength[HidP_Input];
    caps->OutputReportByteLength = block->reportLength[HidP_Output];
    caps->FeatureReportByteLength = block->reportLength[HidP_Feature];
    caps->NumberLinkCollectionNodes = static_cast<USHORT>(block->nodes.size());
    USHORT counts[detail::kKindCount][2] = {};
    for (int kind = 0; kind < detail::kKindCount; ++kind)
        for (const Capability& cap : block->caps[kind])
            ++counts[kind][cap.isButton ? 0 : 1];
    caps->NumberInputButtonCaps = counts[HidP_Input][0];
    caps->NumberInputValueCaps = counts[HidP_Input][1];
    caps->NumberInputDataIndices = block->dataIndexCount[HidP_Input];
    caps->NumberOutputButtonCaps = counts[HidP_Output][0];
    caps->NumberOutputValueCaps = counts[HidP_Output][1];
    caps->NumberOutputDataIndices = block->dataIndexCount[HidP_Output];
    caps->NumberFeatureButtonCaps = counts[HidP_Feature][0];
    caps->NumberFeatureValueCaps = counts[HidP_Feature][1];
    caps->NumberFeatureDataIndices = block->dataIndexCount[HidP_Feature];
    return HIDP_STATUS_SUCCESS;
}

NTSTATUS HidP_GetSpecificButtonCaps(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                                    USAGE usage, PHIDP_BUTTON_CAPS caps, PUSHORT length,
                                    PHIDP_PREPARSED_DATA data) {
    return GetSpecificCaps(kind, true, usagePage, linkCollection, usage, caps, length, data);
}

NTSTATUS HidP_GetSpecificValueCaps(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                                   USAGE usage, PHIDP_VALUE_CAPS caps, PUSHORT length,
                                   PHIDP_PREPARSED_DATA data) {
    return GetSpecificCaps(kind, false, usagePage, linkCollection, usage, caps, length, data);
}

ULONG HidP_MaxUsageListLength(HIDP_REPORT_TYPE kind, USAGE usagePage, PHIDP_PREPARSED_DATA data) {
    const Preparsed* block = detail::Lookup(data);
    if (!block || !detail::IsReportKind(kind))
        return 0;
    // Every field of a button item can report a usage; an array's fields are counted once
    // per capability, as the platform does.
    ULONG total = 0;
    for (const Capability& cap : block->caps[kind])
        if (cap.isButton && (!usagePage || cap.usagePage == usagePage))
            total += cap.fieldCount;
    return total;
}

} // namespace simhid
