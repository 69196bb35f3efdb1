// Packing items into reports and unpacking reports into items, on items that
// LoadReportItems built from real descriptors.
#include "hid/discovery.h"
#include "hid/hid_platform.h"
#include "hid/report_packing.h"
#include "tests/hid/virtual_bus_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Vendor feature reports of 8-bit values: usages 0x10 and 0x11 in report 2, 0x12 in
// report 3, 0x13 in report 2 again. Report 2 is 4 bytes with its id, report 3 two.
const char* const kIds2232 = "0600FF0901A101"
                             "85020910150026FF0075089501B102"
                             "0911B102"
                             "85030912B102"
                             "85020913B102"
                             "C0";

// Input buttons 1-8 and 9-16 as two capabilities of one report without report ids.
const char* const kTwoButtonRanges = "0600FF0901A101"
                                     "05091901290815002501750195088102"
                                     "190929108102"
                                     "C0";

// One feature value whose logical range is reversed (10 to 5): it can be read raw but not
// scaled.
const char* const kIllogicalRange = "0600FF0901A101"
                                    "0920150A250575089501B102"
                                    "C0";

constexpr ULONG kUntouched = 0xDEADBEEF;

struct Opened {
    explicit Opened(const char* descriptor)
        : device(bus.AddDevice(0x1234, 0x5678, descriptor)), use(bus), release(record) {
        opened = OpenHidPath(device.Path().c_str(), &record);
    }
    SimBus bus;
    SimDevice& device;
    ScopedHidPlatform use;
    HidDevice record = {};
    ScopedRecordRelease release;
    int opened = 0;
};

std::vector<BYTE> Bytes(const CHAR* report, USHORT length) {
    return std::vector<BYTE>(reinterpret_cast<const BYTE*>(report),
                             reinterpret_cast<const BYTE*>(report) + length);
}

// Feature items of kIds2232 with values 0xA1.. and a recognisable status.
struct FeatureItems : Opened {
    FeatureItems() : Opened(kIds2232) {
        items = record.featureItems;
        length = record.caps.FeatureReportByteLength;
        for (ULONG i = 0; i < record.featureItemCount; ++i) {
            items[i].val.value = 0xA1 + i;
            items[i].status = kUntouched;
        }
    }
    BOOLEAN Build(ULONG first) {
        return BuildReport(record.featureReport, length, ReportFeature, items + first,
                           record.featureItemCount - first, record.preparsedData);
    }
    std::vector<BYTE> Report() const { return Bytes(record.featureReport, length); }
    HidDataItem* items = nullptr;
    USHORT length = 0;
};

TEST(BuildReport, PacksOnlyItemsOfTheFirstItemsReportId) {
    FeatureItems f;
    ASSERT_EQ(f.opened, 1);
    ASSERT_EQ(f.record.featureItemCount, 4u);
    ASSERT_EQ(f.length, 4);

    EXPECT_TRUE(f.Build(0));
    EXPECT_EQ(f.Report(), (std::vector<BYTE>{0x02, 0xA1, 0xA2, 0xA4}));
    const BYTE marked[] = {1, 1, 0, 1};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(f.items[i].isSet, marked[i]) << i;
    EXPECT_EQ(f.items[0].status, static_cast<ULONG>(HIDP_STATUS_SUCCESS));
    EXPECT_EQ(f.items[2].status, kUntouched);
}

TEST(BuildReport, SecondItemFailingLeavesFirstFieldAndMarksNothing) {
    FeatureItems f;
    ASSERT_EQ(f.opened, 1);
    f.items[1].val.usage = 0x7F; // no such usage

    EXPECT_FALSE(f.Build(0));
    EXPECT_EQ(f.Report(), (std::vector<BYTE>{0x02, 0xA1, 0x00, 0x00}));
    EXPECT_EQ(f.items[1].status, static_cast<ULONG>(HIDP_STATUS_USAGE_NOT_FOUND));
    EXPECT_EQ(f.items[3].status, kUntouched);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(f.items[i].isSet, 0) << i;
}

TEST(BuildReport, EmptyRangeZeroesTheBufferAndSucceeds) {
    FeatureItems f;
    ASSERT_EQ(f.opened, 1);
    for (USHORT i = 0; i < f.length; ++i)
        f.record.featureReport[i] = 0x5A;

    EXPECT_TRUE(BuildReport(f.record.featureReport, f.length, ReportFeature, f.items, 0,
                            f.record.preparsedData));
    EXPECT_EQ(f.Report(), (std::vector<BYTE>(4, 0)));
}

TEST(BuildReport, ItemsBeforeTheRangeAreNeverLookedAt) {
    FeatureItems f;
    ASSERT_EQ(f.opened, 1);

    EXPECT_TRUE(f.Build(1));
    EXPECT_EQ(f.Report(), (std::vector<BYTE>{0x02, 0x00, 0xA2, 0xA4}));
    EXPECT_EQ(f.items[0].isSet, 0);
    EXPECT_EQ(f.items[0].status, kUntouched);
    EXPECT_EQ(f.items[1].isSet, 1);
    EXPECT_EQ(f.items[3].isSet, 1);
}

TEST(ParseReport, FillsAndMarksTheItemsOfTheReportsId) {
    FeatureItems f;
    ASSERT_EQ(f.opened, 1);
    const CHAR report[] = {0x02, 0x11, 0x22, 0x33};
    CHAR copy[4];
    memcpy(copy, report, 4);

    EXPECT_TRUE(ParseReport(copy, 4, ReportFeature, f.items, 4, f.record.preparsedData));
    const ULONG values[] = {0x11, 0x22, 0xA3, 0x33};
    const BYTE marked[] = {1, 1, 0, 1};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(f.items[i].val.value, values[i]) << i;
        EXPECT_EQ(f.items[i].isSet, marked[i]) << i;
    }
    EXPECT_EQ(f.items[0].status, static_cast<ULONG>(HIDP_STATUS_SUCCESS));
    EXPECT_EQ(f.items[2].status, kUntouched);
}

TEST(ParseReport, ReportIdMatchingNoItemChangesNothing) {
    FeatureItems f;
    ASSERT_EQ(f.opened, 1);
    CHAR report[] = {0x07, 0x11, 0x22, 0x33};

    EXPECT_TRUE(ParseReport(report, 4, ReportFeature, f.items, 4, f.record.preparsedData));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(f.items[i].val.value, 0xA1u + i) << i;
        EXPECT_EQ(f.items[i].status, kUntouched) << i;
        EXPECT_EQ(f.items[i].isSet, 0) << i;
    }
}

TEST(ParseReport, ButtonListKeepsOnlyUsagesOfTheItemsRange) {
    Opened o(kTwoButtonRanges);
    ASSERT_EQ(o.opened, 1);
    ASSERT_EQ(o.record.inputItemCount, 2u);
    HidDataItem* items = o.record.inputItems;
    ASSERT_EQ(items[0].button.usageMin, 1u);
    ASSERT_EQ(items[0].button.usageMax, 8u);
    ASSERT_EQ(items[0].button.maxUsageCount, 16u);
    const USHORT length = o.record.caps.InputReportByteLength;

    // A report with buttons 3, 12 and 5 down, as the platform's parser packs it.
    USAGE down[] = {3, 12, 5};
    ULONG count = 3;
    ASSERT_EQ(HidApi().HidP_SetUsages(HidP_Input, 9, 0, down, &count, o.record.preparsedData,
                                      o.record.inputReport, length),
              HIDP_STATUS_SUCCESS);
    for (ULONG u = 0; u < 16; ++u)
        items[0].button.usages[u] = items[1].button.usages[u] = 0x77; // stale entries

    EXPECT_TRUE(
        ParseReport(o.record.inputReport, length, ReportInput, items, 2, o.record.preparsedData));
    EXPECT_EQ(items[0].status, static_cast<ULONG>(HIDP_STATUS_SUCCESS));
    EXPECT_EQ(items[0].button.usages[0], 3);
    EXPECT_EQ(items[0].button.usages[1], 5);
    EXPECT_EQ(items[0].button.usages[2], 0);
    EXPECT_EQ(items[1].button.usages[0], 12);
    EXPECT_EQ(items[1].button.usages[1], 0);
    EXPECT_EQ(items[0].isSet, 1);
    EXPECT_EQ(items[1].isSet, 1);
}

TEST(ParseReport, ValueItemIsMarkedEvenWhenItsReadsFail) {
    struct Case {
        const char* name;
        USAGE usage; // 0: the item's own
        ULONG status;
        ULONG value;
    };
    const Case cases[] = {
        // The raw value is read, the scaled one cannot be: the scaled read's status stays.
        {"IllogicalRange", 0, static_cast<ULONG>(HIDP_STATUS_BAD_LOG_PHY_VALUES), 0x07},
        {"UnknownUsage", 0x7F, static_cast<ULONG>(HIDP_STATUS_USAGE_NOT_FOUND), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Opened o(kIllogicalRange);
        ASSERT_EQ(o.opened, 1);
        ASSERT_EQ(o.record.featureItemCount, 1u);
        HidDataItem& item = o.record.featureItems[0];
        if (c.usage)
            item.val.usage = c.usage;
        CHAR report[] = {0x00, 0x07};
        ASSERT_EQ(o.record.caps.FeatureReportByteLength, sizeof report);

        EXPECT_TRUE(
            ParseReport(report, sizeof report, ReportFeature, &item, 1, o.record.preparsedData));
        EXPECT_EQ(item.status, c.status);
        EXPECT_EQ(item.val.value, c.value);
        EXPECT_EQ(item.isSet, 1);
    }
}

} // namespace
