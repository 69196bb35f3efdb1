// Reads a HID report descriptor, item by item, into one block per top-level collection. The
// bytes come from a device and are not trusted: every size, count, depth and length is
// bounded, and a descriptor that breaks a bound or the item grammar is refused.
#pragma once

#include "sim/hidparse/preparsed.h"

#include <memory>
#include <vector>

namespace simhid::detail {

// Bounds on what a descriptor may declare.
constexpr ULONG kMaxDescriptorLength = 0xFFFF;  // the most a USB descriptor can carry
constexpr ULONG kMaxReportSize = 256;           // bits of one field
constexpr ULONG kMaxReportCount = 12288;        // fields of one main item
constexpr size_t kMaxPushDepth = 32;            // nested Push items
constexpr size_t kMaxCollectionDepth = 32;      // nested collections
constexpr size_t kMaxTopLevelCollections = 255; // as many as a collection number can count
constexpr size_t kMaxUsagesPerItem = 1024;      // usages and ranges before one main item
constexpr ULONG kMaxReportBytes = 0xFFFF;       // one report, id byte included

using Collections = std::vector<std::unique_ptr<Preparsed>>;

// Parses a whole descriptor. On success *collections holds one block per top-level
// collection, in descriptor order. Failure statuses are those of the platform's parser:
// STATUS_BUFFER_TOO_SMALL (an item runs past the end), STATUS_ILLEGAL_INSTRUCTION (a long or
// unknown main item), HIDP_STATUS_INVALID_REPORT_TYPE (report id 0), STATUS_NO_DATA_DETECTED
// (no top-level collection) and STATUS_COULD_NOT_INTERPRET (anything else out of bounds or
// out of order).
NTSTATUS ParseDescriptor(const BYTE* descriptor, ULONG length, Collections* collections);

} // namespace simhid::detail
