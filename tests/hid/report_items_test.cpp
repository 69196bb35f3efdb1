// The item arrays LoadReportItems builds from real report descriptors.
#include "hid/discovery.h"
#include "sim/descriptors.h"
#include "tests/hid/virtual_bus_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Layout = std::vector<std::string>;

// One line per item: "B <page>:<min>-<max> id<id> max<count>" or "V <page>:<usage> id<id>".
Layout Describe(const HidDataItem* items, ULONG count) {
    Layout lines;
    char line[64];
    for (ULONG i = 0; i < count; ++i) {
        const HidDataItem& item = items[i];
        if (item.isButton)
            std::snprintf(line, sizeof line, "B %X:%lX-%lX id%lu max%lu", item.usagePage,
                          item.button.usageMin, item.button.usageMax, item.reportId,
                          item.button.maxUsageCount);
        else
            std::snprintf(line, sizeof line, "V %X:%X id%lu", item.usagePage, item.val.usage,
                          item.reportId);
        lines.push_back(line);
    }
    return lines;
}

// Every item as built: success status, not marked, nothing to send yet.
void ExpectFreshItems(const HidDataItem* items, ULONG count) {
    for (ULONG i = 0; i < count; ++i) {
        const HidDataItem& item = items[i];
        EXPECT_EQ(item.status, static_cast<ULONG>(HIDP_STATUS_SUCCESS)) << i;
        EXPECT_EQ(item.isSet, 0) << i;
        if (item.isButton) {
            ASSERT_NE(item.button.usages, nullptr);
            for (ULONG u = 0; u < item.button.maxUsageCount; ++u)
                EXPECT_EQ(item.button.usages[u], 0) << i;
        } else {
            EXPECT_EQ(item.val.value, 0u) << i;
            EXPECT_EQ(item.val.scaledValue, 0) << i;
        }
    }
}

void ExpectZeroBuffer(const CHAR* report, USHORT length) {
    ASSERT_NE(report, nullptr);
    for (USHORT i = 0; i < length; ++i)
        EXPECT_EQ(report[i], 0) << "byte " << i;
}

struct ItemCase {
    const char* name;
    const char* descriptor;
    USHORT lengths[3]; // input, output, feature byte lengths
    Layout input, output, feature;
};
void PrintTo(const ItemCase& c, std::ostream* os) {
    *os << c.name;
}

class ItemLayout : public testing::TestWithParam<ItemCase> {};

TEST_P(ItemLayout, ButtonsFirstThenEveryValueUsage) {
    const ItemCase& c = GetParam();
    SimBus bus;
    SimDevice& device = bus.AddDevice(0x1234, 0x5678, c.descriptor);
    ScopedHidPlatform use(bus);
    HidDevice record = {};
    ScopedRecordRelease release(record);

    ASSERT_EQ(OpenHidPath(device.Path().c_str(), &record), 1);
    EXPECT_EQ(record.caps.InputReportByteLength, c.lengths[0]);
    EXPECT_EQ(record.caps.OutputReportByteLength, c.lengths[1]);
    EXPECT_EQ(record.caps.FeatureReportByteLength, c.lengths[2]);
    EXPECT_EQ(Describe(record.inputItems, record.inputItemCount), c.input);
    EXPECT_EQ(Describe(record.outputItems, record.outputItemCount), c.output);
    EXPECT_EQ(Describe(record.featureItems, record.featureItemCount), c.feature);
    ExpectFreshItems(record.inputItems, record.inputItemCount);
    ExpectFreshItems(record.outputItems, record.outputItemCount);
    ExpectFreshItems(record.featureItems, record.featureItemCount);
    ExpectZeroBuffer(record.inputReport, record.caps.InputReportByteLength);
    ExpectZeroBuffer(record.outputReport, record.caps.OutputReportByteLength);
    ExpectZeroBuffer(record.featureReport, record.caps.FeatureReportByteLength);
    // Empty kinds still get their (empty) arrays.
    EXPECT_NE(record.outputItems, nullptr);
    EXPECT_NE(record.outputButtonCaps, nullptr);
    EXPECT_NE(record.outputValueCaps, nullptr);
}

// Generic desktop application collection: values X..Z as one usage range in report 2,
// then buttons 1-4 in report 1, then a wheel in report 3 (all input).
const char* const kRangeAndMixedIds = "05010900A101"
                                      "8502193029321581257F750895038102"
                                      "850105091901290415002501750195048102750495018103"
                                      "8503050109381581257F750895018106"
                                      "C0";

// Vendor feature reports: one value in report 2, buttons in report 1, a value in report 3,
// another value in report 2.
const char* const kFeatureMixedIds = "0600FF0901A101"
                                     "85020910150026FF0075089501B102"
                                     "85010509190129081500250175019508B102"
                                     "85030600FF0911150026FF0075089501B102"
                                     "85020912B102"
                                     "C0";

INSTANTIATE_TEST_SUITE_P(
    Descriptors, ItemLayout,
    testing::Values(
        // Three usages on one main item: one capability each, last declared first. The
        // eight one-bit button fields share usages 1-3; the usage list has room for eight.
        ItemCase{"Mouse",
                 simdesc::kMouse,
                 {5, 0, 0},
                 {"B 9:1-3 id0 max8", "V 1:38 id0", "V 1:31 id0", "V 1:30 id0"},
                 {},
                 {}},
        // Array items are button capabilities without a range.
        ItemCase{"VendorArrays",
                 simdesc::kVendorArrays,
                 {2, 8, 10},
                 {"B FF00:1-1 id1 max1"},
                 {"B FF00:1-1 id1 max7"},
                 {"B FF00:1-1 id1 max9"}},
        ItemCase{"VendorTwoFeatures",
                 simdesc::kVendorTwoFeatures,
                 {0, 0, 64},
                 {},
                 {},
                 {"V FF00:2 id5", "V FF00:3 id6"}},
        ItemCase{"TouchScreen",
                 simdesc::kTouchScreen,
                 {7, 0, 4},
                 {"B D:42-42 id1 max3", "B D:32-32 id1 max3", "B D:37-37 id1 max3", "V D:51 id1",
                  "V D:54 id1", "V D:55 id1", "V 1:30 id1", "V 1:31 id1"},
                 {},
                 {"V D:52 id2", "V D:53 id2", "V D:55 id2"}},
        ItemCase{"RangeExpandedAndButtonsBeforeValuesOfEarlierIds",
                 kRangeAndMixedIds,
                 {4, 0, 0},
                 {"B 9:1-4 id1 max4", "V 1:30 id2", "V 1:31 id2", "V 1:32 id2", "V 1:38 id3"},
                 {},
                 {}},
        ItemCase{"FeatureIdsMixedInCapabilityOrder",
                 kFeatureMixedIds,
                 {0, 0, 3},
                 {},
                 {},
                 {"B 9:1-8 id1 max8", "V FF00:10 id2", "V FF00:11 id3", "V FF00:12 id2"}}),
    [](const testing::TestParamInfo<ItemCase>& info) { return std::string(info.param.name); });

TEST(LoadReportItems, ItemsOfARangeCarryTheCapabilitysPageAndId) {
    SimBus bus;
    SimDevice& device = bus.AddDevice(0x1234, 0x5678, kRangeAndMixedIds);
    ScopedHidPlatform use(bus);
    HidDevice record = {};
    ScopedRecordRelease release(record);
    ASSERT_EQ(OpenHidPath(device.Path().c_str(), &record), 1);
    ASSERT_EQ(record.inputItemCount, 5u);

    for (ULONG i = 1; i <= 3; ++i) {
        EXPECT_EQ(record.inputItems[i].isButton, 0);
        EXPECT_EQ(record.inputItems[i].usagePage, 1);
        EXPECT_EQ(record.inputItems[i].reportId, 2u);
        EXPECT_EQ(record.inputItems[i].val.usage, 0x30 + i - 1);
    }
}

} // namespace
