// Our report packing against Wine's on every shared descriptor: values and buttons set into
// reports give the same bytes, and any report reads back the same usages, raw values and
// scaled values, with the same statuses for the calls that are refused.
#include "sim/hidparse/hid_parser.h"
#include "tests/hidparse/parser_pair.h"
#include "tests/hidparse/test_descriptors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace hidtest {
namespace {

// Wine 8 answers HIDP_STATUS_VALUE_OUT_OF_RANGE for a value outside its logical range even
// when the field has a null state; the documentation of HidP_GetScaledUsageValue gives
// HIDP_STATUS_NULL for that case, and the documentation wins.
NTSTATUS DocumentedScaledStatus(NTSTATUS wine, const HIDP_VALUE_CAPS& cap) {
    return wine == HIDP_STATUS_VALUE_OUT_OF_RANGE && cap.HasNull ? HIDP_STATUS_NULL : wine;
}

std::vector<USAGE> UsagesOf(const HIDP_VALUE_CAPS& cap) {
    std::vector<USAGE> list;
    USAGE last = cap.IsRange ? cap.Range.UsageMax : cap.Range.UsageMin;
    for (ULONG u = cap.Range.UsageMin; u <= last; ++u)
        list.push_back(static_cast<USAGE>(u));
    return list;
}

std::vector<USAGE> UsagesOf(const HIDP_BUTTON_CAPS& cap, size_t limit) {
    std::vector<USAGE> list;
    USAGE last = cap.IsRange ? cap.Range.UsageMax : cap.Range.UsageMin;
    for (ULONG u = cap.Range.UsageMin; u <= last && list.size() < limit; ++u)
        list.push_back(static_cast<USAGE>(u));
    return list;
}

class OracleReports : public testing::TestWithParam<NamedDescriptor> {
protected:
    void SetUp() override {
        if (!oracle::WineParse::Available())
            GTEST_SKIP() << "Wine's hidparse.sys is not loadable here";
        pair_.reset(new ParserPair(GetParam().hex));
        ASSERT_EQ(pair_->wineStatus(), HIDP_STATUS_SUCCESS);
        ASSERT_EQ(pair_->ourStatus(), HIDP_STATUS_SUCCESS);
    }

    // Reads every value usage of the kind from both copies of a report.
    void ExpectValuesReadAlike(HIDP_REPORT_TYPE kind, std::vector<char> report) {
        std::vector<char> wine = report;
        ULONG length = static_cast<ULONG>(report.size());
        for (const HIDP_VALUE_CAPS& cap : pair_->ValueCaps(kind)) {
            for (USAGE usage : UsagesOf(cap)) {
                SCOPED_TRACE(testing::Message() << "value usage " << std::hex << cap.UsagePage
                                                << ":" << usage << " in " << Hex(report));
                ULONG ourRaw = 0x5A5A, wineRaw = 0x5A5A;
                NTSTATUS ours = simhid::HidP_GetUsageValue(kind, cap.UsagePage, 0, usage, &ourRaw,
                                                           pair_->ours(), report.data(), length);
                EXPECT_EQ(ours, ::HidP_GetUsageValue(kind, cap.UsagePage, 0, usage, &wineRaw,
                                                     pair_->wine(), wine.data(), length));
                EXPECT_EQ(ourRaw, wineRaw);
                LONG ourScaled = 0x5A5A, wineScaled = 0x5A5A;
                ours = simhid::HidP_GetScaledUsageValue(kind, cap.UsagePage, 0, usage, &ourScaled,
                                                        pair_->ours(), report.data(), length);
                NTSTATUS theirs = ::HidP_GetScaledUsageValue(
                    kind, cap.UsagePage, 0, usage, &wineScaled, pair_->wine(), wine.data(), length);
                EXPECT_EQ(ours, DocumentedScaledStatus(theirs, cap));
                EXPECT_EQ(ourScaled, wineScaled);
            }
        }
    }

    // Reads the buttons of every page of the kind from both copies of a report, with room
    // for all of them and with room for one.
    void ExpectButtonsReadAlike(HIDP_REPORT_TYPE kind, std::vector<char> report) {
        std::vector<char> wine = report;
        ULONG length = static_cast<ULONG>(report.size());
        std::set<USAGE> pages;
        for (const HIDP_BUTTON_CAPS& cap : pair_->ButtonCaps(kind))
            pages.insert(cap.UsagePage);
        for (USAGE page : pages) {
            ULONG most = simhid::HidP_MaxUsageListLength(kind, page, pair_->ours());
            for (ULONG room : {most, 1ul}) {
                SCOPED_TRACE(testing::Message() << "buttons of page " << std::hex << page
                                                << " room " << room << " in " << Hex(report));
                std::vector<USAGE> ourList(room + 1, 0xEEEE), wineList(room + 1, 0xEEEE);
                ULONG ourCount = room, wineCount = room;
                EXPECT_EQ(simhid::HidP_GetUsages(kind, page, 0, ourList.data(), &ourCount,
                                                 pair_->ours(), report.data(), length),
                          ::HidP_GetUsages(kind, page, 0, wineList.data(), &wineCount,
                                           pair_->wine(), wine.data(), length));
                EXPECT_EQ(ourCount, wineCount);
                EXPECT_EQ(ourList, wineList);
            }
        }
    }

    std::unique_ptr<ParserPair> pair_;
};

// Into a report that already carries the value's id, so both parsers start alike.
TEST_P(OracleReports, ValuesPackAlike) {
    for (HIDP_REPORT_TYPE kind : kKinds) {
        ULONG length = pair_->ReportLength(kind);
        for (const HIDP_VALUE_CAPS& cap : pair_->ValueCaps(kind)) {
            for (USAGE usage : UsagesOf(cap)) {
                std::vector<char> ours(length, 0), wine(length, 0);
                ours[0] = wine[0] = static_cast<char>(cap.ReportID);
                for (ULONG value : {0x1ul, 0xA5C3E187ul ^ usage, 0xFFFFFFFFul, 0x80ul, 0x0ul,
                                    1ul << (cap.BitSize ? (cap.BitSize - 1) % 32 : 0)}) {
                    SCOPED_TRACE(testing::Message() << "kind " << kind << " usage " << std::hex
                                                    << usage << " value " << value);
                    EXPECT_EQ(simhid::HidP_SetUsageValue(kind, cap.UsagePage, 0, usage, value,
                                                         pair_->ours(), ours.data(), length),
                              ::HidP_SetUsageValue(kind, cap.UsagePage, 0, usage, value,
                                                   pair_->wine(), wine.data(), length));
                    ASSERT_EQ(Hex(ours), Hex(wine));
                    ExpectValuesReadAlike(kind, ours);
                }
            }
        }
    }
}

// Turns the buttons of each report on one by one, arrays until they are full.
TEST_P(OracleReports, ButtonsPackAlike) {
    for (HIDP_REPORT_TYPE kind : kKinds) {
        ULONG length = pair_->ReportLength(kind);
        for (UCHAR id : ReportIds(*pair_, kind)) {
            std::vector<char> ours(length, 0), wine(length, 0);
            ours[0] = wine[0] = static_cast<char>(id);
            for (const HIDP_BUTTON_CAPS& cap : pair_->ButtonCaps(kind)) {
                if (cap.ReportID != id)
                    continue;
                for (USAGE usage : UsagesOf(cap, 12)) {
                    // Wine sets usage 0 where a range starts at it; we pass 0 over as the
                    // end of a usage list (see the deviation tests).
                    if (usage == 0)
                        continue;
                    SCOPED_TRACE(testing::Message() << "kind " << kind << " button " << std::hex
                                                    << cap.UsagePage << ":" << usage);
                    ULONG ourCount = 1, wineCount = 1;
                    NTSTATUS status =
                        simhid::HidP_SetUsages(kind, cap.UsagePage, 0, &usage, &ourCount,
                                               pair_->ours(), ours.data(), length);
                    EXPECT_EQ(status, ::HidP_SetUsages(kind, cap.UsagePage, 0, &usage, &wineCount,
                                                       pair_->wine(), wine.data(), length));
                    if (status == HIDP_STATUS_SUCCESS) {
                        EXPECT_EQ(ourCount, wineCount);
                    }
                    ASSERT_EQ(Hex(ours), Hex(wine));
                    ExpectButtonsReadAlike(kind, ours);
                }
            }
        }
    }
}

// Random bytes behind each report id, and behind an id the collection does not use.
TEST_P(OracleReports, RandomReportsReadAlike) {
    std::mt19937 random(20240611);
    for (HIDP_REPORT_TYPE kind : kKinds) {
        ULONG length = pair_->ReportLength(kind);
        if (length == 0)
            continue;
        std::vector<UCHAR> ids = ReportIds(*pair_, kind);
        ids.push_back(ids.empty() || ids.back() == 0 ? 1 : 0xEE);
        for (int round = 0; round < 40; ++round) {
            for (UCHAR id : ids) {
                std::vector<char> report(length);
                for (char& b : report)
                    b = static_cast<char>(random());
                // Sparse reports too, so that array slots are empty and buttons off.
                if (round % 2)
                    for (char& b : report)
                        b = static_cast<char>(random() % 4 ? 0 : b);
                report[0] = static_cast<char>(id);
                ExpectValuesReadAlike(kind, report);
                ExpectButtonsReadAlike(kind, report);
            }
        }
    }
}

// Lengths other than the kind's, report types that do not exist, pages, usages and link
// collections that no capability has.
TEST_P(OracleReports, RefusalsMatch) {
    for (HIDP_REPORT_TYPE kind : kKinds) {
        ULONG length = pair_->ReportLength(kind);
        std::vector<std::pair<USAGE, USAGE>> targets = {{0xFFAA, 1}};
        for (const HIDP_VALUE_CAPS& cap : pair_->ValueCaps(kind))
            targets.push_back({cap.UsagePage, cap.Range.UsageMin});
        for (const HIDP_BUTTON_CAPS& cap : pair_->ButtonCaps(kind))
            targets.push_back({cap.UsagePage, cap.Range.UsageMin});
        for (auto [page, usage] : targets) {
            if (usage == 0)
                continue; // usage 0 ends a usage list here (see the deviation tests)
            for (ULONG wrongLength : {length - 1, length + 1, 0ul}) {
                if (wrongLength == length || (length == 0 && wrongLength != 1))
                    continue;
                for (HIDP_REPORT_TYPE asKind : {kind, static_cast<HIDP_REPORT_TYPE>(5)}) {
                    SCOPED_TRACE(testing::Message()
                                 << "kind " << asKind << " length " << wrongLength << " usage "
                                 << std::hex << page << ":" << usage);
                    std::vector<char> ours(wrongLength + 1, 0), wine(wrongLength + 1, 0);
                    ULONG raw = 0;
                    LONG scaled = 0;
                    USAGE list[4] = {usage};
                    ULONG ourCount = 1, wineCount = 1;
                    EXPECT_EQ(simhid::HidP_GetUsageValue(asKind, page, 0, usage, &raw,
                                                         pair_->ours(), ours.data(), wrongLength),
                              ::HidP_GetUsageValue(asKind, page, 0, usage, &raw, pair_->wine(),
                                                   wine.data(), wrongLength));
                    EXPECT_EQ(simhid::HidP_GetScaledUsageValue(asKind, page, 0, usage, &scaled,
                                                               pair_->ours(), ours.data(),
                                                               wrongLength),
                              ::HidP_GetScaledUsageValue(asKind, page, 0, usage, &scaled,
                                                         pair_->wine(), wine.data(), wrongLength));
                    EXPECT_EQ(simhid::HidP_GetUsages(asKind, page, 0, list, &ourCount,
                                                     pair_->ours(), ours.data(), wrongLength),
                              ::HidP_GetUsages(asKind, page, 0, list, &wineCount, pair_->wine(),
                                               wine.data(), wrongLength));
                    ourCount = wineCount = 1;
                    EXPECT_EQ(simhid::HidP_SetUsages(asKind, page, 0, list, &ourCount,
                                                     pair_->ours(), ours.data(), wrongLength),
                              ::HidP_SetUsages(asKind, page, 0, list, &wineCount, pair_->wine(),
                                               wine.data(), wrongLength));
                    if (length != 0) { // a kind without reports: see the deviation tests
                        EXPECT_EQ(simhid::HidP_SetUsageValue(asKind, page, 0, usage, 1,
                                                             pair_->ours(), ours.data(),
                                                             wrongLength),
                                  ::HidP_SetUsageValue(asKind, page, 0, usage, 1, pair_->wine(),
                                                       wine.data(), wrongLength));
                    }
                }
            }
            if (length == 0)
                continue;
            // The right length, but the usage looked for on another page, in another link
            // collection, or in a report of another id.
            std::vector<UCHAR> ids = ReportIds(*pair_, kind);
            UCHAR otherId = ids.empty() || ids.back() == 0 ? 1 : 0xEE;
            for (UCHAR id : {ids.empty() ? UCHAR(0) : ids.front(), otherId}) {
                for (USHORT lc : {USHORT(0), USHORT(pair_->caps().NumberLinkCollectionNodes + 1)}) {
                    for (USAGE asUsage : {usage, USAGE(0xFFFE)}) {
                        SCOPED_TRACE(testing::Message()
                                     << "kind " << kind << " id " << int(id) << " lc " << lc
                                     << " usage " << std::hex << page << ":" << asUsage);
                        std::vector<char> ours(length, 0), wine(length, 0);
                        ours[0] = wine[0] = static_cast<char>(id);
                        ULONG raw = 0;
                        LONG scaled = 0;
                        EXPECT_EQ(simhid::HidP_GetUsageValue(kind, page, lc, asUsage, &raw,
                                                             pair_->ours(), ours.data(), length),
                                  ::HidP_GetUsageValue(kind, page, lc, asUsage, &raw, pair_->wine(),
                                                       wine.data(), length));
                        EXPECT_EQ(simhid::HidP_GetScaledUsageValue(kind, page, lc, asUsage, &scaled,
                                                                   pair_->ours(), ours.data(),
                                                                   length),
                                  ::HidP_GetScaledUsageValue(kind, page, lc, asUsage, &scaled,
                                                             pair_->wine(), wine.data(), length));
                        EXPECT_EQ(simhid::HidP_SetUsageValue(kind, page, lc, asUsage, 7,
                                                             pair_->ours(), ours.data(), length),
                                  ::HidP_SetUsageValue(kind, page, lc, asUsage, 7, pair_->wine(),
                                                       wine.data(), length));
                        USAGE list[1] = {asUsage};
                        ULONG ourCount = 4, wineCount = 4;
                        USAGE ourOut[4], wineOut[4];
                        EXPECT_EQ(simhid::HidP_GetUsages(kind, page, lc, ourOut, &ourCount,
                                                         pair_->ours(), ours.data(), length),
                                  ::HidP_GetUsages(kind, page, lc, wineOut, &wineCount,
                                                   pair_->wine(), wine.data(), length));
                        ourCount = wineCount = 1;
                        NTSTATUS status = simhid::HidP_SetUsages(
                            kind, page, lc, list, &ourCount, pair_->ours(), ours.data(), length);
                        EXPECT_EQ(status, ::HidP_SetUsages(kind, page, lc, list, &wineCount,
                                                           pair_->wine(), wine.data(), length));
                        EXPECT_EQ(Hex(ours), Hex(wine));
                    }
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Descriptors, OracleReports, testing::ValuesIn(OracleDescriptors()),
                         [](const testing::TestParamInfo<NamedDescriptor>& info) {
                             return info.param.name;
                         });

} // namespace
} // namespace hidtest
