// Where Wine 8's parser departs from the documented Windows behaviour, ours follows the
// documentation. Each test names the document and shows what Wine does instead; the parts
// that both should agree on are still compared.
#include "sim/descriptors.h"
#include "sim/hidparse/hid_parser.h"
#include "tests/hidparse/parser_pair.h"

#include <gtest/gtest.h>

namespace hidtest {
namespace {

class OracleDeviation : public testing::Test {
protected:
    void SetUp() override {
        if (!oracle::WineParse::Available())
            GTEST_SKIP() << "Wine's hidparse.sys is not loadable here";
    }
};

std::vector<char> Tail(const std::vector<char>& report) {
    return {report.begin() + 1, report.end()};
}

// "Initializing HID Reports": on the first use of a zeroed report the HidP_Set routines
// write the report id of the usage they set; Wine 8 leaves byte 0 at 0.
TEST_F(OracleDeviation, FirstSetIntoZeroedReportWritesTheReportId) {
    ParserPair twoFeatures(simdesc::kVendorTwoFeatures);
    std::vector<char> ours(64, 0), wine(64, 0);
    ASSERT_EQ(simhid::HidP_SetUsageValue(HidP_Feature, 0xFF00, 0, 2, 0x12345678, twoFeatures.ours(),
                                         ours.data(), 64),
              HIDP_STATUS_SUCCESS);
    ASSERT_EQ(::HidP_SetUsageValue(HidP_Feature, 0xFF00, 0, 2, 0x12345678, twoFeatures.wine(),
                                   wine.data(), 64),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(ours[0], 5);
    EXPECT_EQ(wine[0], 0) << "Wine now writes the report id: this deviation is gone";
    EXPECT_EQ(Tail(ours), Tail(wine));
    // The report now belongs to id 5: a usage of report 6 no longer fits into it.
    EXPECT_EQ(simhid::HidP_SetUsageValue(HidP_Feature, 0xFF00, 0, 3, 1, twoFeatures.ours(),
                                         ours.data(), 64),
              HIDP_STATUS_INCOMPATIBLE_REPORT_ID);

    ParserPair arrays(simdesc::kVendorArrays);
    std::vector<char> ourButtons(10, 0), wineButtons(10, 0);
    USAGE usage = 1;
    ULONG count = 1;
    ASSERT_EQ(simhid::HidP_SetUsages(HidP_Feature, 0xFF00, 0, &usage, &count, arrays.ours(),
                                     ourButtons.data(), 10),
              HIDP_STATUS_SUCCESS);
    ASSERT_EQ(::HidP_SetUsages(HidP_Feature, 0xFF00, 0, &usage, &count, arrays.wine(),
                               wineButtons.data(), 10),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(ourButtons[0], 1);
    EXPECT_EQ(Tail(ourButtons), Tail(wineButtons));
}

// HidP_GetUsageValue: HIDP_STATUS_INCOMPATIBLE_REPORT_ID when the usage is in a report other
// than the one given. Byte 0 is the report's id, and no report of a numbered device has id
// 0; Wine 8 reads such a report as if it had the usage's id.
TEST_F(OracleDeviation, ReportWithIdZeroOnNumberedDeviceHoldsNoUsage) {
    ParserPair pair(simdesc::kVendorTwoFeatures);
    std::vector<char> report(64, 0);
    report[1] = 0x44;
    ULONG value = 0;
    LONG scaled = 0;
    EXPECT_EQ(simhid::HidP_GetUsageValue(HidP_Feature, 0xFF00, 0, 2, &value, pair.ours(),
                                         report.data(), 64),
              HIDP_STATUS_INCOMPATIBLE_REPORT_ID);
    EXPECT_EQ(simhid::HidP_GetScaledUsageValue(HidP_Feature, 0xFF00, 0, 2, &scaled, pair.ours(),
                                               report.data(), 64),
              HIDP_STATUS_INCOMPATIBLE_REPORT_ID);
    EXPECT_EQ(
        ::HidP_GetUsageValue(HidP_Feature, 0xFF00, 0, 2, &value, pair.wine(), report.data(), 64),
        HIDP_STATUS_SUCCESS)
        << "Wine now refuses it too";
}

// HidP_SetUsages: "If HidP_SetUsages cannot set a usage in UsageList, the routine sets
// UsageLength to the index of the usage that could not be set". Wine 8 leaves it as it was.
TEST_F(OracleDeviation, FailedSetUsagesGivesTheFailingIndex) {
    ParserPair pair(simdesc::kMouse);
    USAGE usages[] = {1, 4, 2};
    std::vector<char> ours(5, 0), wine(5, 0);
    ULONG ourCount = 3, wineCount = 3;
    EXPECT_EQ(
        simhid::HidP_SetUsages(HidP_Input, 9, 0, usages, &ourCount, pair.ours(), ours.data(), 5),
        HIDP_STATUS_USAGE_NOT_FOUND);
    EXPECT_EQ(::HidP_SetUsages(HidP_Input, 9, 0, usages, &wineCount, pair.wine(), wine.data(), 5),
              HIDP_STATUS_USAGE_NOT_FOUND);
    EXPECT_EQ(ourCount, 1u);
    EXPECT_EQ(Hex(ours), Hex(wine)); // button 1 is set, button 2 is not reached
}

// Usage 0 is reserved ("HID Usages"), and a usage list shorter than its room ends in zeros.
// Wine 8 faults on a 0 entry when no capability starts at usage 0, and sets usage 0 where
// one does; ours passes zero entries over.
TEST_F(OracleDeviation, ZeroEntriesOfAUsageListArePassedOver) {
    ParserPair mouse(simdesc::kMouse);
    USAGE usages[] = {2, 0, 0, 0};
    ULONG count = 4;
    std::vector<char> report(5, 0);
    EXPECT_EQ(
        simhid::HidP_SetUsages(HidP_Input, 9, 0, usages, &count, mouse.ours(), report.data(), 5),
        HIDP_STATUS_SUCCESS);
    EXPECT_EQ(count, 4u);
    EXPECT_EQ(Hex(report), "00 02 00 00 00 ");

    // A keyboard-like array whose usage range starts at 0.
    ParserPair keys("05010906A101050719002965150025657508950681000507190029FF150026FF00750895"
                    "018100C0");
    USAGE keyList[] = {0, 4, 0};
    count = 3;
    std::vector<char> ours(8, 0), wine(8, 0);
    EXPECT_EQ(
        simhid::HidP_SetUsages(HidP_Input, 7, 0, keyList, &count, keys.ours(), ours.data(), 8),
        HIDP_STATUS_SUCCESS);
    EXPECT_EQ(Hex(ours), "00 05 00 00 00 00 00 00 ");
    ::HidP_SetUsages(HidP_Input, 7, 0, keyList, &count, keys.wine(), wine.data(), 8);
    EXPECT_EQ(Hex(wine), "00 01 05 01 00 00 00 00 ") << "Wine no longer sets usage 0";
}

// HidP_GetScaledUsageValue: HIDP_STATUS_NULL when the value is outside the logical range
// and the field has a null state. Wine 8 gives HIDP_STATUS_VALUE_OUT_OF_RANGE.
TEST_F(OracleDeviation, OutOfRangeValueWithNullStateIsNull) {
    // X without a null state, Y with one; both -127..127 in 8 bits.
    ParserPair pair("05010902A101093015812 57F750895018102093181 42C0");
    std::vector<char> report = {0, char(0x80), char(0x80)};
    LONG ours = 1, wine = 1;
    EXPECT_EQ(simhid::HidP_GetScaledUsageValue(HidP_Input, 1, 0, 0x31, &ours, pair.ours(),
                                               report.data(), 3),
              HIDP_STATUS_NULL);
    EXPECT_EQ(
        ::HidP_GetScaledUsageValue(HidP_Input, 1, 0, 0x31, &wine, pair.wine(), report.data(), 3),
        HIDP_STATUS_VALUE_OUT_OF_RANGE);
    EXPECT_EQ(ours, wine);
    EXPECT_EQ(simhid::HidP_GetScaledUsageValue(HidP_Input, 1, 0, 0x30, &ours, pair.ours(),
                                               report.data(), 3),
              HIDP_STATUS_VALUE_OUT_OF_RANGE);
}

// HidP_GetScaledUsageValue: HIDP_STATUS_BAD_LOG_PHY_VALUES for "an illegal logical or
// physical value". A logical range of one value cannot be mapped onto a physical range;
// Wine 8 answers success with -1.
TEST_F(OracleDeviation, LogicalRangeOfOneValueCannotBeScaled) {
    ParserPair pair("05010902A10109301505250535004 50A750895018102C0");
    std::vector<char> report = {0, 5};
    LONG ours = 1, wine = 1;
    EXPECT_EQ(simhid::HidP_GetScaledUsageValue(HidP_Input, 1, 0, 0x30, &ours, pair.ours(),
                                               report.data(), 2),
              HIDP_STATUS_BAD_LOG_PHY_VALUES);
    EXPECT_EQ(ours, 0);
    EXPECT_EQ(
        ::HidP_GetScaledUsageValue(HidP_Input, 1, 0, 0x30, &wine, pair.wine(), report.data(), 2),
        HIDP_STATUS_SUCCESS);
}

// "Button Capability Arrays" and "Value Capability Arrays": the parser uses only the usages
// an item needs; the rest are discarded and the capability array holds nothing of them.
// Wine 8 keeps a capability with a report count of 0 for a surplus usage, and gives a range
// longer than its item usages past the item's end, where it writes into the next field.
TEST_F(OracleDeviation, UsagesBeyondTheFieldsAreDropped) {
    // Usages X, Y, Z for two fields.
    ParserPair values("05010902A101093009310932150026FF0075089502 8102C0");
    HIDP_VALUE_CAPS caps[4];
    USHORT count = 4;
    ASSERT_EQ(simhid::HidP_GetSpecificValueCaps(HidP_Input, 0, 0, 0, caps, &count, values.ours()),
              HIDP_STATUS_SUCCESS);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(caps[0].NotRange.Usage, 0x31);
    EXPECT_EQ(caps[0].ReportCount, 1);
    EXPECT_EQ(caps[0].NotRange.DataIndex, 0);
    EXPECT_EQ(caps[1].NotRange.Usage, 0x30);
    EXPECT_EQ(caps[1].NotRange.DataIndex, 1);
    count = 4;
    ::HidP_GetSpecificValueCaps(HidP_Input, 0, 0, 0, caps, &count, values.wine());
    EXPECT_EQ(count, 3) << "Wine now drops the surplus usage";

    // Buttons 1 to 16 for three one-bit fields, five bits of padding, then X.
    ParserPair buttons("05010902A101050919012910150025017501950381027505950181 03"
                       "0930150026FF0075089501 8102C0");
    EXPECT_EQ(buttons.caps().InputReportByteLength, 3);
    HIDP_BUTTON_CAPS button;
    count = 1;
    ASSERT_EQ(
        simhid::HidP_GetSpecificButtonCaps(HidP_Input, 0, 0, 0, &button, &count, buttons.ours()),
        HIDP_STATUS_SUCCESS);
    EXPECT_EQ(button.Range.UsageMin, 1);
    EXPECT_EQ(button.Range.UsageMax, 3);
    EXPECT_EQ(button.Range.DataIndexMax, 2);
    EXPECT_EQ(simhid::HidP_MaxUsageListLength(HidP_Input, 9, buttons.ours()), 3u);
    std::vector<char> report(3, 0);
    USAGE twelve = 12;
    ULONG one = 1;
    EXPECT_EQ(
        simhid::HidP_SetUsages(HidP_Input, 9, 0, &twelve, &one, buttons.ours(), report.data(), 3),
        HIDP_STATUS_USAGE_NOT_FOUND);
    EXPECT_EQ(Hex(report), "00 00 00 ");
}

// HidP_GetUsages: "The routine only returns information about buttons on this usage page";
// page 0 is no page. Wine 8 takes 0 as any page.
TEST_F(OracleDeviation, GetUsagesReadsOnlyTheGivenPage) {
    ParserPair pair(simdesc::kMouse);
    std::vector<char> report = {0, 5, 0, 0, 0};
    USAGE usages[8];
    ULONG count = 8;
    EXPECT_EQ(
        simhid::HidP_GetUsages(HidP_Input, 0, 0, usages, &count, pair.ours(), report.data(), 5),
        HIDP_STATUS_USAGE_NOT_FOUND);
    EXPECT_EQ(count, 0u);
    count = 8;
    EXPECT_EQ(::HidP_GetUsages(HidP_Input, 0, 0, usages, &count, pair.wine(), report.data(), 5),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(count, 2u);
}

// HidP_SetUsageValue: HIDP_STATUS_REPORT_DOES_NOT_EXIST when "there are no reports of the
// specified type". Wine 8 answers HIDP_STATUS_INVALID_REPORT_LENGTH.
TEST_F(OracleDeviation, SettingAValueOfAKindWithoutReports) {
    ParserPair pair(simdesc::kVendorTwoFeatures);
    char report[1] = {};
    for (ULONG length : {0ul, 1ul}) {
        EXPECT_EQ(
            simhid::HidP_SetUsageValue(HidP_Output, 0xFF00, 0, 2, 1, pair.ours(), report, length),
            HIDP_STATUS_REPORT_DOES_NOT_EXIST);
        EXPECT_EQ(::HidP_SetUsageValue(HidP_Output, 0xFF00, 0, 2, 1, pair.wine(), report, length),
                  HIDP_STATUS_INVALID_REPORT_LENGTH);
    }
}

// "Top-Level Collections": each top-level collection has its own preparsed data and its own
// reports. Wine 8 nests a second application collection inside the first.
TEST_F(OracleDeviation, TopLevelCollectionsAreSeparate) {
    const char* hex = "05010902A1018501093015002501750895018102C005010906A101850209318102093281"
                      "02C0";
    ParserPair pair(hex);
    EXPECT_EQ(pair.caps().NumberInputValueCaps, 1);
    EXPECT_EQ(pair.caps().InputReportByteLength, 2);
    simdesc::Bytes bytes = simdesc::FromHex(hex);
    std::vector<PHIDP_PREPARSED_DATA> blocks;
    ASSERT_EQ(simhid::ParseTopLevelCollections(bytes.data(), ULONG(bytes.size()), &blocks),
              HIDP_STATUS_SUCCESS);
    ASSERT_EQ(blocks.size(), 2u);
    HIDP_CAPS second;
    ASSERT_EQ(simhid::HidP_GetCaps(blocks[1], &second), HIDP_STATUS_SUCCESS);
    EXPECT_EQ(second.UsagePage, 1);
    EXPECT_EQ(second.Usage, 6);
    EXPECT_EQ(second.NumberLinkCollectionNodes, 1);
    EXPECT_EQ(second.NumberInputValueCaps, 2);
    EXPECT_EQ(second.InputReportByteLength, 3);
    HIDP_VALUE_CAPS cap;
    USHORT count = 1;
    ASSERT_EQ(simhid::HidP_GetSpecificValueCaps(HidP_Input, 1, 0, 0x31, &cap, &count, blocks[1]),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(cap.LinkCollection, 0);
    EXPECT_EQ(cap.ReportID, 2);
    for (PHIDP_PREPARSED_DATA block : blocks)
        simhid::FreePreparsedData(block);

    oracle::WineParse wine(bytes);
    EXPECT_EQ(wine.collectionCount(), 1u) << "Wine now splits top-level collections";
}

// An array's field holds only its own bits. Wine 8 reads the bits after a 2-bit array
// field into its index, so padding that is not zero hides the usage.
TEST_F(OracleDeviation, NarrowArrayFieldReadsOnlyItsOwnBits) {
    ParserPair pair("05010902A101050109810982098315012503750295018100750695018101C0");
    std::vector<char> report = {0, 0x06}; // index 2 in bits 0-1, a padding bit above
    USAGE usages[2] = {};
    ULONG count = 2;
    EXPECT_EQ(
        simhid::HidP_GetUsages(HidP_Input, 1, 0, usages, &count, pair.ours(), report.data(), 2),
        HIDP_STATUS_SUCCESS);
    ASSERT_EQ(count, 1u);
    EXPECT_EQ(usages[0], 0x82);
    count = 2;
    ::HidP_GetUsages(HidP_Input, 1, 0, usages, &count, pair.wine(), report.data(), 2);
    EXPECT_EQ(count, 0u) << "Wine now masks array fields";
}

// HidP_GetCollectionDescription: STATUS_BUFFER_TOO_SMALL when the descriptor ends where an
// item needs more data. Wine 8 answers HIDP_STATUS_INTERNAL_ERROR.
TEST_F(OracleDeviation, TruncatedItemStatus) {
    ParserPair pair(simdesc::kMouseTruncated);
    EXPECT_EQ(pair.ourStatus(), simhid::kStatusBufferTooSmall);
    EXPECT_EQ(pair.ours(), nullptr);
    EXPECT_EQ(pair.wineStatus(), HIDP_STATUS_INTERNAL_ERROR);
}

// "Button Capability Arrays": a set of n aliased usages gives n capabilities, stored last
// declared first, with IsAlias TRUE on the first n-1 stored. Wine 8 refuses delimiters.
TEST_F(OracleDeviation, AliasedUsagesGiveOneCapabilityEach) {
    // Buttons: an aliased set {1, 2, 3} for the first bit, usage 4 for the second.
    ParserPair pair("05010902A1010509A9010901090209 03A9000904150025017501950281027506950181 03C0");
    ASSERT_EQ(pair.ourStatus(), HIDP_STATUS_SUCCESS);
    EXPECT_EQ(pair.wineStatus(), HIDP_STATUS_INTERNAL_ERROR) << "Wine now reads delimiters";
    HIDP_BUTTON_CAPS caps[8];
    USHORT count = 8;
    ASSERT_EQ(simhid::HidP_GetSpecificButtonCaps(HidP_Input, 0, 0, 0, caps, &count, pair.ours()),
              HIDP_STATUS_SUCCESS);
    ASSERT_EQ(count, 4);
    const USAGE usage[] = {4, 3, 2, 1};
    const BOOLEAN alias[] = {FALSE, TRUE, TRUE, FALSE};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(caps[i].NotRange.Usage, usage[i]) << i;
        EXPECT_EQ(caps[i].IsAlias, alias[i]) << i;
        EXPECT_EQ(caps[i].NotRange.DataIndex, i) << i;
    }
    // Every alias names the same button; the report lists it by its preferred usage.
    std::vector<char> report(2, 0);
    USAGE three = 3;
    ULONG one = 1;
    ASSERT_EQ(simhid::HidP_SetUsages(HidP_Input, 9, 0, &three, &one, pair.ours(), report.data(), 2),
              HIDP_STATUS_SUCCESS);
    EXPECT_EQ(Hex(report), "00 01 ");
    USAGE on[4];
    ULONG onCount = 4;
    ASSERT_EQ(simhid::HidP_GetUsages(HidP_Input, 9, 0, on, &onCount, pair.ours(), report.data(), 2),
              HIDP_STATUS_SUCCESS);
    ASSERT_EQ(onCount, 1u);
    EXPECT_EQ(on[0], 1);
}

} // namespace
} // namespace hidtest
