// The parser and the report operations fed malformed and randomly mutated descriptors and
// reports (fixed seed, bounded time): nothing crashes or reads past a buffer, every status
// is one the operation documents, and a value or button set into a report reads back.
#include "sim/descriptors.h"
#include "sim/hidparse/hid_parser.h"
#include "tests/hidparse/test_descriptors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <random>
#include <set>
#include <string>

namespace {

// A buffer whose last byte sits just before an inaccessible page, so that any read or
// write past the end faults at once.
class GuardedBuffer {
public:
    explicit GuardedBuffer(SIZE_T capacity) {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        SIZE_T page = info.dwPageSize;
        usable_ = (capacity + page - 1) / page * page;
        base_ = static_cast<BYTE*>(
            VirtualAlloc(nullptr, usable_ + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old;
        if (base_)
            VirtualProtect(base_ + usable_, page, PAGE_NOACCESS, &old);
    }
    ~GuardedBuffer() {
        if (base_)
            VirtualFree(base_, 0, MEM_RELEASE);
    }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    bool ok() const { return base_ != nullptr; }
    // Room for size bytes ending at the guard page, filled with the given bytes or zeros.
    BYTE* Place(const BYTE* bytes, SIZE_T size) {
        BYTE* at = base_ + usable_ - size;
        if (bytes)
            std::copy(bytes, bytes + size, at);
        else
            std::fill(at, at + size, BYTE(0));
        return at;
    }

private:
    BYTE* base_ = nullptr;
    SIZE_T usable_ = 0;
};

bool OneOf(NTSTATUS status, std::initializer_list<NTSTATUS> allowed) {
    return std::find(allowed.begin(), allowed.end(), status) != allowed.end();
}

const std::initializer_list<NTSTATUS> kParseStatuses = {HIDP_STATUS_SUCCESS,
                                                        simhid::kStatusNoDataDetected,
                                                        simhid::kStatusIllegalInstruction,
                                                        simhid::kStatusBufferTooSmall,
                                                        simhid::kStatusCouldNotInterpret,
                                                        simhid::kStatusInsufficientResources,
                                                        HIDP_STATUS_INVALID_REPORT_TYPE};

// What the report operations document, for the arguments this test passes.
const std::initializer_list<NTSTATUS> kReportStatuses = {HIDP_STATUS_SUCCESS,
                                                         HIDP_STATUS_INVALID_REPORT_LENGTH,
                                                         HIDP_STATUS_INVALID_REPORT_TYPE,
                                                         HIDP_STATUS_USAGE_NOT_FOUND,
                                                         HIDP_STATUS_INCOMPATIBLE_REPORT_ID,
                                                         HIDP_STATUS_BUFFER_TOO_SMALL};
const std::initializer_list<NTSTATUS> kSetValueStatuses = {HIDP_STATUS_SUCCESS,
                                                           HIDP_STATUS_INVALID_REPORT_LENGTH,
                                                           HIDP_STATUS_INVALID_REPORT_TYPE,
                                                           HIDP_STATUS_USAGE_NOT_FOUND,
                                                           HIDP_STATUS_INCOMPATIBLE_REPORT_ID,
                                                           HIDP_STATUS_BUFFER_TOO_SMALL,
                                                           HIDP_STATUS_REPORT_DOES_NOT_EXIST};
const std::initializer_list<NTSTATUS> kScaledStatuses = {HIDP_STATUS_SUCCESS,
                                                         HIDP_STATUS_INVALID_REPORT_LENGTH,
                                                         HIDP_STATUS_INVALID_REPORT_TYPE,
                                                         HIDP_STATUS_USAGE_NOT_FOUND,
                                                         HIDP_STATUS_INCOMPATIBLE_REPORT_ID,
                                                         HIDP_STATUS_BUFFER_TOO_SMALL,
                                                         HIDP_STATUS_BAD_LOG_PHY_VALUES,
                                                         HIDP_STATUS_VALUE_OUT_OF_RANGE,
                                                         HIDP_STATUS_NULL};

// The capability a set into a zeroed report goes to: the first one of the usage.
template <typename Caps>
const Caps& FirstWith(const std::vector<Caps>& caps, USAGE page, USAGE usage) {
    for (const Caps& cap : caps) {
        USAGE last = cap.IsRange ? cap.Range.UsageMax : cap.Range.UsageMin;
        if (cap.UsagePage == page && cap.Range.UsageMin <= usage && usage <= last)
            return cap;
    }
    return caps.front();
}

std::string HexOf(const std::vector<BYTE>& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (BYTE b : bytes) {
        text += kDigits[b >> 4];
        text += kDigits[b & 15];
    }
    return text;
}

constexpr HIDP_REPORT_TYPE kKinds[] = {HidP_Input, HidP_Output, HidP_Feature};

class Fuzzer {
public:
    Fuzzer() : descriptorBuffer_(0x10000), reportBuffer_(0x10000), random_(0x5EED2024) {
        for (const hidtest::NamedDescriptor& d : hidtest::OracleDescriptors())
            seeds_.push_back(simdesc::FromHex(d.hex));
        seeds_.push_back(simdesc::FromHex(simdesc::kMouseTruncated));
        // Delimiters, a second top-level collection, a null state and wide fields.
        seeds_.push_back(simdesc::FromHex("05010902A1010509A90109010902A900090415002501750195"
                                          "0281027506950181 03C005010906A101850109308142C0"));
        seeds_.push_back(simdesc::FromHex("0600FF0901A1010902150027FFFFFFFF75409501B10209037521"
                                          "B102850209047501953FB102C0"));
    }

    bool ok() const { return descriptorBuffer_.ok() && reportBuffer_.ok(); }
    size_t cases() const { return cases_; }
    size_t parsed() const { return parsed_; }
    size_t roundTrips() const { return roundTrips_; }

    void RunCase() {
        ++cases_;
        std::vector<BYTE> descriptor = Mutate();
        SCOPED_TRACE(testing::Message() << "descriptor " << HexOf(descriptor));
        const BYTE* at = descriptorBuffer_.Place(descriptor.data(), descriptor.size());
        PHIDP_PREPARSED_DATA data = nullptr;
        NTSTATUS status = simhid::ParseReportDescriptor(at, ULONG(descriptor.size()), &data);
        ASSERT_TRUE(OneOf(status, kParseStatuses)) << std::hex << status;
        if (status != HIDP_STATUS_SUCCESS) {
            ASSERT_EQ(data, nullptr);
            return;
        }
        ++parsed_;
        ExerciseCollection(data);
        simhid::FreePreparsedData(data);
    }

private:
    size_t Pick(size_t n) { return n ? random_() % n : 0; }

    std::vector<BYTE> Mutate() {
        std::vector<BYTE> bytes = seeds_[Pick(seeds_.size())];
        if (Pick(20) == 0) { // bytes of no descriptor at all
            bytes.resize(Pick(64));
            for (BYTE& b : bytes)
                b = BYTE(random_());
            return bytes;
        }
        static const BYTE kTelling[] = {0x00, 0x01, 0x7F, 0x80, 0xFF, 0xFE, 0xC0, 0xA1,
                                        0x85, 0xA4, 0xB4, 0x96, 0x76, 0x27, 0x19, 0x29};
        for (size_t edits = Pick(3) ? 1 : 2 + Pick(3); edits-- > 0;) {
            size_t pos = Pick(bytes.size() + 1);
            switch (Pick(7)) {
            case 0: // flip a bit
                if (!bytes.empty())
                    bytes[Pick(bytes.size())] ^= BYTE(1u << Pick(8));
                break;
            case 1: // a telling byte
                if (!bytes.empty())
                    bytes[Pick(bytes.size())] = kTelling[Pick(sizeof kTelling)];
                break;
            case 2: // insert a random short item
            {
                BYTE prefix = BYTE(random_()) & 0xFC;
                std::vector<BYTE> item = {BYTE(prefix | Pick(4))};
                size_t size = (item[0] & 3) == 3 ? 4 : item[0] & 3;
                for (size_t i = 0; i < size; ++i)
                    item.push_back(Pick(3) ? BYTE(random_()) : kTelling[Pick(sizeof kTelling)]);
                bytes.insert(bytes.begin() + pos, item.begin(), item.end());
                break;
            }
            case 3: // delete a run
                if (pos < bytes.size())
                    bytes.erase(bytes.begin() + pos,
                                bytes.begin() + std::min(bytes.size(), pos + 1 + Pick(4)));
                break;
            case 4: // repeat a run
                if (pos < bytes.size()) {
                    std::vector<BYTE> run(bytes.begin() + pos,
                                          bytes.begin() +
                                              std::min(bytes.size(), pos + 1 + Pick(12)));
                    for (size_t times = 1 + Pick(3); times-- > 0;)
                        bytes.insert(bytes.begin() + pos, run.begin(), run.end());
                }
                break;
            case 5: // cut the end off
                bytes.resize(pos);
                break;
            default: // splice another seed in
            {
                const std::vector<BYTE>& other = seeds_[Pick(seeds_.size())];
                size_t from = Pick(other.size());
                bytes.insert(bytes.begin() + pos, other.begin() + from,
                             other.begin() + std::min(other.size(), from + 1 + Pick(16)));
                break;
            }
            }
        }
        return bytes;
    }

    void ExerciseCollection(PHIDP_PREPARSED_DATA data) {
        HIDP_CAPS caps;
        ASSERT_EQ(simhid::HidP_GetCaps(data, &caps), HIDP_STATUS_SUCCESS);
        const USHORT lengths[] = {caps.InputReportByteLength, caps.OutputReportByteLength,
                                  caps.FeatureReportByteLength};
        const USHORT buttonCounts[] = {caps.NumberInputButtonCaps, caps.NumberOutputButtonCaps,
                                       caps.NumberFeatureButtonCaps};
        const USHORT valueCounts[] = {caps.NumberInputValueCaps, caps.NumberOutputValueCaps,
                                      caps.NumberFeatureValueCaps};
        for (HIDP_REPORT_TYPE kind : kKinds) {
            std::vector<HIDP_BUTTON_CAPS> buttons(buttonCounts[kind] + 1);
            USHORT count = buttonCounts[kind];
            NTSTATUS status =
                simhid::HidP_GetSpecificButtonCaps(kind, 0, 0, 0, buttons.data(), &count, data);
            ASSERT_EQ(status, count ? HIDP_STATUS_SUCCESS : HIDP_STATUS_USAGE_NOT_FOUND);
            ASSERT_EQ(count, buttonCounts[kind]);
            buttons.resize(count);
            std::vector<HIDP_VALUE_CAPS> values(valueCounts[kind] + 1);
            count = valueCounts[kind];
            status = simhid::HidP_GetSpecificValueCaps(kind, 0, 0, 0, values.data(), &count, data);
            ASSERT_EQ(status, count ? HIDP_STATUS_SUCCESS : HIDP_STATUS_USAGE_NOT_FOUND);
            ASSERT_EQ(count, valueCounts[kind]);
            values.resize(count);
            simhid::HidP_MaxUsageListLength(kind, 0, data);
            if (lengths[kind] == 0)
                continue;
            ExerciseValues(kind, lengths[kind], values, data);
            ExerciseButtons(kind, lengths[kind], buttons, data);
            ExerciseRandomReports(kind, lengths[kind], buttons, values, data);
        }
    }

    // Each value set alone into a zeroed report reads back, cut to its field's size.
    void ExerciseValues(HIDP_REPORT_TYPE kind, USHORT length,
                        const std::vector<HIDP_VALUE_CAPS>& values, PHIDP_PREPARSED_DATA data) {
        for (size_t i = 0; i < values.size() && i < 8; ++i) {
            const HIDP_VALUE_CAPS& cap = values[Pick(values.size())];
            USAGE usage =
                cap.IsRange
                    ? USAGE(cap.Range.UsageMin + Pick(cap.Range.UsageMax - cap.Range.UsageMin + 1u))
                    : cap.NotRange.Usage;
            const HIDP_VALUE_CAPS& target = FirstWith(values, cap.UsagePage, usage);
            ULONG value = ULONG(random_());
            PCHAR report = reinterpret_cast<PCHAR>(reportBuffer_.Place(nullptr, length));
            NTSTATUS status = simhid::HidP_SetUsageValue(kind, cap.UsagePage, 0, usage, value, data,
                                                         report, length);
            if (target.BitSize > 32) {
                ASSERT_EQ(status, HIDP_STATUS_BUFFER_TOO_SMALL);
                continue;
            }
            ASSERT_EQ(status, HIDP_STATUS_SUCCESS) << "usage " << usage;
            ULONG back = 0;
            ASSERT_EQ(simhid::HidP_GetUsageValue(kind, cap.UsagePage, 0, usage, &back, data, report,
                                                 length),
                      HIDP_STATUS_SUCCESS);
            ULONG mask = target.BitSize >= 32 ? 0xFFFFFFFFul : (1ul << target.BitSize) - 1;
            ASSERT_EQ(back, value & mask) << "usage " << usage << " size " << target.BitSize;
            LONG scaled;
            ASSERT_TRUE(OneOf(simhid::HidP_GetScaledUsageValue(kind, cap.UsagePage, 0, usage,
                                                               &scaled, data, report, length),
                              kScaledStatuses));
            ++roundTrips_;
        }
    }

    // Each button set alone into a zeroed report is found on when read back.
    void ExerciseButtons(HIDP_REPORT_TYPE kind, USHORT length,
                         const std::vector<HIDP_BUTTON_CAPS>& buttons, PHIDP_PREPARSED_DATA data) {
        for (size_t i = 0; i < buttons.size() && i < 8; ++i) {
            const HIDP_BUTTON_CAPS& cap = buttons[Pick(buttons.size())];
            USAGE usage =
                cap.IsRange
                    ? USAGE(cap.Range.UsageMin + Pick(cap.Range.UsageMax - cap.Range.UsageMin + 1u))
                    : cap.NotRange.Usage;
            if (usage == 0)
                continue; // ends a usage list
            PCHAR report = reinterpret_cast<PCHAR>(reportBuffer_.Place(nullptr, length));
            ULONG one = 1;
            NTSTATUS status =
                simhid::HidP_SetUsages(kind, cap.UsagePage, 0, &usage, &one, data, report, length);
            // An array field too narrow to hold the usage's index cannot take it.
            ASSERT_TRUE(OneOf(status, {HIDP_STATUS_SUCCESS, HIDP_STATUS_USAGE_NOT_FOUND}));
            if (status != HIDP_STATUS_SUCCESS)
                continue;
            ULONG room = simhid::HidP_MaxUsageListLength(kind, cap.UsagePage, data);
            std::vector<USAGE> on(room + 1);
            ULONG count = room;
            ASSERT_EQ(simhid::HidP_GetUsages(kind, cap.UsagePage, 0, on.data(), &count, data,
                                             report, length),
                      HIDP_STATUS_SUCCESS);
            // An aliased usage reads back as the preferred usage of its set.
            if (FirstWith(buttons, cap.UsagePage, usage).IsAlias)
                ASSERT_GE(count, 1u);
            else
                ASSERT_NE(std::find(on.begin(), on.begin() + count, usage), on.begin() + count)
                    << "usage " << usage;
            ++roundTrips_;
        }
    }

    // Random bytes, and wrong lengths and types, give documented statuses only.
    void ExerciseRandomReports(HIDP_REPORT_TYPE kind, USHORT length,
                               const std::vector<HIDP_BUTTON_CAPS>& buttons,
                               const std::vector<HIDP_VALUE_CAPS>& values,
                               PHIDP_PREPARSED_DATA data) {
        // Mostly the kind's length; sometimes a wrong one, the buffer always that long.
        ULONG asLength = Pick(8) ? length : ULONG(Pick(length + 2u));
        HIDP_REPORT_TYPE asKind = Pick(8) ? kind : HIDP_REPORT_TYPE(Pick(5));
        std::vector<BYTE> bytes(std::max(asLength, 1ul));
        for (BYTE& b : bytes)
            b = BYTE(random_());
        if (!values.empty() && Pick(2))
            bytes[0] = values[Pick(values.size())].ReportID;
        else if (!buttons.empty())
            bytes[0] = buttons[Pick(buttons.size())].ReportID;
        PCHAR report = reinterpret_cast<PCHAR>(reportBuffer_.Place(bytes.data(), bytes.size()));
        for (const HIDP_VALUE_CAPS& cap : values) {
            ULONG raw;
            LONG scaled;
            ASSERT_TRUE(
                OneOf(simhid::HidP_GetUsageValue(asKind, cap.UsagePage, 0, cap.Range.UsageMin, &raw,
                                                 data, report, asLength),
                      kReportStatuses));
            ASSERT_TRUE(
                OneOf(simhid::HidP_GetScaledUsageValue(asKind, cap.UsagePage, 0, cap.Range.UsageMin,
                                                       &scaled, data, report, asLength),
                      kScaledStatuses));
            ASSERT_TRUE(
                OneOf(simhid::HidP_SetUsageValue(asKind, cap.UsagePage, 0, cap.Range.UsageMax,
                                                 ULONG(random_()), data, report, asLength),
                      kSetValueStatuses));
        }
        std::set<USAGE> pages;
        for (const HIDP_BUTTON_CAPS& cap : buttons)
            pages.insert(cap.UsagePage);
        for (USAGE page : pages) {
            USAGE list[16] = {};
            ULONG count = ULONG(Pick(17));
            ASSERT_TRUE(
                OneOf(simhid::HidP_GetUsages(asKind, page, 0, list, &count, data, report, asLength),
                      kReportStatuses));
            ASSERT_LE(count, 0xFFFFu);
            for (USAGE& u : list)
                u = USAGE(random_());
            count = ULONG(Pick(17));
            ASSERT_TRUE(
                OneOf(simhid::HidP_SetUsages(asKind, page, 0, list, &count, data, report, asLength),
                      kReportStatuses));
        }
    }

    GuardedBuffer descriptorBuffer_;
    GuardedBuffer reportBuffer_;
    std::mt19937 random_;
    std::vector<std::vector<BYTE>> seeds_;
    size_t cases_ = 0, parsed_ = 0, roundTrips_ = 0;
};

// A fault ends the run at once with its address, instead of waiting for a debugger.
LONG WINAPI ReportFault(EXCEPTION_POINTERS* info) {
    std::printf("fault %08lX at %p reading or writing %p\n", info->ExceptionRecord->ExceptionCode,
                info->ExceptionRecord->ExceptionAddress,
                reinterpret_cast<void*>(info->ExceptionRecord->ExceptionInformation[1]));
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

TEST(Robustness, MutatedDescriptorsAndReports) {
    struct FaultReport {
        LPTOP_LEVEL_EXCEPTION_FILTER previous = SetUnhandledExceptionFilter(ReportFault);
        ~FaultReport() { SetUnhandledExceptionFilter(previous); }
    } faultReport;
    Fuzzer fuzzer;
    ASSERT_TRUE(fuzzer.ok());
    const size_t kCases = 100000;
    const ULONGLONG kBudgetMs = 30000;
    ULONGLONG start = GetTickCount64();
    while (fuzzer.cases() < kCases && GetTickCount64() - start < kBudgetMs) {
        fuzzer.RunCase();
        if (testing::Test::HasFatalFailure())
            return;
    }
    // A run that stops early for time has still covered a useful share.
    EXPECT_GE(fuzzer.cases(), kCases / 4);
    // Enough mutants stay readable for the report operations to be exercised.
    EXPECT_GT(fuzzer.parsed(), fuzzer.cases() / 5);
    EXPECT_GT(fuzzer.roundTrips(), fuzzer.parsed());
    testing::Test::RecordProperty("cases", int(fuzzer.cases()));
    std::printf("%zu cases, %zu descriptors read, %zu set-and-get round trips\n", fuzzer.cases(),
                fuzzer.parsed(), fuzzer.roundTrips());
}

} // namespace
