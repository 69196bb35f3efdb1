#include "sim/hidparse/report_bits.h"

namespace simhid::detail {

ULONG ReadBits(const BYTE* report, ULONG bitStart, ULONG bitCount) {
    ULONG value = 0;
    for (ULONG i = 0; i < bitCount && i < 32; ++i) {
        ULONG bit = bitStart + i;
        if (report[bit / 8] & (1u << (bit % 8)))
            value |= 1ul << i;
    }
    return value;
}

bool AnyBitSet(const BYTE* report, ULONG bitStart, ULONG bitCount) {
    for (ULONG i = 0; i < bitCount; ++i) {
        ULONG bit = bitStart + i;
        if (report[bit / 8] & (1u << (bit % 8)))
            return true;
    }
    return false;
}

void WriteBits(BYTE* report, ULONG bitStart, ULONG bitCount, ULONG value) {
    for (ULONG i = 0; i < bitCount; ++i) {
        ULONG bit = bitStart + i;
        BYTE mask = static_cast<BYTE>(1u << (bit % 8));
        if (i < 32 && (value >> i) & 1)
            report[bit / 8] |= mask;
        else
            report[bit / 8] &= static_cast<BYTE>(~mask);
    }
}

} // namespace simhid::detail
