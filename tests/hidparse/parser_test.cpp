// The parser's own promises beyond what Wine can confirm: preparsed data is checked before
// it is used, null arguments are refused, and the first of several top-level collections is
// the one a single parse gives.
#include "sim/descriptors.h"
#include "sim/hidparse/hid_parser.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

PHIDP_PREPARSED_DATA ParseHex(const char* hex) {
    simdesc::Bytes bytes = simdesc::FromHex(hex);
    PHIDP_PREPARSED_DATA data = nullptr;
    EXPECT_EQ(simhid::ParseReportDescriptor(bytes.data(), ULONG(bytes.size()), &data),
              HIDP_STATUS_SUCCESS);
    return data;
}

// Every operation refuses what is not a live block of ours, without reading through it.
void ExpectRefused(PHIDP_PREPARSED_DATA data) {
    HIDP_CAPS caps;
    EXPECT_EQ(simhid::HidP_GetCaps(data, &caps), HIDP_STATUS_INVALID_PREPARSED_DATA);
    HIDP_BUTTON_CAPS buttons[2];
    HIDP_VALUE_CAPS values[2];
    USHORT count = 2;
    EXPECT_EQ(simhid::HidP_GetSpecificButtonCaps(HidP_Input, 0, 0, 0, buttons, &count, data),
              HIDP_STATUS_INVALID_PREPARSED_DATA);
    EXPECT_EQ(simhid::HidP_GetSpecificValueCaps(HidP_Input, 0, 0, 0, values, &count, data),
              HIDP_STATUS_INVALID_PREPARSED_DATA);
    EXPECT_EQ(simhid::HidP_MaxUsageListLength(HidP_Input, 0, data), 0u);
    char report[5] = {};
    USAGE usages[2] = {1, 2};
    ULONG length = 2;
    ULONG raw;
    LONG scaled;
    EXPECT_EQ(simhid::HidP_SetUsages(HidP_Input, 9, 0, usages, &length, data, report, 5),
              HIDP_STATUS_INVALID_PREPARSED_DATA);
    EXPECT_EQ(simhid::HidP_GetUsages(HidP_Input, 9, 0, usages, &length, data, report, 5),
              HIDP_STATUS_INVALID_PREPARSED_DATA);
    EXPECT_EQ(simhid::HidP_SetUsageValue(HidP_Input, 1, 0, 0x30, 1, data, report, 5),
              HIDP_STATUS_INVALID_PREPARSED_DATA);
    EXPECT_EQ(simhid::HidP_GetUsageValue(HidP_Input, 1, 0, 0x30, &raw, data, report, 5),
              HIDP_STATUS_INVALID_PREPARSED_DATA);
    EXPECT_EQ(simhid::HidP_GetScaledUsageValue(HidP_Input, 1, 0, 0x30, &scaled, data, report, 5),
              HIDP_STATUS_INVALID_PREPARSED_DATA);
    simhid::FreePreparsedData(data); // ignored
}

TEST(PreparsedData, NullIsRefused) {
    ExpectRefused(nullptr);
}

TEST(PreparsedData, StrayPointerIsRefused) {
    // Bytes that start like a block, and a pointer into the middle of a real one.
    alignas(16) BYTE lookalike[512];
    std::memset(lookalike, 0, sizeof lookalike);
    std::memcpy(lookalike, "HIPS", 4);
    ExpectRefused(reinterpret_cast<PHIDP_PREPARSED_DATA>(lookalike));
    PHIDP_PREPARSED_DATA real = ParseHex(simdesc::kMouse);
    ExpectRefused(reinterpret_cast<PHIDP_PREPARSED_DATA>(reinterpret_cast<BYTE*>(real) + 8));
    ExpectRefused(reinterpret_cast<PHIDP_PREPARSED_DATA>(0x10));
    HIDP_CAPS caps;
    EXPECT_EQ(simhid::HidP_GetCaps(real, &caps), HIDP_STATUS_SUCCESS);
    simhid::FreePreparsedData(real);
}

TEST(PreparsedData, BlockGivenBackIsRefused) {
    PHIDP_PREPARSED_DATA data = ParseHex(simdesc::kMouse);
    simhid::FreePreparsedData(data);
    ExpectRefused(data);
}

TEST(Arguments, NullPointersAreRefused) {
    PHIDP_PREPARSED_DATA data = ParseHex(simdesc::kMouse);
    simdesc::Bytes bytes = simdesc::FromHex(simdesc::kMouse);
    EXPECT_EQ(simhid::ParseReportDescriptor(bytes.data(), ULONG(bytes.size()), nullptr),
              simhid::kStatusInvalidParameter);
    PHIDP_PREPARSED_DATA none = nullptr;
    EXPECT_EQ(simhid::ParseReportDescriptor(nullptr, 10, &none), simhid::kStatusCouldNotInterpret);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(simhid::HidP_GetCaps(data, nullptr), simhid::kStatusInvalidParameter);
    EXPECT_EQ(simhid::HidP_GetSpecificButtonCaps(HidP_Input, 0, 0, 0, nullptr, nullptr, data),
              simhid::kStatusInvalidParameter);
    // A null list with room for none asks for the count.
    USHORT count = 5;
    EXPECT_EQ(simhid::HidP_GetSpecificValueCaps(HidP_Input, 0, 0, 0, nullptr, &count, data),
              HIDP_STATUS_BUFFER_TOO_SMALL);
    EXPECT_EQ(count, 3);
    char report[5] = {};
    ULONG length = 1;
    EXPECT_EQ(simhid::HidP_SetUsages(HidP_Input, 9, 0, nullptr, &length, data, report, 5),
              simhid::kStatusInvalidParameter);
    EXPECT_EQ(simhid::HidP_GetUsages(HidP_Input, 9, 0, nullptr, nullptr, data, report, 5),
              simhid::kStatusInvalidParameter);
    EXPECT_EQ(simhid::HidP_SetUsageValue(HidP_Input, 1, 0, 0x30, 1, data, nullptr, 5),
              simhid::kStatusInvalidParameter);
    EXPECT_EQ(simhid::HidP_GetUsageValue(HidP_Input, 1, 0, 0x30, nullptr, data, report, 5),
              simhid::kStatusInvalidParameter);
    EXPECT_EQ(simhid::HidP_GetScaledUsageValue(HidP_Input, 1, 0, 0x30, nullptr, data, report, 5),
              simhid::kStatusInvalidParameter);
    simhid::FreePreparsedData(data);
}

TEST(TopLevelCollections, SingleParseGivesTheFirst) {
    PHIDP_PREPARSED_DATA data = ParseHex("05010902A1018501093015002501750895018102C005010906A101"
                                         "850209318102C0");
    HIDP_CAPS caps;
    ASSERT_EQ(simhid::HidP_GetCaps(data, &caps), HIDP_STATUS_SUCCESS);
    EXPECT_EQ(caps.Usage, 2);
    EXPECT_EQ(caps.NumberInputValueCaps, 1);
    // Report 2 belongs to the second collection only.
    char report[2] = {2, 0};
    EXPECT_EQ(simhid::HidP_SetUsageValue(HidP_Input, 1, 0, 0x31, 1, data, report, 2),
              HIDP_STATUS_USAGE_NOT_FOUND);
    simhid::FreePreparsedData(data);
}

} // namespace
