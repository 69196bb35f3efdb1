#include "sim/sim_bus.h"

#include "sim/hidparse/hid_parser.h"
#include "sim/virtual_controller.h"

#include <cstdio>

namespace {

// Handle values of the bus lie in a range of their own, far above the small multiples of
// four that real handles are, so that one passed to the real CloseHandle fails plainly.
constexpr ULONG_PTR kHandleBase = 0x5E100000;
constexpr ULONG_PTR kHandleSpan = 0x00100000;
constexpr ULONG_PTR kListBase = 0x5E200000;

std::string InterfacePath(USHORT vendorId, USHORT productId, size_t serial) {
    char path[128];
    std::snprintf(path, sizeof path,
                  "\\\\?\\hid#vid_%04x&pid_%04x#7&5ee1%04x&0&0000#"
                  "{4d1e55b2-f16f-11cf-88cb-001111000030}",
                  vendorId, productId, static_cast<unsigned>(serial));
    return path;
}

} // namespace

SimBus::~SimBus() {
    for (auto& entry : preparsed_)
        simhid::FreePreparsedData(entry.first);
}

SimDevice& SimBus::AddDevice(USHORT vendorId, USHORT productId, const char* descriptorHex,
                             const char* label) {
    std::string name = label ? label : "dev" + std::to_string(devices_.size());
    devices_.push_back(
        std::make_unique<SimDevice>(vendorId, productId, descriptorHex,
                                    InterfacePath(vendorId, productId, devices_.size()), name));
    return *devices_.back();
}

SimDevice& SimBus::AddMouse() {
    return AddDevice(0x046D, 0xC077, simdesc::kMouse, "mouse");
}

VirtualController& SimBus::AddController(USHORT productId, LayoutId layout) {
    return AddController(productId, GetControllerLayout(layout));
}

VirtualController& SimBus::AddController(USHORT productId, const ControllerLayout& layout) {
    std::string name = "ctl" + std::to_string(productId);
    for (const auto& device : devices_) {
        if (device->Label() == name)
            name += "b";
    }
    auto controller = std::make_unique<VirtualController>(
        productId, layout, InterfacePath(0x24B8, productId, devices_.size()), name);
    VirtualController& result = *controller;
    devices_.push_back(std::move(controller));
    return result;
}

bool SimBus::IsSimHandle(HANDLE handle) {
    ULONG_PTR value = reinterpret_cast<ULONG_PTR>(handle);
    return value >= kHandleBase && value < kHandleBase + kHandleSpan;
}

SimDevice* SimBus::LiveDevice(HANDLE handle) const {
    auto it = handles_.find(handle);
    if (it == handles_.end())
        return nullptr;
    SimDevice* device = it->second.device;
    if (!device->IsPresent() || device->Arrival() != it->second.arrival)
        return nullptr;
    return device;
}

HANDLE SimBus::Open(SimDevice& device, const SimOpenRequest& request) {
    nextHandle_ = (nextHandle_ + 4) % kHandleSpan;
    HANDLE handle = reinterpret_cast<HANDLE>(kHandleBase + nextHandle_);
    handles_[handle] = {&device, device.Arrival()};
    device.NoteOpen(request);
    Note("open " + device.Label());
    return handle;
}

bool SimBus::Close(HANDLE handle) {
    auto it = handles_.find(handle);
    if (it == handles_.end()) {
        ++foreignCloses_;
        return false;
    }
    it->second.device->NoteClose();
    Note("close " + it->second.device->Label());
    handles_.erase(it);
    return true;
}

HDEVINFO SimBus::CreateList(std::vector<SimDevice*> members) {
    nextList_ += 4;
    HDEVINFO set = reinterpret_cast<HDEVINFO>(kListBase + nextList_);
    lists_[set] = std::move(members);
    Note("list");
    return set;
}

std::vector<SimDevice*>* SimBus::FindList(HDEVINFO set) {
    auto it = lists_.find(set);
    return it == lists_.end() ? nullptr : &it->second;
}

bool SimBus::DestroyList(HDEVINFO set) {
    if (!lists_.erase(set))
        return false;
    Note("destroy");
    return true;
}

PHIDP_PREPARSED_DATA SimBus::AddPreparsed(PHIDP_PREPARSED_DATA data, SimDevice& device) {
    preparsed_[data] = &device;
    return data;
}

SimDevice* SimBus::PreparsedOwner(PHIDP_PREPARSED_DATA data) const {
    auto it = preparsed_.find(data);
    return it == preparsed_.end() ? nullptr : it->second;
}

bool SimBus::FreePreparsed(PHIDP_PREPARSED_DATA data) {
    auto it = preparsed_.find(data);
    if (it == preparsed_.end()) {
        ++foreignFrees_;
        return false;
    }
    simhid::FreePreparsedData(data);
    preparsed_.erase(it);
    return true;
}
