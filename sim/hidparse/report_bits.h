// Fields of a HID report: little-endian bit strings at any bit offset, lowest bit first.
#pragma once

#include <windows.h>

namespace simhid::detail {

// Reads up to 32 bits; bits past the 32nd of a wider field are not read.
ULONG ReadBits(const BYTE* report, ULONG bitStart, ULONG bitCount);
// Whether any bit of the range is set.
bool AnyBitSet(const BYTE* report, ULONG bitStart, ULONG bitCount);
// Writes the low bits of value into the field; bits past the 32nd of a wider field become 0.
void WriteBits(BYTE* report, ULONG bitStart, ULONG bitCount, ULONG value);

} // namespace simhid::detail
