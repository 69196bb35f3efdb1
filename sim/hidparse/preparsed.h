// The parsed form of one top-level collection: its capabilities in the order the platform
// lists them, where each one sits in its report, and its link collections. Blocks are
// handed out as PHIDP_PREPARSED_DATA and every use is checked against the blocks alive.
#pragma once

#include "hid/hid_headers.h"

#include <vector>

namespace simhid::detail {

constexpr int kKindCount = 3;

// One button or value capability, with the place of its fields in the report.
struct Capability {
    // What the capability structures show.
    USAGE usagePage = 0;
    UCHAR reportId = 0;
    bool isAlias = false;
    USHORT bitField = 0;
    USHORT linkCollection = 0;
    USAGE linkUsage = 0;
    USAGE linkUsagePage = 0;
    bool isRange = false;
    bool isStringRange = false;
    bool isDesignatorRange = false;
    bool isAbsolute = false;
    bool hasNull = false;
    USHORT bitSize = 0;
    USHORT reportCount = 0; // as shown in HIDP_VALUE_CAPS
    ULONG unitsExp = 0;
    ULONG units = 0;
    LONG logicalMin = 0;
    LONG logicalMax = 0;
    LONG physicalMin = 0;
    LONG physicalMax = 0;
    USAGE usageMin = 0; // a single usage has usageMin == usageMax and isRange false
    USAGE usageMax = 0;
    USHORT stringMin = 0; // the string index when not a string range
    USHORT stringMax = 0;
    USHORT designatorMin = 0; // the designator index when not a designator range
    USHORT designatorMax = 0;
    USHORT dataIndexMin = 0;
    USHORT dataIndexMax = 0;

    // Where the fields are.
    bool isButton = false;
    bool isArray = false;  // an array main item: fields hold indices into its usage list
    ULONG bitStart = 0;    // bit offset of the first field, counted from the report id byte
    USHORT fieldCount = 0; // fields of the item this capability owns (array: all slots)
    USHORT arrayBase = 0;  // array: the field value that stands for usageMin
};

// One link collection, as HIDP_LINK_COLLECTION_NODE describes it.
struct LinkNode {
    USAGE usage = 0;
    USAGE usagePage = 0;
    USHORT parent = 0;
    USHORT childCount = 0;
    USHORT nextSibling = 0;
    USHORT firstChild = 0;
    UCHAR type = 0;
};

struct Preparsed {
    ULONG magic = 0;
    USAGE usage = 0;
    USAGE usagePage = 0;
    bool usesReportIds = false;
    USHORT reportLength[kKindCount] = {};
    USHORT dataIndexCount[kKindCount] = {};
    std::vector<Capability> caps[kKindCount];
    std::vector<LinkNode> nodes;
};

constexpr ULONG kPreparsedMagic = 0x53504948; // "HIPS"

// Hands out a block and registers it as alive; null when memory runs out.
PHIDP_PREPARSED_DATA Publish(Preparsed* block);
// The block behind a handle, or null when the handle is not a live block of ours. The handle
// is looked up, not dereferenced, so a stray pointer is refused without being read.
const Preparsed* Lookup(PHIDP_PREPARSED_DATA data);
// Unregisters and deletes a live block; anything else is ignored.
void Release(PHIDP_PREPARSED_DATA data);

} // namespace simhid::detail
