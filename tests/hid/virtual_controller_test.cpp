// The virtual controller keeps the controller contract, driven through the controller link
// as the utility drives it.
#include "hid/command_channel.h"
#include "hid/discovery.h"
#include "tests/hid/virtual_bus_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Words = std::vector<ULONG>;

// The utility's side of the link: the controller's record, connected as a settings action
// connects it.
struct Link {
    explicit Link(LayoutId layout = LayoutId::Value32) : sim(1, layout), release(record) {}
    int Connect() { return ConnectController(&record, &id); }
    int Send(ULONG word) { return SendCommand(&record, word); }
    int Read() { return ReadAnswer(&record); }
    VirtualController& ctl() { return sim.controller; }

    VirtualBusFixture sim;
    HidDevice record = {};
    ControllerId id = {};
    ScopedRecordRelease release;
};

struct EffectCase {
    const char* name;
    Words words;
    ControllerSettings settings;
    bool touch;
    bool calibrating;
};
void PrintTo(const EffectCase& c, std::ostream* os) {
    *os << c.name;
}

class CommandEffect : public testing::TestWithParam<EffectCase> {};

TEST_P(CommandEffect, WordsChangeTheControllersState) {
    const EffectCase& c = GetParam();
    Link link;
    ASSERT_EQ(link.Connect(), 1);
    for (ULONG word : c.words)
        ASSERT_EQ(link.Send(word), 1) << std::hex << word;
    EXPECT_EQ(link.ctl().Settings(), c.settings);
    EXPECT_EQ(link.ctl().TouchEnabled(), c.touch);
    EXPECT_EQ(link.ctl().Calibrating(), c.calibrating);
    EXPECT_EQ(link.ctl().AcceptedWords(), c.words);
}

constexpr ControllerSettings kFactory = VirtualController::kFactorySettings;

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandEffect,
    testing::Values(
        EffectCase{"Nothing", {}, kFactory, true, false},
        EffectCase{
            "SettingsOfCalibrate", {0x6401, 0x0005, 0x0306, 0x1C08}, {100, 0, 3, 28}, true, false},
        EffectCase{"TouchStopped", {0x0010}, kFactory, false, false},
        EffectCase{"TouchRestored", {0x0010, 0x0110}, kFactory, true, false},
        EffectCase{"CalibrationEntered", {0x0080}, kFactory, true, true},
        EffectCase{"CalibrationLeft", {0x0080, 0x00C0}, kFactory, true, false},
        EffectCase{"CalibrationBrokenOff", {0x0080, 0x0012}, kFactory, true, false},
        EffectCase{"UnknownOpcodeIgnored", {0x0577}, kFactory, true, false}),
    [](const testing::TestParamInfo<EffectCase>& info) { return std::string(info.param.name); });

TEST(VirtualController, KeepsParametersAcrossReplugOnlyAfterSave) {
    struct Case {
        const char* name;
        Words words;
        ControllerSettings afterReplug;
    };
    const Case cases[] = {
        {"NotKept", {0x0506, 0x0908}, kFactory},
        {"Kept", {0x0506, 0x0908, 0x0109}, {10, 1, 5, 9}},
        {"SaveWithoutParameterKeepsNothing", {0x0506, 0x0009}, kFactory},
        {"ChangedAfterSave", {0x0506, 0x0109, 0x0706}, {10, 1, 5, 16}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Link link;
        ASSERT_EQ(link.Connect(), 1);
        for (ULONG word : c.words)
            ASSERT_EQ(link.Send(word), 1);
        ASSERT_EQ(link.Send(0x0010), 1);
        ASSERT_EQ(link.Send(0x0080), 1);

        link.ctl().Unplug();
        EXPECT_EQ(link.Send(0x0110), 0) << "a vanished controller takes nothing";
        link.ctl().Plug();
        EXPECT_EQ(link.Send(0x0110), 0) << "the old handle stays dead";
        ASSERT_EQ(link.Connect(), 1);

        EXPECT_EQ(link.ctl().Settings(), c.afterReplug);
        EXPECT_TRUE(link.ctl().TouchEnabled());
        EXPECT_FALSE(link.ctl().Calibrating());
    }
}

struct LayoutCase {
    const char* name;
    LayoutId layout;
    std::vector<BYTE> setIds;
    Words words; // of each set report
    BYTE step;
};
void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class EveryLayout : public testing::TestWithParam<LayoutCase> {};

// Every layout takes a command and answers; a field narrower than 16 bits loses the
// parameter.
TEST_P(EveryLayout, CommandArrivesInEachValueField) {
    const LayoutCase& c = GetParam();
    Link link(c.layout);
    ASSERT_EQ(link.Connect(), 1);

    EXPECT_EQ(link.Send(0x0506), 1);
    EXPECT_EQ(link.Read(), 1);
    const auto& transfers = link.ctl().Transfers();
    ASSERT_EQ(transfers.size(), 2 * c.setIds.size());
    for (size_t i = 0; i < c.setIds.size(); ++i) {
        EXPECT_EQ(transfers[i].kind, ControllerTransfer::Set);
        EXPECT_EQ(transfers[i].reportId, c.setIds[i]);
        EXPECT_EQ(transfers[i].words, (Words{c.words[i]}));
        const ControllerTransfer& read = transfers[c.setIds.size() + i];
        EXPECT_EQ(read.kind, ControllerTransfer::Get);
        EXPECT_EQ(read.reportId, c.setIds[i]);
        EXPECT_FALSE(read.refused);
    }
    EXPECT_EQ(link.ctl().Settings().step, c.step);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, EveryLayout,
    testing::Values(LayoutCase{"Value32", LayoutId::Value32, {0}, {0x0506}, 5},
                    LayoutCase{"TwoIds", LayoutId::TwoIds, {1, 2}, {0x0506, 0x0506}, 5},
                    LayoutCase{"Buttons", LayoutId::Buttons, {0}, {0x0506}, 5},
                    LayoutCase{"Value8", LayoutId::Value8, {0}, {0x0006}, 0}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

TEST(VirtualController, RefusesChosenSetsAndReads) {
    struct Step {
        ULONG word;
        int sent;
        int answered; // -1: no read
    };
    struct Case {
        const char* name;
        OpcodeSet refuseSets, refuseReads;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"ChosenSet", OpcodeSet::Of({0x09}), {}, {{0x0109, 0, -1}, {0x0506, 1, 1}}},
        {"AllSets", OpcodeSet::All(), {}, {{0x0080, 0, -1}, {0x0010, 0, -1}}},
        {"ReadAfterChosenCommand",
         {},
         OpcodeSet::Of({0x10, 0xC0}),
         {{0x0010, 1, 0}, {0x0080, 1, 1}, {0x00C0, 1, 0}, {0x0012, 1, 1}}},
        {"AllReads", {}, OpcodeSet::All(), {{0x0080, 1, 0}, {0x0012, 1, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Link link;
        link.ctl().RefuseSets(c.refuseSets);
        link.ctl().RefuseReads(c.refuseReads);
        ASSERT_EQ(link.Connect(), 1);
        for (const Step& s : c.steps) {
            EXPECT_EQ(link.Send(s.word), s.sent) << std::hex << s.word;
            if (s.answered >= 0) {
                EXPECT_EQ(link.Read(), s.answered) << std::hex << s.word;
            }
        }
        // Refused transfers are recorded as such, and change nothing.
        for (const ControllerTransfer& t : link.ctl().Transfers()) {
            if (t.kind == ControllerTransfer::Set && t.words[0] == 0x0109) {
                EXPECT_TRUE(t.refused);
            }
        }
        EXPECT_EQ(link.ctl().KeptSettings(), kFactory);
    }
}

TEST(VirtualController, VanishesAfterItsNthTransferAndComesBack) {
    Link link;
    link.ctl().UnplugAfter(2);
    ASSERT_EQ(link.Connect(), 1);

    EXPECT_EQ(link.Send(0x0080), 1);
    EXPECT_EQ(link.Read(), 1);
    EXPECT_FALSE(link.ctl().IsPresent());
    EXPECT_EQ(link.Send(0x00C0), 0);
    EXPECT_EQ(link.ctl().Transfers().size(), 2u);
    EXPECT_EQ(link.Connect(), 0);
    EXPECT_EQ(link.id.productId, 0);

    link.ctl().Plug();
    EXPECT_EQ(link.Connect(), 1);
    EXPECT_EQ(link.Send(0x00C0), 1);
    EXPECT_TRUE(link.ctl().IsPresent());
}

TEST(TransferLog, LinesOfTheSimulatorBuild) {
    struct Case {
        ControllerTransfer transfer;
        const char* line;
    };
    const Case cases[] = {
        {{ControllerTransfer::Set, 0, {0x0109}, false}, "set-feature report=0 word=0x0109"},
        {{ControllerTransfer::Set, 2, {0x00C0}, true}, "set-feature report=2 word=0x00C0 refused"},
        {{ControllerTransfer::Set, 1, {0x6401, 0x6401}, false},
         "set-feature report=1 word=0x6401 word=0x6401"},
        {{ControllerTransfer::Get, 1, {}, false}, "get-feature report=1"},
        {{ControllerTransfer::Get, 0, {}, true}, "get-feature report=0 refused"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatTransfer(c.transfer), c.line);
}

TEST(TransferLog, ObserverSeesEveryTransferInOrder) {
    Link link(LayoutId::TwoIds);
    std::vector<std::string> lines;
    link.ctl().SetTransferObserver(
        [&](const ControllerTransfer& t) { lines.push_back(FormatTransfer(t)); });
    link.ctl().RefuseReads(OpcodeSet::Of({0x10}));
    ASSERT_EQ(link.Connect(), 1);

    link.Send(0x0010);
    link.Read();
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "set-feature report=1 word=0x0010", "set-feature report=2 word=0x0010",
                         "get-feature report=1 refused", "get-feature report=2 refused"}));
}

} // namespace
