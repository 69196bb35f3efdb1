// Finding the controller among the interfaces of a simulated bus, and what each search
// leaves open.
#include "hid/discovery.h"
#include "tests/hid/virtual_bus_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Events = std::vector<std::string>;

// Everything that is still handed out: only the kept controller may hold a handle and
// parser data.
void ExpectOnlyKept(SimBus& bus, SimDevice* kept) {
    EXPECT_EQ(bus.OpenHandleCount(), kept ? 1 : 0);
    EXPECT_EQ(bus.OutstandingPreparsedData(), kept ? 1 : 0);
    EXPECT_EQ(bus.OpenDeviceListCount(), 0);
    EXPECT_EQ(bus.ForeignCloseCount(), 0);
    EXPECT_EQ(bus.ForeignFreeCount(), 0);
    for (size_t i = 0; i < bus.DeviceCount(); ++i) {
        SimDevice& device = bus.Device(i);
        EXPECT_EQ(device.OpenHandles(), &device == kept ? 1 : 0) << device.Label();
    }
}

TEST(ConnectController, NoInterfaceMeansTwoFullSearchesAndZeroIds) {
    SimBus bus;
    ScopedHidPlatform use(bus);
    HidDevice record = {};
    ScopedRecordRelease release(record);
    ControllerId id = {7, 7};

    EXPECT_EQ(ConnectController(&record, &id), 0);
    EXPECT_EQ(id.productId, 0);
    EXPECT_EQ(id.vendorId, 0);
    EXPECT_EQ(bus.Events(), (Events{"list", "end", "destroy", "list", "end", "destroy"}));
    ExpectOnlyKept(bus, nullptr);
}

struct SearchCase {
    const char* name;
    std::vector<std::pair<USHORT, USHORT>> devices; // vendor id, product id, in bus order
    int found;                                      // index of the device kept, or -1
    USHORT productId;                               // ids reported
    Events events;
};
void PrintTo(const SearchCase& c, std::ostream* os) {
    *os << c.name;
}

class ConnectSearch : public testing::TestWithParam<SearchCase> {};

TEST_P(ConnectSearch, KeepsTheRightInterfaceAndReleasesTheRest) {
    const SearchCase& c = GetParam();
    SimBus bus;
    for (auto [vendorId, productId] : c.devices) {
        if (vendorId == 0x24B8 && (productId == 1 || productId == 4))
            bus.AddController(productId);
        else if (vendorId == 0x24B8)
            bus.AddDevice(vendorId, productId, GetControllerLayout(LayoutId::Value32).descriptor,
                          "other");
        else
            bus.AddMouse();
    }
    ScopedHidPlatform use(bus);
    HidDevice record = {};
    ScopedRecordRelease release(record);
    ControllerId id = {};

    EXPECT_EQ(ConnectController(&record, &id), c.found >= 0 ? 1 : 0);
    EXPECT_EQ(bus.Events(), c.events);
    SimDevice* kept = c.found >= 0 ? &bus.Device(c.found) : nullptr;
    ExpectOnlyKept(bus, kept);
    EXPECT_EQ(id.productId, c.productId);
    EXPECT_EQ(id.vendorId, c.found >= 0 ? 0x24B8 : 0);
    if (kept) {
        EXPECT_EQ(record.attributes.ProductID, c.productId);
        EXPECT_NE(record.handle, INVALID_HANDLE_VALUE);
        EXPECT_NE(record.featureItems, nullptr);
    } else {
        EXPECT_TRUE(RecordIsReleased(record));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConnectSearch,
    testing::Values(SearchCase{"ProductFourOnlyAfterFullSearchForOne",
                               {{0x046D, 0xC077}, {0x24B8, 4}},
                               1,
                               4,
                               {"list", "open mouse", "close mouse", "open ctl4", "close ctl4",
                                "end", "destroy", "list", "open mouse", "close mouse", "open ctl4",
                                "destroy"}},
                    SearchCase{"ProductOneWinsOverFour",
                               {{0x24B8, 4}, {0x24B8, 1}},
                               1,
                               1,
                               {"list", "open ctl4", "close ctl4", "open ctl1", "destroy"}},
                    SearchCase{"LowerIndexOfTwoMatchesIsTakenOtherNeverOpened",
                               {{0x24B8, 1}, {0x24B8, 1}},
                               0,
                               1,
                               {"list", "open ctl1", "destroy"}},
                    SearchCase{"SameVendorOtherProductIsOpenedReleasedAndPassed",
                               {{0x24B8, 2}, {0x24B8, 1}},
                               1,
                               1,
                               {"list", "open other", "close other", "open ctl1", "destroy"}},
                    SearchCase{"OnlyOtherDevicesLeaveNothingOpen",
                               {{0x046D, 0xC077}, {0x24B8, 2}},
                               -1,
                               0,
                               {"list", "open mouse", "close mouse", "open other", "close other",
                                "end", "destroy", "list", "open mouse", "close mouse", "open other",
                                "close other", "end", "destroy"}}),
    [](const testing::TestParamInfo<SearchCase>& info) { return std::string(info.param.name); });

// An interface that fails at one step is passed over in silence; the search finds the
// controller behind it. The failing interface carries the controller's own ids, so it
// would have been kept had the failure been ignored.
struct FaultCase {
    const char* name;
    SimFaults faults;
    bool truncatedDescriptor;
    Events events;
};
void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

class PassOver : public testing::TestWithParam<FaultCase> {};

TEST_P(PassOver, FailingInterfaceIsSkippedAndLeftClosed) {
    const FaultCase& c = GetParam();
    SimBus bus;
    SimDevice& broken =
        c.truncatedDescriptor
            ? bus.AddDevice(0x24B8, 1, simdesc::kMouseTruncated, "broken")
            : bus.AddDevice(0x24B8, 1, GetControllerLayout(LayoutId::Value32).descriptor, "broken");
    broken.faults = c.faults;
    VirtualController& controller = bus.AddController(1);
    ScopedHidPlatform use(bus);
    HidDevice record = {};
    ScopedRecordRelease release(record);
    ControllerId id = {};

    EXPECT_EQ(ConnectController(&record, &id), 1);
    EXPECT_EQ(bus.Events(), c.events);
    ExpectOnlyKept(bus, &controller);
    EXPECT_EQ(id.productId, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PassOver,
    testing::Values(FaultCase{"EnumerationError",
                              {.enumerateError = ERROR_GEN_FAILURE},
                              false,
                              {"list", "open ctl1", "destroy"}},
                    FaultCase{"OpenRefused",
                              {.openError = ERROR_ACCESS_DENIED},
                              false,
                              {"list", "open ctl1", "destroy"}},
                    FaultCase{"NoParserData",
                              {.preparsedFails = true},
                              false,
                              {"list", "open broken", "close broken", "open ctl1", "destroy"}},
                    FaultCase{"MalformedDescriptor",
                              {},
                              true,
                              {"list", "open broken", "close broken", "open ctl1", "destroy"}},
                    FaultCase{"NoAttributes",
                              {.attributesFails = true},
                              false,
                              {"list", "open broken", "close broken", "open ctl1", "destroy"}},
                    FaultCase{"NoCaps",
                              {.capsFails = true},
                              false,
                              {"list", "open broken", "close broken", "open ctl1", "destroy"}}),
    [](const testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST(FindHidDevice, FailedDetailReadEndsTheSearchWithoutLaterInterfaces) {
    SimBus bus;
    bus.AddMouse().faults.detailFails = true;
    bus.AddController(1);
    ScopedHidPlatform use(bus);
    HidDevice record = {};
    ScopedRecordRelease release(record);

    EXPECT_EQ(FindHidDevice(0x24B8, 1, &record), 0);
    EXPECT_EQ(bus.Events(), (Events{"list", "destroy"}));
    ExpectOnlyKept(bus, nullptr);
}

TEST(FindHidDevice, FailedDeviceListEndsAtOnce) {
    SimBus bus;
    bus.AddController(1);
    bus.failDeviceList = true;
    ScopedHidPlatform use(bus);
    HidDevice record = {};
    ScopedRecordRelease release(record);

    EXPECT_EQ(FindHidDevice(0x24B8, 1, &record), 0);
    EXPECT_TRUE(bus.Events().empty());
    ExpectOnlyKept(bus, nullptr);
}

TEST(OpenHidPath, OpensForWritingOnlySharedAndSynchronous) {
    VirtualBusFixture sim;
    HidDevice record = {};
    ScopedRecordRelease release(record);

    ASSERT_EQ(OpenHidPath(sim.controller.Path().c_str(), &record), 1);
    EXPECT_EQ(sim.controller.LastOpen().access, static_cast<DWORD>(GENERIC_WRITE));
    EXPECT_EQ(sim.controller.LastOpen().share,
              static_cast<DWORD>(FILE_SHARE_READ | FILE_SHARE_WRITE));
    EXPECT_EQ(sim.controller.LastOpen().disposition, static_cast<DWORD>(OPEN_EXISTING));
    EXPECT_EQ(sim.controller.LastOpen().flags, 0u);
    EXPECT_EQ(record.attributes.VendorID, 0x24B8);
    EXPECT_EQ(record.attributes.ProductID, 1);
    EXPECT_EQ(record.caps.FeatureReportByteLength, 5);
}

TEST(OpenHidPath, MissingPathLeavesNoHandle) {
    VirtualBusFixture sim;
    HidDevice record = {};
    ScopedRecordRelease release(record);

    EXPECT_EQ(OpenHidPath("\\\\?\\hid#vid_24b8&pid_0009#nowhere", &record), 0);
    EXPECT_TRUE(RecordIsReleased(record));
    EXPECT_EQ(sim.bus.OpenHandleCount(), 0);
}

TEST(ReleaseHidDevice, WithoutFreeClosesOnlyTheHandle) {
    VirtualBusFixture sim;
    HidDevice record = {};
    ScopedRecordRelease release(record);
    ASSERT_EQ(OpenHidPath(sim.controller.Path().c_str(), &record), 1);

    ReleaseHidDevice(&record, 0);
    EXPECT_EQ(record.handle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(sim.bus.OpenHandleCount(), 0);
    EXPECT_NE(record.preparsedData, nullptr);
    EXPECT_NE(record.featureItems, nullptr);

    ReleaseHidDevice(&record, 1);
    EXPECT_TRUE(RecordIsReleased(record));
    EXPECT_EQ(sim.bus.OutstandingPreparsedData(), 0);
    EXPECT_EQ(sim.bus.ForeignCloseCount(), 0);
}

TEST(ConnectController, RepeatedConnectsReleaseTheEarlierRecordFirst) {
    VirtualBusFixture sim;
    HidDevice record = {}; // as the application object starts it: handle 0
    ScopedRecordRelease release(record);
    ControllerId id = {};

    for (int i = 0; i < 5; ++i) {
        sim.bus.ClearEvents();
        ASSERT_EQ(ConnectController(&record, &id), 1);
        Events expected = {"list", "open mouse", "close mouse", "open ctl1", "destroy"};
        if (i > 0)
            expected.insert(expected.begin(), "close ctl1");
        EXPECT_EQ(sim.bus.Events(), expected) << "connect " << i;
        ExpectOnlyKept(sim.bus, &sim.controller);
    }
    // The zero-filled record's handle 0 was never handed to CloseHandle.
    EXPECT_EQ(sim.bus.ForeignCloseCount(), 0);
    EXPECT_EQ(sim.controller.OpenCount(), 5);
}

TEST(ConnectController, UnpluggedControllerIsReleasedAndNotFoundAgain) {
    VirtualBusFixture sim;
    HidDevice record = {};
    ScopedRecordRelease release(record);
    ControllerId id = {};
    ASSERT_EQ(ConnectController(&record, &id), 1);

    sim.controller.Unplug();
    EXPECT_EQ(ConnectController(&record, &id), 0);
    EXPECT_EQ(id.productId, 0);
    EXPECT_EQ(id.vendorId, 0);
    EXPECT_TRUE(RecordIsReleased(record));
    ExpectOnlyKept(sim.bus, nullptr);

    sim.controller.Plug();
    EXPECT_EQ(ConnectController(&record, &id), 1);
    EXPECT_EQ(id.productId, 1);
    ExpectOnlyKept(sim.bus, &sim.controller);
}

TEST(ConnectController, RecordClosedByACallerIsSearchedAgainWithoutClosingTwice) {
    VirtualBusFixture sim;
    HidDevice record = {};
    ScopedRecordRelease release(record);
    ControllerId id = {};
    sim.controller.Unplug();
    ASSERT_EQ(ConnectController(&record, &id), 0);
    record.handle = INVALID_HANDLE_VALUE; // what a failed settings action does

    sim.controller.Plug();
    EXPECT_EQ(ConnectController(&record, &id), 1);
    EXPECT_EQ(sim.bus.ForeignCloseCount(), 0);
    ExpectOnlyKept(sim.bus, &sim.controller);
}

} // namespace
