// Our parser against Wine's on every shared descriptor: the collection's capabilities, each
// button and value capability, the filtered queries and the usage list lengths.
#include "sim/hidparse/hid_parser.h"
#include "tests/hidparse/parser_pair.h"
#include "tests/hidparse/test_descriptors.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <tuple>

namespace hidtest {
namespace {

class OracleCaps : public testing::TestWithParam<NamedDescriptor> {
protected:
    void SetUp() override {
        if (!oracle::WineParse::Available())
            GTEST_SKIP() << "Wine's hidparse.sys is not loadable here";
        pair_.reset(new ParserPair(GetParam().hex));
        ASSERT_EQ(pair_->wineStatus(), HIDP_STATUS_SUCCESS);
        ASSERT_EQ(pair_->ourStatus(), HIDP_STATUS_SUCCESS);
    }
    std::unique_ptr<ParserPair> pair_;
};

TEST_P(OracleCaps, CollectionCapsMatch) {
    HIDP_CAPS ours, wine;
    std::memset(&ours, 0, sizeof ours);
    std::memset(&wine, 0, sizeof wine);
    ASSERT_EQ(simhid::HidP_GetCaps(pair_->ours(), &ours), HIDP_STATUS_SUCCESS);
    ASSERT_EQ(::HidP_GetCaps(pair_->wine(), &wine), HIDP_STATUS_SUCCESS);
    EXPECT_EQ(ours.UsagePage, wine.UsagePage);
    EXPECT_EQ(ours.Usage, wine.Usage);
    EXPECT_EQ(ours.InputReportByteLength, wine.InputReportByteLength);
    EXPECT_EQ(ours.OutputReportByteLength, wine.OutputReportByteLength);
    EXPECT_EQ(ours.FeatureReportByteLength, wine.FeatureReportByteLength);
    EXPECT_EQ(ours.NumberLinkCollectionNodes, wine.NumberLinkCollectionNodes);
    EXPECT_EQ(0, std::memcmp(&ours, &wine, sizeof ours)) << "capability counts differ";
}

TEST_P(OracleCaps, EveryCapabilityMatches) {
    for (HIDP_REPORT_TYPE kind : kKinds) {
        SCOPED_TRACE(testing::Message() << "kind " << kind);
        HIDP_BUTTON_CAPS ourButtons[64], wineButtons[64];
        USHORT ourCount = 64, wineCount = 64;
        NTSTATUS ourStatus =
            simhid::HidP_GetSpecificButtonCaps(kind, 0, 0, 0, ourButtons, &ourCount, pair_->ours());
        NTSTATUS wineStatus =
            ::HidP_GetSpecificButtonCaps(kind, 0, 0, 0, wineButtons, &wineCount, pair_->wine());
        EXPECT_EQ(ourStatus, wineStatus);
        ASSERT_EQ(ourCount, wineCount);
        for (USHORT i = 0; i < ourCount; ++i)
            EXPECT_EQ(Describe(ourButtons[i]), Describe(wineButtons[i])) << "button cap " << i;

        HIDP_VALUE_CAPS ourValues[64], wineValues[64];
        ourCount = wineCount = 64;
        ourStatus =
            simhid::HidP_GetSpecificValueCaps(kind, 0, 0, 0, ourValues, &ourCount, pair_->ours());
        wineStatus =
            ::HidP_GetSpecificValueCaps(kind, 0, 0, 0, wineValues, &wineCount, pair_->wine());
        EXPECT_EQ(ourStatus, wineStatus);
        ASSERT_EQ(ourCount, wineCount);
        for (USHORT i = 0; i < ourCount; ++i)
            EXPECT_EQ(Describe(ourValues[i]), Describe(wineValues[i])) << "value cap " << i;
    }
}

// Every page, link collection and usage the capabilities name, and neighbours that no
// capability has, as filters; with room for all, for one and for none.
TEST_P(OracleCaps, FilteredQueriesMatch) {
    for (HIDP_REPORT_TYPE kind : kKinds) {
        std::set<std::tuple<USAGE, USHORT, USAGE>> filters = {{0, 0, 0}, {0xFFAA, 0, 0}};
        auto addFilters = [&](USAGE page, USHORT lc, USAGE min, USAGE max) {
            for (USAGE u : {USAGE(min - 1), min, max, USAGE(max + 1)}) {
                filters.insert({page, 0, u});
                filters.insert({0, lc, u});
                filters.insert({page, lc, 0});
                filters.insert({page, USHORT(lc + 1), u});
            }
        };
        for (const HIDP_BUTTON_CAPS& c : pair_->ButtonCaps(kind))
            addFilters(c.UsagePage, c.LinkCollection, c.Range.UsageMin,
                       c.IsRange ? c.Range.UsageMax : c.Range.UsageMin);
        for (const HIDP_VALUE_CAPS& c : pair_->ValueCaps(kind))
            addFilters(c.UsagePage, c.LinkCollection, c.Range.UsageMin,
                       c.IsRange ? c.Range.UsageMax : c.Range.UsageMin);
        for (const auto& [page, lc, usage] : filters) {
            for (USHORT room : {USHORT(64), USHORT(1), USHORT(0)}) {
                SCOPED_TRACE(testing::Message() << "kind " << kind << " page " << page << " lc "
                                                << lc << " usage " << usage << " room " << room);
                HIDP_BUTTON_CAPS ourB[64] = {}, wineB[64] = {};
                USHORT ourN = room, wineN = room;
                EXPECT_EQ(simhid::HidP_GetSpecificButtonCaps(kind, page, lc, usage, ourB, &ourN,
                                                             pair_->ours()),
                          ::HidP_GetSpecificButtonCaps(kind, page, lc, usage, wineB, &wineN,
                                                       pair_->wine()));
                ASSERT_EQ(ourN, wineN);
                for (USHORT i = 0; i < ourN && i < room; ++i)
                    EXPECT_EQ(Describe(ourB[i]), Describe(wineB[i]));
                HIDP_VALUE_CAPS ourV[64] = {}, wineV[64] = {};
                ourN = wineN = room;
                EXPECT_EQ(simhid::HidP_GetSpecificValueCaps(kind, page, lc, usage, ourV, &ourN,
                                                            pair_->ours()),
                          ::HidP_GetSpecificValueCaps(kind, page, lc, usage, wineV, &wineN,
                                                      pair_->wine()));
                ASSERT_EQ(ourN, wineN);
                for (USHORT i = 0; i < ourN && i < room; ++i)
                    EXPECT_EQ(Describe(ourV[i]), Describe(wineV[i]));
            }
        }
    }
}

TEST_P(OracleCaps, UsageListLengthsMatch) {
    for (HIDP_REPORT_TYPE kind : kKinds) {
        std::set<USAGE> pages = {0, 0xFFAA};
        for (const HIDP_BUTTON_CAPS& c : pair_->ButtonCaps(kind))
            pages.insert(c.UsagePage);
        for (const HIDP_VALUE_CAPS& c : pair_->ValueCaps(kind))
            pages.insert(c.UsagePage);
        for (USAGE page : pages)
            EXPECT_EQ(simhid::HidP_MaxUsageListLength(kind, page, pair_->ours()),
                      ::HidP_MaxUsageListLength(kind, page, pair_->wine()))
                << "kind " << kind << " page " << page;
    }
}

TEST_P(OracleCaps, InvalidReportTypeMatches) {
    HIDP_BUTTON_CAPS buttons[4];
    HIDP_VALUE_CAPS values[4];
    for (int raw : {3, -1, 0x7FFF}) {
        HIDP_REPORT_TYPE kind = static_cast<HIDP_REPORT_TYPE>(raw);
        USHORT ourN = 4, wineN = 4;
        EXPECT_EQ(simhid::HidP_GetSpecificButtonCaps(kind, 0, 0, 0, buttons, &ourN, pair_->ours()),
                  ::HidP_GetSpecificButtonCaps(kind, 0, 0, 0, buttons, &wineN, pair_->wine()));
        EXPECT_EQ(ourN, wineN);
        EXPECT_EQ(simhid::HidP_GetSpecificValueCaps(kind, 0, 0, 0, values, &ourN, pair_->ours()),
                  ::HidP_GetSpecificValueCaps(kind, 0, 0, 0, values, &wineN, pair_->wine()));
        EXPECT_EQ(simhid::HidP_MaxUsageListLength(kind, 0, pair_->ours()),
                  ::HidP_MaxUsageListLength(kind, 0, pair_->wine()));
    }
}

INSTANTIATE_TEST_SUITE_P(Descriptors, OracleCaps, testing::ValuesIn(OracleDescriptors()),
                         [](const testing::TestParamInfo<NamedDescriptor>& info) {
                             return info.param.name;
                         });

} // namespace
} // namespace hidtest
