// Building a simulated HID bus with a virtual controller for a test, and giving the
// controller link's record back at the end of it.
//
//   SimBus bus;                                   // empty bus
//   bus.AddMouse();                               // a non-matching interface first
//   VirtualController& ctl = bus.AddController(1, LayoutId::Value32);
//   ScopedHidPlatform use(bus);                   // HidApi() is the bus until scope end
//   ScopedRecordRelease release(theApp.g_hidDevice);
//
// or, for the usual mouse-then-controller bus, one object:
//
//   VirtualBusFixture sim;                        // sim.bus, sim.controller
//   VirtualBusFixture sim(4, LayoutId::TwoIds);
#pragma once

#include "hid/discovery.h"
#include "hid/hid_device.h"
#include "sim/sim_bus.h"
#include "sim/sim_platform.h"
#include "sim/virtual_controller.h"

#include <cstring>

// Whether a record holds nothing: no usable handle, no parser data, no arrays.
inline bool RecordIsReleased(const HidDevice& d) {
    return d.handle == INVALID_HANDLE_VALUE && !d.preparsedData && !d.inputReport &&
           !d.inputItems && !d.inputItemCount && !d.inputButtonCaps && !d.inputValueCaps &&
           !d.outputReport && !d.outputItems && !d.outputItemCount && !d.outputButtonCaps &&
           !d.outputValueCaps && !d.featureReport && !d.featureItems && !d.featureItemCount &&
           !d.featureButtonCaps && !d.featureValueCaps;
}

// Releases whatever a record still holds when the scope ends (while the platform it came
// from is still installed: declare it after the ScopedHidPlatform), then zero-fills it, as
// the application object's record starts.
class ScopedRecordRelease {
public:
    explicit ScopedRecordRelease(HidDevice& record) : record_(record) {}
    ~ScopedRecordRelease() {
        if (record_.handle != nullptr || record_.preparsedData || record_.inputItems ||
            record_.outputItems || record_.featureItems || record_.inputReport)
            ReleaseHidDevice(&record_, 1);
        std::memset(&record_, 0, sizeof record_);
    }
    ScopedRecordRelease(const ScopedRecordRelease&) = delete;
    ScopedRecordRelease& operator=(const ScopedRecordRelease&) = delete;

private:
    HidDevice& record_;
};

// A bus holding a mouse and then one controller, installed as the HID platform.
struct VirtualBusFixture {
    explicit VirtualBusFixture(USHORT productId = 1, LayoutId layout = LayoutId::Value32)
        : controller((bus.AddMouse(), bus.AddController(productId, layout))), platform(bus) {}

    SimBus bus;
    VirtualController& controller;
    ScopedHidPlatform platform;
};
