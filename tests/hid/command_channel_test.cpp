// Sending command words as feature reports and reading the controller's answer, on the
// virtual controller.
#include "hid/command_channel.h"
#include "hid/discovery.h"
#include "tests/hid/forwarding_platform.h"
#include "tests/hid/virtual_bus_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Words = std::vector<ULONG>;

// Feature reports 1, 2, 1: report 1 holds two 32-bit values (the first and third declared),
// report 2 one.
const ControllerLayout kOneTwoOne = {LayoutId::TwoIds,
                                     "one-two-one",
                                     "0600FF0901A101"
                                     "85010902150027FFFFFF7F75209501B102"
                                     "85020903B102"
                                     "85010904B102"
                                     "C0",
                                     {{1, 8, 32}, {2, 8, 32}, {1, 40, 32}}};

// Counts feature transfers by report id and fails those of one chosen report id.
class TransferTap : public ForwardingPlatform {
public:
    using ForwardingPlatform::ForwardingPlatform;
    int failSetId = -1;
    int failGetId = -1;
    std::vector<int> sets, gets;

    BOOLEAN HidD_SetFeature(HANDLE handle, PVOID report, ULONG length) override {
        int id = length ? static_cast<BYTE*>(report)[0] : -1;
        sets.push_back(id);
        if (id == failSetId)
            return FALSE;
        return next_.HidD_SetFeature(handle, report, length);
    }
    BOOLEAN HidD_GetFeature(HANDLE handle, PVOID report, ULONG length) override {
        int id = length ? static_cast<BYTE*>(report)[0] : -1;
        gets.push_back(id);
        if (id == failGetId)
            return FALSE;
        return next_.HidD_GetFeature(handle, report, length);
    }
};

// A bus with one controller of the given layout, the simulated platform behind a tap, and
// the controller's record connected.
struct Channel {
    explicit Channel(const ControllerLayout& layout)
        : controller(bus.AddController(1, layout)), platform(bus), tap(platform),
          previous(SetHidPlatform(&tap)) {
        connected = ConnectController(&record, &id);
    }
    ~Channel() {
        ReleaseHidDevice(&record, 1);
        SetHidPlatform(previous);
    }
    SimBus bus;
    VirtualController& controller;
    SimHidPlatform platform;
    TransferTap tap;
    HidPlatform* previous;
    HidDevice record = {};
    ControllerId id = {};
    int connected = 0;
};

TEST(SendCommand, OneValueWithoutReportIdsGetsTheWholeWord) {
    Channel ch(GetControllerLayout(LayoutId::Value32));
    ASSERT_EQ(ch.connected, 1);

    EXPECT_EQ(SendCommand(&ch.record, 0x0109), 1);
    ASSERT_EQ(ch.controller.Transfers().size(), 1u);
    const ControllerTransfer& t = ch.controller.Transfers()[0];
    EXPECT_EQ(t.kind, ControllerTransfer::Set);
    EXPECT_EQ(t.reportId, 0);
    EXPECT_EQ(t.words, (Words{0x0109}));
    EXPECT_FALSE(t.refused);
}

TEST(SendCommand, EachReportIdOnceInOrderOfItsFirstItem) {
    Channel ch(kOneTwoOne);
    ASSERT_EQ(ch.connected, 1);
    ASSERT_EQ(ch.record.featureItemCount, 3u);

    EXPECT_EQ(SendCommand(&ch.record, 0x0506), 1);
    EXPECT_EQ(ch.tap.sets, (std::vector<int>{1, 2}));
    const auto& t = ch.controller.Transfers();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].reportId, 1);
    EXPECT_EQ(t[0].words, (Words{0x0506, 0x0506}));
    EXPECT_EQ(t[1].reportId, 2);
    EXPECT_EQ(t[1].words, (Words{0x0506}));

    EXPECT_EQ(ReadAnswer(&ch.record), 1);
    EXPECT_EQ(ch.tap.gets, (std::vector<int>{1, 2}));
    for (ULONG i = 0; i < 3; ++i)
        EXPECT_EQ(ch.record.featureItems[i].isSet, 1) << i;
}

TEST(SendCommand, FailedFirstSendStillSendsTheSecond) {
    Channel ch(GetControllerLayout(LayoutId::TwoIds));
    ASSERT_EQ(ch.connected, 1);
    ch.tap.failSetId = 1;

    EXPECT_EQ(SendCommand(&ch.record, 0x0080), 0);
    EXPECT_EQ(ch.tap.sets, (std::vector<int>{1, 2}));
    ASSERT_EQ(ch.controller.Transfers().size(), 1u);
    EXPECT_EQ(ch.controller.Transfers()[0].reportId, 2);
}

TEST(ReadAnswer, FailedReadIsTriedAgainByTheNextItemOfItsId) {
    Channel ch(kOneTwoOne);
    ASSERT_EQ(ch.connected, 1);
    ch.tap.failGetId = 1;

    EXPECT_EQ(ReadAnswer(&ch.record), 0);
    EXPECT_EQ(ch.tap.gets, (std::vector<int>{1, 2, 1}));
    EXPECT_EQ(ch.record.featureItems[0].isSet, 0);
    EXPECT_EQ(ch.record.featureItems[1].isSet, 1);
    EXPECT_EQ(ch.record.featureItems[2].isSet, 0);
}

TEST(CommandChannel, RecordWithoutFeatureItemsSucceedsWithoutTransfers) {
    SimBus bus;
    SimDevice& mouse = bus.AddMouse();
    SimHidPlatform platform(bus);
    TransferTap tap(platform);
    HidPlatform* previous = SetHidPlatform(&tap);
    {
        HidDevice record = {};
        ScopedRecordRelease release(record);
        ASSERT_EQ(OpenHidPath(mouse.Path().c_str(), &record), 1);
        ASSERT_EQ(record.featureItemCount, 0u);

        EXPECT_EQ(SendCommand(&record, 0x0109), 1);
        EXPECT_EQ(ReadAnswer(&record), 1);
    }
    SetHidPlatform(previous);
    EXPECT_TRUE(tap.sets.empty());
    EXPECT_TRUE(tap.gets.empty());

    HidDevice zero = {}; // the application object's record before any search
    EXPECT_EQ(SendCommand(&zero, 0x0010), 1);
    EXPECT_EQ(ReadAnswer(&zero), 1);
}

TEST(CommandChannel, InvalidHandleFailsEveryTransfer) {
    Channel ch(GetControllerLayout(LayoutId::TwoIds));
    ASSERT_EQ(ch.connected, 1);
    ReleaseHidDevice(&ch.record, 0); // handle closed, items kept

    EXPECT_EQ(SendCommand(&ch.record, 0x0110), 0);
    EXPECT_EQ(ReadAnswer(&ch.record), 0);
    EXPECT_EQ(ch.tap.sets, (std::vector<int>{1, 2}));
    EXPECT_EQ(ch.tap.gets, (std::vector<int>{1, 2}));
    EXPECT_TRUE(ch.controller.Transfers().empty());
}

TEST(CommandSet, WordsOfTheCommandTable) {
    struct Case {
        BYTE opcode, parameter;
        CommandWord word;
    };
    const Case cases[] = {
        {CMD_RIGHT_CLICK_TIME, 100, 0x6401},
        {CMD_PNP, 1, 0x0105},
        {CMD_PNP, 0, 0x0005},
        {CMD_STEP, 28, 0x1C06},
        {CMD_PRESS, 1, 0x0108},
        {CMD_SAVE, 1, 0x0109},
        {CMD_TOUCH, 0, 0x0010},
        {CMD_TOUCH, 1, 0x0110},
        {CMD_ABORT_CALIBRATION, 0, 0x0012},
        {CMD_START_CALIBRATION, 0, 0x0080},
        {CMD_EXIT_CALIBRATION, 0, 0x00C0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeCommandWord(c.opcode, c.parameter), c.word) << std::hex << c.word;
}

} // namespace
