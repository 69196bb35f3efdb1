// Reading the simulator build's PNPSETUP_SIM settings, and the bus built from them.
#include "hid/command_channel.h"
#include "sim/sim_config.h"
#include "sim/sim_setup.h"
#include "tests/hid/virtual_bus_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct GoodCase {
    const char* text;
    bool controller;
    USHORT productId;
    LayoutId layout;
    OpcodeSet failSend, noAnswer;
    ULONG unplugAfter;
};

bool SameOpcodes(const OpcodeSet& a, const OpcodeSet& b) {
    return a.all == b.all && a.codes == b.codes;
}

TEST(ParseSimConfig, AcceptedSettings) {
    const GoodCase cases[] = {
        {nullptr, true, 1, LayoutId::Value32, {}, {}, 0},
        {"", true, 1, LayoutId::Value32, {}, {}, 0},
        {"controller=4", true, 4, LayoutId::Value32, {}, {}, 0},
        {"controller=none", false, 1, LayoutId::Value32, {}, {}, 0},
        {"layout=two-ids", true, 1, LayoutId::TwoIds, {}, {}, 0},
        {"layout=buttons", true, 1, LayoutId::Buttons, {}, {}, 0},
        {"layout=value8", true, 1, LayoutId::Value8, {}, {}, 0},
        {"layout=value32", true, 1, LayoutId::Value32, {}, {}, 0},
        {"fail-send=09", true, 1, LayoutId::Value32, OpcodeSet::Of({0x09}), {}, 0},
        {"fail-send=1+5+c0", true, 1, LayoutId::Value32, OpcodeSet::Of({0x01, 0x05, 0xC0}), {}, 0},
        {"no-answer=all", true, 1, LayoutId::Value32, {}, OpcodeSet::All(), 0},
        {"no-answer=0x10+80", true, 1, LayoutId::Value32, {}, OpcodeSet::Of({0x10, 0x80}), 0},
        {"unplug-after=3", true, 1, LayoutId::Value32, {}, {}, 3},
        {" controller=4 , layout=value8,fail-send=all,no-answer=12,unplug-after=10,", true, 4,
         LayoutId::Value8, OpcodeSet::All(), OpcodeSet::Of({0x12}), 10},
    };
    for (const GoodCase& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(unset)");
        SimConfig config;
        config.productId = 9; // overwritten on success
        std::string error;
        ASSERT_TRUE(ParseSimConfig(c.text, &config, &error)) << error;
        EXPECT_EQ(config.controller, c.controller);
        if (c.controller) {
            EXPECT_EQ(config.productId, c.productId);
        }
        EXPECT_EQ(config.layout, c.layout);
        EXPECT_TRUE(SameOpcodes(config.failSend, c.failSend));
        EXPECT_TRUE(SameOpcodes(config.noAnswer, c.noAnswer));
        EXPECT_EQ(config.unplugAfter, c.unplugAfter);
    }
}

TEST(ParseSimConfig, UnknownKeysAndValuesAreNamed) {
    struct Case {
        const char* text;
        const char* named; // must appear in the message
    };
    const Case cases[] = {
        {"colour=red", "\"colour\""},
        {"controller=2", "\"2\""},
        {"controller=", "controller"},
        {"layout=wide", "\"wide\""},
        {"fail-send=1g", "\"1g\""},
        {"fail-send=123", "\"123\""},
        {"fail-send=10++80", "fail-send"},
        {"no-answer=", "no-answer"},
        {"unplug-after=0", "unplug-after"},
        {"unplug-after=x", "\"x\""},
        {"controller=4,verbose", "\"verbose\""},
        {"controller=4,Layout=value8", "\"Layout\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SimConfig config;
        config.productId = 7;
        std::string error;
        EXPECT_FALSE(ParseSimConfig(c.text, &config, &error));
        EXPECT_NE(error.find(c.named), std::string::npos) << error;
        EXPECT_EQ(error.rfind("PNPSETUP_SIM: ", 0), 0u) << error;
        EXPECT_EQ(config.productId, 7) << "the configuration is left alone";
    }
}

TEST(BuildSimBus, MouseFirstThenTheConfiguredController) {
    SimConfig config;
    std::string error;
    ASSERT_TRUE(ParseSimConfig("controller=4,layout=two-ids,fail-send=09,no-answer=10,"
                               "unplug-after=3",
                               &config, &error));
    SimBus bus;
    VirtualController* controller = BuildSimBus(config, bus);
    ASSERT_NE(controller, nullptr);
    ASSERT_EQ(bus.DeviceCount(), 2u);
    EXPECT_EQ(bus.Device(0).VendorId(), 0x046D);
    EXPECT_EQ(&bus.Device(1), controller);
    EXPECT_EQ(controller->VendorId(), 0x24B8);
    EXPECT_EQ(controller->ProductId(), 4);
    EXPECT_EQ(controller->Layout().id, LayoutId::TwoIds);

    // The refusals and the unplug count reach the controller.
    {
        ScopedHidPlatform use(bus);
        HidDevice record = {};
        ScopedRecordRelease release(record);
        ControllerId id = {};
        ASSERT_EQ(ConnectController(&record, &id), 1);
        EXPECT_EQ(SendCommand(&record, 0x0109), 0);
        EXPECT_EQ(SendCommand(&record, 0x0010), 1); // two accepted reports
        EXPECT_EQ(ReadAnswer(&record), 0);
        EXPECT_TRUE(controller->IsPresent());
        EXPECT_EQ(SendCommand(&record, 0x0080), 0); // gone after the third
        EXPECT_FALSE(controller->IsPresent());
    }

    SimConfig none;
    ASSERT_TRUE(ParseSimConfig("controller=none", &none, &error));
    SimBus empty;
    EXPECT_EQ(BuildSimBus(none, empty), nullptr);
    EXPECT_EQ(empty.DeviceCount(), 1u);
}

} // namespace
