#include "sim/hidparse/descriptor_parser.h"

#include "sim/hidparse/hid_parser.h"

#include <algorithm>
#include <new>

namespace simhid::detail {

namespace {

enum ItemType { kMain = 0, kGlobal = 1, kLocal = 2, kReserved = 3 };

enum MainTag {
    kInput = 0x8,
    kOutput = 0x9,
    kCollection = 0xA,
    kFeature = 0xB,
    kEndCollection = 0xC
};

enum GlobalTag {
    kUsagePage = 0x0,
    kLogicalMin = 0x1,
    kLogicalMax = 0x2,
    kPhysicalMin = 0x3,
    kPhysicalMax = 0x4,
    kUnitExponent = 0x5,
    kUnit = 0x6,
    kReportSize = 0x7,
    kReportId = 0x8,
    kReportCount = 0x9,
    kPush = 0xA,
    kPop = 0xB,
};

enum LocalTag {
    kUsage = 0x0,
    kUsageMin = 0x1,
    kUsageMax = 0x2,
    kDesignatorIndex = 0x3,
    kDesignatorMin = 0x4,
    kDesignatorMax = 0x5,
    kStringIndex = 0x7,
    kStringMin = 0x8,
    kStringMax = 0x9,
    kDelimiter = 0xA,
};

constexpr BYTE kLongItemPrefix = 0xFE;
constexpr ULONG kMainVariable = 0x02;
constexpr ULONG kMainRelative = 0x04;
constexpr ULONG kMainNullState = 0x40;

// The global item state table, saved and restored whole by Push and Pop.
struct Globals {
    USAGE usagePage = 0;
    LONG logicalMin = 0;
    LONG logicalMax = 0;
    LONG physicalMin = 0;
    LONG physicalMax = 0;
    ULONG unitExponent = 0;
    ULONG unit = 0;
    ULONG reportSize = 0;
    ULONG reportCount = 0;
    UCHAR reportId = 0;
};

// One usage or usage range declared before a main item. Members of one delimiter set share
// an alias group (0: not aliased).
struct UsageEntry {
    USAGE page = 0;
    USAGE min = 0;
    USAGE max = 0;
    bool isRange = false;
    int aliasGroup = 0;
};

struct Locals {
    std::vector<UsageEntry> usages;
    bool haveMin = false, haveMax = false;
    USAGE minPage = 0, min = 0, maxPage = 0, max = 0;
    bool haveStringMin = false, haveStringMax = false;
    USHORT stringIndex = 0, stringMin = 0, stringMax = 0;
    bool haveDesignatorMin = false, haveDesignatorMax = false;
    USHORT designatorIndex = 0, designatorMin = 0, designatorMax = 0;
    bool delimiterOpen = false;
    int aliasGroup = 0;
};

struct OpenCollection {
    size_t tlc;
    USHORT node;
};

LONG SignExtend(ULONG value, ULONG size) {
    switch (size) {
    case 1:
        return static_cast<signed char>(value);
    case 2:
        return static_cast<SHORT>(value);
    default:
        return static_cast<LONG>(value);
    }
}

class DescriptorParser {
public:
    NTSTATUS Run(const BYTE* data, ULONG length, Collections* out);

private:
    NTSTATUS Item(ULONG type, ULONG tag, ULONG size, ULONG value);
    NTSTATUS MainItem(ULONG tag, ULONG value);
    NTSTATUS GlobalItem(ULONG tag, ULONG size, ULONG value);
    NTSTATUS LocalItem(ULONG tag, ULONG size, ULONG value);
    NTSTATUS AddUsage(UsageEntry entry);
    NTSTATUS StartCollection(ULONG type);
    NTSTATUS EndCollection();
    NTSTATUS DataItem(int kind, ULONG flags);
    NTSTATUS AddVariableCaps(int kind, ULONG flags, ULONG startBit);
    NTSTATUS AddArrayCaps(int kind, ULONG flags, ULONG startBit);
    NTSTATUS Store(int kind, Capability& cap, ULONG dataIndexCount);
    Capability BaseCapability(ULONG flags) const;
    bool LocalsComplete() const {
        return !locals_.delimiterOpen && !locals_.haveMin && !locals_.haveMax;
    }

    Globals globals_;
    std::vector<Globals> pushed_;
    Locals locals_;
    std::vector<std::unique_ptr<Preparsed>> tlcs_;
    // The bit length of each report so far; a report id belongs to one collection only.
    ULONG reportBits_[kKindCount][256] = {};
    std::vector<OpenCollection> open_;
    int reportIdOwner_[256];
    bool sawNumbered_ = false;
    bool sawUnnumbered_ = false;
    int nextAliasGroup_ = 0;
};

NTSTATUS DescriptorParser::Run(const BYTE* data, ULONG length, Collections* out) {
    std::fill(std::begin(reportIdOwner_), std::end(reportIdOwner_), -1);
    if (length > kMaxDescriptorLength)
        return kStatusCouldNotInterpret;
    ULONG pos = 0;
    while (pos < length) {
        BYTE prefix = data[pos];
        if (prefix == kLongItemPrefix)
            return kStatusIllegalInstruction;
        ULONG size = prefix & 0x3;
        if (size == 3)
            size = 4;
        if (length - pos - 1 < size)
            return kStatusBufferTooSmall;
        ULONG value = 0;
        for (ULONG i = 0; i < size; ++i)
            value |= static_cast<ULONG>(data[pos + 1 + i]) << (8 * i);
        NTSTATUS status = Item((prefix >> 2) & 0x3, prefix >> 4, size, value);
        if (status != HIDP_STATUS_SUCCESS)
            return status;
        pos += 1 + size;
    }
    if (!open_.empty() || locals_.delimiterOpen)
        return kStatusCouldNotInterpret;
    if (tlcs_.empty())
        return kStatusNoDataDetected;
    out->clear();
    for (std::unique_ptr<Preparsed>& tlc : tlcs_)
        out->push_back(std::move(tlc));
    return HIDP_STATUS_SUCCESS;
}

NTSTATUS DescriptorParser::Item(ULONG type, ULONG tag, ULONG size, ULONG value) {
    switch (type) {
    case kMain:
        return MainItem(tag, value);
    case kGlobal:
        return GlobalItem(tag, size, value);
    case kLocal:
        return LocalItem(tag, size, value);
    default:
        return HIDP_STATUS_SUCCESS; // reserved short items carry nothing we use
    }
}

NTSTATUS DescriptorParser::MainItem(ULONG tag, ULONG value) {
    NTSTATUS status;
    switch (tag) {
    case kInput:
        status = DataItem(HidP_Input, value);
        break;
    case kOutput:
        status = DataItem(HidP_Output, value);
        break;
    case kFeature:
        status = DataItem(HidP_Feature, value);
        break;
    case kCollection:
        status = StartCollection(value & 0xFF);
        break;
    case kEndCollection:
        status = EndCollection();
        break;
    default:
        return kStatusIllegalInstruction;
    }
    locals_ = Locals();
    return status;
}

NTSTATUS DescriptorParser::GlobalItem(ULONG tag, ULONG size, ULONG value) {
    switch (tag) {
    case kUsagePage:
        globals_.usagePage = static_cast<USAGE>(value);
        break;
    case kLogicalMin:
        globals_.logicalMin = SignExtend(value, size);
        break;
    case kLogicalMax:
        globals_.logicalMax = SignExtend(value, size);
        break;
    case kPhysicalMin:
        globals_.physicalMin = SignExtend(value, size);
        break;
    case kPhysicalMax:
        globals_.physicalMax = SignExtend(value, size);
        break;
    case kUnitExponent:
        globals_.unitExponent = value;
        break;
    case kUnit:
        globals_.unit = value;
        break;
    case kReportSize:
        if (value > kMaxReportSize)
            return kStatusCouldNotInterpret;
        globals_.reportSize = value;
        break;
    case kReportCount:
        if (value > kMaxReportCount)
            return kStatusCouldNotInterpret;
        globals_.reportCount = value;
        break;
    case kReportId:
        if (value == 0)
            return HIDP_STATUS_INVALID_REPORT_TYPE;
        if (value > 0xFF)
            return kStatusCouldNotInterpret;
        globals_.reportId = static_cast<UCHAR>(value);
        break;
    case kPush:
        if (pushed_.size() >= kMaxPushDepth)
            return kStatusCouldNotInterpret;
        pushed_.push_back(globals_);
        break;
    case kPop:
        if (pushed_.empty())
            return kStatusCouldNotInterpret;
        globals_ = pushed_.back();
        pushed_.pop_back();
        break;
    default:
        break; // reserved global items change nothing
    }
    return HIDP_STATUS_SUCCESS;
}

NTSTATUS DescriptorParser::LocalItem(ULONG tag, ULONG size, ULONG value) {
    // A four-byte usage is an extended one: its page rides in the high half.
    USAGE page = size == 4 && (value >> 16) ? static_cast<USAGE>(value >> 16) : globals_.usagePage;
    USAGE id = static_cast<USAGE>(value);
    switch (tag) {
    case kUsage:
        return AddUsage({page, id, id, false, locals_.delimiterOpen ? locals_.aliasGroup : 0});
    case kUsageMin:
    case kUsageMax:
        // A range cannot be aliased, and one end may not be given twice.
        if (locals_.delimiterOpen)
            return kStatusCouldNotInterpret;
        if (tag == kUsageMin) {
            if (locals_.haveMin)
                return kStatusCouldNotInterpret;
            locals_.haveMin = true;
            locals_.minPage = page;
            locals_.min = id;
        } else {
            if (locals_.haveMax)
                return kStatusCouldNotInterpret;
            locals_.haveMax = true;
            locals_.maxPage = page;
            locals_.max = id;
        }
        if (locals_.haveMin && locals_.haveMax) {
            if (locals_.minPage != locals_.maxPage || locals_.min > locals_.max)
                return kStatusCouldNotInterpret;
            locals_.haveMin = locals_.haveMax = false;
            return AddUsage({locals_.minPage, locals_.min, locals_.max, true, 0});
        }
        return HIDP_STATUS_SUCCESS;
    case kDesignatorIndex:
        locals_.designatorIndex = static_cast<USHORT>(value);
        break;
    case kDesignatorMin:
        locals_.haveDesignatorMin = true;
        locals_.designatorMin = static_cast<USHORT>(value);
        break;
    case kDesignatorMax:
        locals_.haveDesignatorMax = true;
        locals_.designatorMax = static_cast<USHORT>(value);
        break;
    case kStringIndex:
        locals_.stringIndex = static_cast<USHORT>(value);
        break;
    case kStringMin:
        locals_.haveStringMin = true;
        locals_.stringMin = static_cast<USHORT>(value);
        break;
    case kStringMax:
        locals_.haveStringMax = true;
        locals_.stringMax = static_cast<USHORT>(value);
        break;
    case kDelimiter:
        // 1 opens a set of aliased usages, 0 closes it; sets do not nest.
        if (value == 1 && !locals_.delimiterOpen) {
            locals_.delimiterOpen = true;
            locals_.aliasGroup = ++nextAliasGroup_;
        } else if (value == 0 && locals_.delimiterOpen) {
            locals_.delimiterOpen = false;
        } else {
            return kStatusCouldNotInterpret;
        }
        break;
    default:
        break; // reserved local items change nothing
    }
    return HIDP_STATUS_SUCCESS;
}

NTSTATUS DescriptorParser::AddUsage(UsageEntry entry) {
    if (locals_.usages.size() >= kMaxUsagesPerItem)
        return kStatusCouldNotInterpret;
    locals_.usages.push_back(entry);
    return HIDP_STATUS_SUCCESS;
}

NTSTATUS DescriptorParser::StartCollection(ULONG type) {
    if (!LocalsComplete() || open_.size() >= kMaxCollectionDepth)
        return kStatusCouldNotInterpret;
    if (open_.empty()) {
        if (tlcs_.size() >= kMaxTopLevelCollections)
            return kStatusCouldNotInterpret;
        std::unique_ptr<Preparsed> block(new (std::nothrow) Preparsed);
        if (!block)
            return kStatusInsufficientResources;
        tlcs_.push_back(std::move(block));
    }
    size_t tlc = open_.empty() ? tlcs_.size() - 1 : open_.back().tlc;
    Preparsed& block = *tlcs_[tlc];
    if (block.nodes.size() >= 0xFFFF)
        return kStatusCouldNotInterpret;
    LinkNode node;
    // A collection takes its first usage; without one, the usage page alone.
    if (!locals_.usages.empty()) {
        node.usagePage = locals_.usages.front().page;
        node.usage = locals_.usages.front().min;
    } else {
        node.usagePage = globals_.usagePage;
    }
    node.type = static_cast<UCHAR>(type);
    USHORT index = static_cast<USHORT>(block.nodes.size());
    if (!open_.empty()) {
        // Children are chained newest first, as the platform lists them.
        LinkNode& parent = block.nodes[open_.back().node];
        node.parent = open_.back().node;
        node.nextSibling = parent.firstChild;
        parent.firstChild = index;
        ++parent.childCount;
    } else {
        block.usage = node.usage;
        block.usagePage = node.usagePage;
    }
    block.nodes.push_back(node);
    open_.push_back({tlc, index});
    return HIDP_STATUS_SUCCESS;
}

NTSTATUS DescriptorParser::EndCollection() {
    if (open_.empty() || !LocalsComplete())
        return kStatusCouldNotInterpret;
    open_.pop_back();
    return HIDP_STATUS_SUCCESS;
}

NTSTATUS DescriptorParser::DataItem(int kind, ULONG flags) {
    // Every field belongs to a collection, and a device either numbers all its reports or
    // none; one report id belongs to one top-level collection.
    if (open_.empty() || !LocalsComplete())
        return kStatusCouldNotInterpret;
    UCHAR id = globals_.reportId;
    (id ? sawNumbered_ : sawUnnumbered_) = true;
    if (sawNumbered_ && sawUnnumbered_)
        return kStatusCouldNotInterpret;
    int tlc = static_cast<int>(open_.back().tlc);
    if (reportIdOwner_[id] < 0)
        reportIdOwner_[id] = tlc;
    else if (reportIdOwner_[id] != tlc)
        return kStatusCouldNotInterpret;

    Preparsed& block = *tlcs_[tlc];
    block.usesReportIds = id != 0;
    // Bit 0 to 7 of every report hold its id, even on a device without ids.
    ULONG& bits = reportBits_[kind][id];
    if (bits == 0)
        bits = 8;
    ULONG startBit = bits;
    bits += globals_.reportSize * globals_.reportCount;
    if (bits > kMaxReportBytes * 8)
        return kStatusCouldNotInterpret;
    block.reportLength[kind] =
        std::max(block.reportLength[kind], static_cast<USHORT>((bits + 7) / 8));

    // Padding and other fields without usages take their bits and give no capability.
    if (globals_.reportCount == 0 || locals_.usages.empty())
        return HIDP_STATUS_SUCCESS;
    if (flags & kMainVariable)
        return AddVariableCaps(kind, flags, startBit);
    return AddArrayCaps(kind, flags, startBit);
}

Capability DescriptorParser::BaseCapability(ULONG flags) const {
    const OpenCollection& at = open_.back();
    const LinkNode& node = tlcs_[at.tlc]->nodes[at.node];
    Capability cap;
    cap.reportId = globals_.reportId;
    cap.bitField = static_cast<USHORT>(flags);
    cap.linkCollection = at.node;
    cap.linkUsage = node.usage;
    cap.linkUsagePage = node.usagePage;
    cap.isAbsolute = !(flags & kMainRelative);
    cap.hasNull = (flags & kMainNullState) != 0;
    cap.bitSize = static_cast<USHORT>(globals_.reportSize);
    cap.unitsExp = globals_.unitExponent;
    cap.units = globals_.unit;
    cap.logicalMin = globals_.logicalMin;
    cap.logicalMax = globals_.logicalMax;
    cap.physicalMin = globals_.physicalMin;
    cap.physicalMax = globals_.physicalMax;
    cap.isStringRange = locals_.haveStringMin && locals_.haveStringMax;
    cap.stringMin = cap.isStringRange ? locals_.stringMin : locals_.stringIndex;
    cap.stringMax = cap.isStringRange ? locals_.stringMax : 0;
    cap.isDesignatorRange = locals_.haveDesignatorMin && locals_.haveDesignatorMax;
    cap.designatorMin = cap.isDesignatorRange ? locals_.designatorMin : locals_.designatorIndex;
    cap.designatorMax = cap.isDesignatorRange ? locals_.designatorMax : 0;
    return cap;
}

// A variable item gives its fields to its usages in declared order, a range one field per
// usage; usages beyond the fields are dropped, and fields beyond the usages go to the last
// one. The capabilities are stored last declared first, and the data indices follow that
// storage order.
NTSTATUS DescriptorParser::AddVariableCaps(int kind, ULONG flags, ULONG startBit) {
    struct Slot {
        size_t first, count; // the usages[] entries of one slot (several when aliased)
        ULONG field, take;
    };
    const std::vector<UsageEntry>& usages = locals_.usages;
    std::vector<Slot> slots;
    ULONG remaining = globals_.reportCount;
    ULONG field = 0;
    for (size_t i = 0; i < usages.size() && remaining > 0;) {
        size_t count = 1;
        while (usages[i].aliasGroup && i + count < usages.size() &&
               usages[i + count].aliasGroup == usages[i].aliasGroup)
            ++count;
        ULONG width = usages[i].isRange ? usages[i].max - usages[i].min + 1u : 1u;
        ULONG take = std::min(width, remaining);
        slots.push_back({i, count, field, take});
        field += take;
        remaining -= take;
        i += count;
    }
    ULONG extra = remaining;
    bool button = globals_.reportSize == 1;
    for (size_t s = slots.size(); s-- > 0;) {
        const Slot& slot = slots[s];
        ULONG slotExtra = s + 1 == slots.size() ? extra : 0;
        for (size_t m = slot.count; m-- > 0;) {
            const UsageEntry& entry = usages[slot.first + m];
            Capability cap = BaseCapability(flags);
            cap.isButton = button;
            cap.usagePage = entry.page;
            cap.isRange = entry.isRange;
            cap.usageMin = entry.min;
            cap.usageMax = static_cast<USAGE>(entry.min + slot.take - 1);
            cap.isAlias = m > 0; // of a set, the first declared is stored last, unaliased
            cap.bitStart = startBit + slot.field * globals_.reportSize;
            cap.fieldCount = static_cast<USHORT>(slot.take + slotExtra);
            cap.reportCount = entry.isRange ? 1 : cap.fieldCount;
            NTSTATUS status = Store(kind, cap, slot.take);
            if (status != HIDP_STATUS_SUCCESS)
                return status;
        }
    }
    return HIDP_STATUS_SUCCESS;
}

// An array item's fields each hold the 1-based index of one usage of its list, 0 for none.
// Every usage or range gets a capability, stored last declared first; the data indices
// follow the declared order.
NTSTATUS DescriptorParser::AddArrayCaps(int kind, ULONG flags, ULONG startBit) {
    const std::vector<UsageEntry>& usages = locals_.usages;
    for (const UsageEntry& entry : usages)
        if (entry.aliasGroup)
            return kStatusCouldNotInterpret; // array usages cannot be aliased
    Preparsed& block = *tlcs_[open_.back().tlc];
    ULONG firstDataIndex = block.dataIndexCount[kind];
    ULONG total = 0;
    for (const UsageEntry& entry : usages)
        total += entry.max - entry.min + 1u;
    if (firstDataIndex + total > 0xFFFF || total + 1 > 0xFFFF)
        return kStatusCouldNotInterpret;
    ULONG base = 1 + total;
    ULONG dataIndexEnd = firstDataIndex + total;
    for (size_t i = usages.size(); i-- > 0;) {
        const UsageEntry& entry = usages[i];
        ULONG width = entry.max - entry.min + 1u;
        base -= width;
        dataIndexEnd -= width;
        Capability cap = BaseCapability(flags);
        cap.isButton = true;
        cap.isArray = true;
        cap.usagePage = entry.page;
        cap.isRange = entry.isRange;
        cap.usageMin = entry.min;
        cap.usageMax = entry.max;
        cap.bitStart = startBit;
        cap.fieldCount = static_cast<USHORT>(globals_.reportCount);
        cap.reportCount = cap.fieldCount;
        cap.arrayBase = static_cast<USHORT>(base);
        cap.dataIndexMin = static_cast<USHORT>(dataIndexEnd);
        cap.dataIndexMax = static_cast<USHORT>(dataIndexEnd + width - 1);
        NTSTATUS status = Store(kind, cap, 0);
        if (status != HIDP_STATUS_SUCCESS)
            return status;
    }
    block.dataIndexCount[kind] = static_cast<USHORT>(firstDataIndex + total);
    return HIDP_STATUS_SUCCESS;
}

// Appends a capability to its kind; with a data index count, also gives it the next indices.
NTSTATUS DescriptorParser::Store(int kind, Capability& cap, ULONG dataIndexCount) {
    Preparsed& block = *tlcs_[open_.back().tlc];
    if (block.caps[kind].size() >= 0xFFFF)
        return kStatusCouldNotInterpret;
    if (dataIndexCount) {
        ULONG first = block.dataIndexCount[kind];
        if (first + dataIndexCount > 0xFFFF)
            return kStatusCouldNotInterpret;
        cap.dataIndexMin = static_cast<USHORT>(first);
        cap.dataIndexMax = static_cast<USHORT>(first + dataIndexCount - 1);
        block.dataIndexCount[kind] = static_cast<USHORT>(first + dataIndexCount);
    }
    block.caps[kind].push_back(cap);
    return HIDP_STATUS_SUCCESS;
}

} // namespace

NTSTATUS ParseDescriptor(const BYTE* descriptor, ULONG length, Collections* collections) {
    if (!collections || (!descriptor && length))
        return kStatusCouldNotInterpret;
    std::unique_ptr<DescriptorParser> parser(new (std::nothrow) DescriptorParser);
    if (!parser)
        return kStatusInsufficientResources;
    return parser->Run(descriptor, length, collections);
}

} // namespace simhid::detail
