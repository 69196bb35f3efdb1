// The simulated HID bus: the virtual device interfaces in enumeration order, and the open
// handles, device information sets and parser data handed out for them. It counts what is
// open so that tests can tell that nothing was left behind, and keeps a short log of the
// enumeration and open/close events.
#pragma once

#include "sim/controller_layouts.h"
#include "sim/sim_device.h"

#include <windows.h>
#include <setupapi.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

class VirtualController;

class SimBus {
public:
    SimBus() = default;
    ~SimBus();
    SimBus(const SimBus&) = delete;
    SimBus& operator=(const SimBus&) = delete;

    // A device defined by its report descriptor; `label` names it in Events() (default
    // "dev<n>", n counting from 0).
    SimDevice& AddDevice(USHORT vendorId, USHORT productId, const char* descriptorHex,
                         const char* label = nullptr);
    // A three-button mouse, 046D:C077, label "mouse".
    SimDevice& AddMouse();
    // The touch-screen controller, 24B8:productId, label "ctl<productId>" ("ctl<productId>b"
    // for a second one with the same id).
    VirtualController& AddController(USHORT productId = 1, LayoutId layout = LayoutId::Value32);
    // The same with a layout of the caller's, which must outlive the bus.
    VirtualController& AddController(USHORT productId, const ControllerLayout& layout);

    size_t DeviceCount() const { return devices_.size(); }
    SimDevice& Device(size_t index) { return *devices_[index]; }

    // SetupDiGetClassDevsA fails (returns INVALID_HANDLE_VALUE) while this is set.
    bool failDeviceList = false;

    int OpenHandleCount() const { return static_cast<int>(handles_.size()); }
    int OpenDeviceListCount() const { return static_cast<int>(lists_.size()); }
    int OutstandingPreparsedData() const { return static_cast<int>(preparsed_.size()); }
    // Calls that named a handle or parser data the bus never handed out (or took back).
    int ForeignCloseCount() const { return foreignCloses_; }
    int ForeignFreeCount() const { return foreignFrees_; }

    // "list", "end" (past the last member), "destroy", "open <label>", "close <label>".
    const std::vector<std::string>& Events() const { return events_; }
    void ClearEvents() { events_.clear(); }

    // Whether a handle value is of the kind this bus hands out (real handles never are).
    static bool IsSimHandle(HANDLE handle);

private:
    friend class SimHidPlatform;

    struct OpenHandle {
        SimDevice* device;
        unsigned arrival;
    };

    // Handles of a device that went away stay open but reach nothing.
    SimDevice* LiveDevice(HANDLE handle) const;
    HANDLE Open(SimDevice& device, const SimOpenRequest& request);
    bool Close(HANDLE handle);
    HDEVINFO CreateList(std::vector<SimDevice*> members);
    std::vector<SimDevice*>* FindList(HDEVINFO set);
    bool DestroyList(HDEVINFO set);
    PHIDP_PREPARSED_DATA AddPreparsed(PHIDP_PREPARSED_DATA data, SimDevice& device);
    SimDevice* PreparsedOwner(PHIDP_PREPARSED_DATA data) const;
    bool FreePreparsed(PHIDP_PREPARSED_DATA data);
    void Note(std::string event) { events_.push_back(std::move(event)); }

    std::vector<std::unique_ptr<SimDevice>> devices_;
    std::map<HANDLE, OpenHandle> handles_;
    std::map<HDEVINFO, std::vector<SimDevice*>> lists_;
    std::map<PHIDP_PREPARSED_DATA, SimDevice*> preparsed_;
    std::vector<std::string> events_;
    ULONG_PTR nextHandle_ = 0;
    ULONG_PTR nextList_ = 0;
    int foreignCloses_ = 0;
    int foreignFrees_ = 0;
};
