// Report descriptors of real and constructed HID devices, as bytes, for the simulated bus
// and its tests.
#pragma once

#include <windows.h>
#include <vector>

namespace simdesc {

using Bytes = std::vector<BYTE>;

// Parses a string of hexadecimal digit pairs (whitespace allowed) into bytes.
Bytes FromHex(const char* hex);

// Mouse without report ids: 3 buttons padded to 8 bits, X, Y, wheel (8-bit, relative).
extern const char* const kMouse;
// Vendor page, report id 1: feature of 9 bytes, input 1 byte, output 7 bytes, array items.
extern const char* const kVendorArrays;
// Vendor page: feature report 5 holds one 32-bit value, feature report 6 a 63-byte reply.
extern const char* const kVendorTwoFeatures;
// Touch screen: report 1 input (tip, contact id, X/Y, contact count), feature report 2.
extern const char* const kTouchScreen;
// The mouse with its last byte changed from C0 to 07: a truncated item.
extern const char* const kMouseTruncated;

} // namespace simdesc
