// Descriptors that break the item grammar or a bound are refused with the parser's status,
// and no preparsed data is handed out; descriptors right at a bound are still read.
#include "sim/descriptors.h"
#include "sim/hidparse/hid_parser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    const char* name;
    std::string hex;
    NTSTATUS status;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

std::string Repeat(const char* hex, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += hex;
    return out;
}

// A mouse-like collection around the items under test.
std::string InCollection(const std::string& items) {
    return "05010902A101" + items + "C0";
}

const std::string kValue = "0930150025017508950181 02";

NTSTATUS Parse(const std::string& hex, PHIDP_PREPARSED_DATA* data) {
    simdesc::Bytes bytes = simdesc::FromHex(hex.c_str());
    *data = reinterpret_cast<PHIDP_PREPARSED_DATA>(1);
    return simhid::ParseReportDescriptor(bytes.data(), static_cast<ULONG>(bytes.size()), data);
}

class Malformed : public testing::TestWithParam<Case> {};

TEST_P(Malformed, IsRefused) {
    PHIDP_PREPARSED_DATA data;
    EXPECT_EQ(Parse(GetParam().hex, &data), GetParam().status);
    EXPECT_EQ(data, nullptr);
}

const NTSTATUS kBad = simhid::kStatusCouldNotInterpret;

INSTANTIATE_TEST_SUITE_P(
    Descriptors, Malformed,
    testing::Values(
        Case{"ReportIdZero", InCollection("8500" + kValue), HIDP_STATUS_INVALID_REPORT_TYPE},
        Case{"ReportIdAbove255", InCollection("860001" + kValue), kBad},
        Case{"ReportSizeAbove256", InCollection("760101" + kValue), kBad},
        Case{"ReportCountAbove12288", InCollection("960130" + kValue), kBad},
        Case{"PopWithNothingPushed", InCollection("B4" + kValue), kBad},
        Case{"PushNestedTooDeep", InCollection(Repeat("A4", 33) + kValue), kBad},
        Case{"LongItem", InCollection("FE0201AABB" + kValue), simhid::kStatusIllegalInstruction},
        Case{"UnknownMainItem", InCollection("D0" + kValue), simhid::kStatusIllegalInstruction},
        Case{"TruncatedItem", simdesc::kMouseTruncated, simhid::kStatusBufferTooSmall},
        Case{"TruncatedFourByteItem", "05010902A10127FFFF", simhid::kStatusBufferTooSmall},
        Case{"CollectionNotClosed", "05010902A101" + kValue, kBad},
        Case{"CollectionClosedTwice", InCollection(kValue) + "C0", kBad},
        Case{"EndBeforeAnyCollection", "C0" + InCollection(kValue), kBad},
        Case{"CollectionsNestedTooDeep",
             InCollection(Repeat("A100", 32) + kValue + Repeat("C0", 32)), kBad},
        Case{"UsageMinimumWithoutMaximum", InCollection("1901" + kValue), kBad},
        Case{"UsageMaximumWithoutMinimum", InCollection("2903" + kValue), kBad},
        Case{"UsageMinimumAboveMaximum", InCollection("19052903" + kValue), kBad},
        Case{"UsageMinimumGivenTwice", InCollection("190119022903" + kValue), kBad},
        Case{"UsageRangeAcrossPages", InCollection("1B010001002B03000200" + kValue), kBad},
        Case{"FieldOutsideAnyCollection", kValue + InCollection(kValue), kBad},
        Case{"NumberedAndUnnumberedReports", InCollection(kValue + "8501" + kValue), kBad},
        Case{"ReportIdInTwoTopLevelCollections",
             InCollection("8501" + kValue) + InCollection("8501" + kValue), kBad},
        Case{"ReportLongerThan65535Bytes", InCollection("09307600019600088102"), kBad},
        Case{"TooManyUsagesForOneItem", InCollection(Repeat("0930", 1024) + kValue), kBad},
        Case{"MoreThan65535DataIndices",
             InCollection("0507190029FF150026FF00750895018100"
                          "1B00000800 2BFFFF0800 8100"),
             kBad},
        Case{"DelimiterNotClosed", InCollection("A901" + kValue), kBad},
        Case{"DelimiterNested", InCollection("A901A901 0930A900A900" + kValue), kBad},
        Case{"DelimiterClosedWithoutOpening", InCollection("A900" + kValue), kBad},
        Case{"UsageRangeInDelimiter", InCollection("A90119012903A900" + kValue), kBad},
        Case{"AliasedArrayUsage", InCollection("A90109010902A900150025017508950181 00"), kBad},
        Case{"TooManyTopLevelCollections", Repeat("A101C0", 256), kBad},
        Case{"Empty", "", simhid::kStatusNoDataDetected},
        Case{"NoCollection", "0501150025017508", simhid::kStatusNoDataDetected},
        Case{"LongerThanAnyDevice", InCollection(Repeat("C4", 0x10000)), kBad}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

class AtTheBound : public testing::TestWithParam<Case> {};

TEST_P(AtTheBound, IsRead) {
    PHIDP_PREPARSED_DATA data;
    ASSERT_EQ(Parse(GetParam().hex, &data), HIDP_STATUS_SUCCESS);
    HIDP_CAPS caps;
    EXPECT_EQ(simhid::HidP_GetCaps(data, &caps), HIDP_STATUS_SUCCESS);
    simhid::FreePreparsedData(data);
}

INSTANTIATE_TEST_SUITE_P(
    Descriptors, AtTheBound,
    testing::Values(
        Case{"ReportId255", InCollection("85FF" + kValue), 0},
        Case{"ReportSize256", InCollection("760001" + kValue), 0},
        Case{"ReportCount12288", InCollection("0930150025017501960030 8102"), 0},
        Case{"PushNested32Deep", InCollection(Repeat("A4", 32) + kValue + Repeat("B4", 32)), 0},
        Case{"CollectionsNested32Deep",
             InCollection(Repeat("A100", 31) + kValue + Repeat("C0", 31)), 0},
        Case{"TopLevelCollections255", Repeat("A101C0", 255), 0},
        Case{"Usages1024ForOneItem", InCollection(Repeat("0930", 1023) + kValue), 0},
        Case{"Report65535Bytes", InCollection("0930760001 96FF07 8102 75F0 9501 8103"), 0},
        Case{"ReservedItemsAreSkipped", InCollection("C4 E4 0E0100 F8" + kValue), 0}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
