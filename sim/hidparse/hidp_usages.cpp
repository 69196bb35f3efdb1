// The button operations: HidP_SetUsages and HidP_GetUsages.
#include "sim/hidparse/hid_parser.h"

#include "sim/hidparse/report_access.h"
#include "sim/hidparse/report_bits.h"

namespace simhid {

namespace {

using detail::Capability;
using detail::Preparsed;

BYTE* Bytes(PCHAR report) {
    return reinterpret_cast<BYTE*>(report);
}

// Turns one button on: a variable item's bit, or the first free slot of an array.
NTSTATUS SetButton(const Preparsed& block, const Capability& cap, USAGE usage, PCHAR report) {
    ULONG offset = usage - cap.usageMin;
    if (!cap.isArray) {
        detail::StampReportId(block, cap, report);
        detail::WriteBits(Bytes(report), cap.bitStart + offset * cap.bitSize, cap.bitSize, 1);
        return HIDP_STATUS_SUCCESS;
    }
    ULONG index = cap.arrayBase + offset;
    if (cap.bitSize < 32 && index >> cap.bitSize)
        return HIDP_STATUS_USAGE_NOT_FOUND; // a field this narrow cannot name the usage
    for (ULONG slot = 0; slot < cap.fieldCount; ++slot) {
        ULONG bit = cap.bitStart + slot * cap.bitSize;
        if (detail::AnyBitSet(Bytes(report), bit, cap.bitSize))
            continue;
        detail::StampReportId(block, cap, report);
        detail::WriteBits(Bytes(report), bit, cap.bitSize, index);
        return HIDP_STATUS_SUCCESS;
    }
    return HIDP_STATUS_BUFFER_TOO_SMALL;
}

// Collects the usages a capability finds on in a report; count grows even past the list.
void CollectButtons(const Capability& cap, const BYTE* report, PUSAGE list, ULONG room,
                    ULONG& count) {
    auto add = [&](USAGE usage) {
        if (list && count < room)
            list[count] = usage;
        ++count;
    };
    if (!cap.isArray) {
        // One button per usage; buttons an item has beyond its usages report nothing.
        for (ULONG i = 0; i <= ULONG(cap.usageMax - cap.usageMin); ++i)
            if (detail::ReadBits(report, cap.bitStart + i * cap.bitSize, cap.bitSize))
                add(static_cast<USAGE>(cap.usageMin + i));
        return;
    }
    ULONG width = ULONG(cap.usageMax - cap.usageMin) + 1;
    for (ULONG slot = 0; slot < cap.fieldCount; ++slot) {
        ULONG bit = cap.bitStart + slot * cap.bitSize;
        if (cap.bitSize > 32 && detail::AnyBitSet(report, bit + 32, cap.bitSize - 32u))
            continue;
        ULONG index = detail::ReadBits(report, bit, cap.bitSize);
        if (index >= cap.arrayBase && index - cap.arrayBase < width)
            add(static_cast<USAGE>(cap.usageMin + (index - cap.arrayBase)));
    }
}

} // namespace

NTSTATUS HidP_SetUsages(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                        PUSAGE usages, PULONG usageLength, PHIDP_PREPARSED_DATA data, PCHAR report,
                        ULONG reportLength) {
    const Preparsed* block = nullptr;
    NTSTATUS status = detail::CheckReport(data, kind, report, reportLength, &block);
    if (status != HIDP_STATUS_SUCCESS)
        return status;
    if (!usageLength || (!usages && *usageLength))
        return kStatusInvalidParameter;
    for (ULONG i = 0; i < *usageLength; ++i) {
        // Zero entries are the unused tail of a usage list.
        if (usages[i] == 0)
            continue;
        const Capability* cap = nullptr;
        status = detail::FindUsage(*block, kind, true, usagePage, linkCollection, usages[i],
                                   static_cast<UCHAR>(report[0]), true, &cap);
        if (status == HIDP_STATUS_SUCCESS)
            status = SetButton(*block, *cap, usages[i], report);
        if (status != HIDP_STATUS_SUCCESS) {
            *usageLength = i; // the usage that could not be set
            return status;
        }
    }
    return HIDP_STATUS_SUCCESS;
}

NTSTATUS HidP_GetUsages(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                        PUSAGE usages, PULONG usageLength, PHIDP_PREPARSED_DATA data, PCHAR report,
                        ULONG reportLength) {
    const Preparsed* block = nullptr;
    NTSTATUS status = detail::CheckReport(data, kind, report, reportLength, &block);
    if (status != HIDP_STATUS_SUCCESS)
        return status;
    if (!usageLength)
        return kStatusInvalidParameter;
    UCHAR reportId = static_cast<UCHAR>(report[0]);
    bool onPage = false, inReport = false;
    ULONG count = 0;
    for (const Capability& cap : block->caps[kind]) {
        if (!cap.isButton || cap.usagePage != usagePage ||
            (linkCollection && cap.linkCollection != linkCollection))
            continue;
        onPage = true;
        // Aliases name the same buttons as the preferred usage that follows them.
        if (cap.reportId != reportId || cap.isAlias)
            continue;
        inReport = true;
        CollectButtons(cap, reinterpret_cast<const BYTE*>(report), usages, *usageLength, count);
    }
    if (!onPage || !inReport) {
        *usageLength = 0;
        return onPage ? HIDP_STATUS_INCOMPATIBLE_REPORT_ID : HIDP_STATUS_USAGE_NOT_FOUND;
    }
    ULONG room = usages ? *usageLength : 0;
    *usageLength = count;
    return count > room ? HIDP_STATUS_BUFFER_TOO_SMALL : HIDP_STATUS_SUCCESS;
}

} // namespace simhid
