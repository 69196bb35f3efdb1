// One virtual HID device interface on the simulated bus: its ids, path and report
// descriptor, whether it is plugged in, how often it was opened and closed, and faults it
// can be told to show. Feature transfers reach the device through OnSetFeature and
// OnGetFeature; a plain device has no feature behaviour and refuses them.
#pragma once

#include "sim/descriptors.h"

#include <windows.h>
#include <hidsdi.h>
#include <hidpi.h>
#include <bitset>
#include <string>

// Failures a device shows on request; 0 or false: none.
struct SimFaults {
    DWORD enumerateError = 0; // SetupDiEnumDeviceInterfaces fails at this index with it
    bool detailFails = false; // the detail read with a buffer fails
    DWORD openError = 0;      // CreateFileA fails with it
    bool preparsedFails = false;
    bool attributesFails = false;
    bool capsFails = false; // HidP_GetCaps refuses the device's parser data
};

// How the device was last opened.
struct SimOpenRequest {
    DWORD access = 0;
    DWORD share = 0;
    DWORD disposition = 0;
    DWORD flags = 0;
};

class SimDevice {
public:
    SimDevice(USHORT vendorId, USHORT productId, const char* descriptorHex, std::string path,
              std::string label);
    virtual ~SimDevice() = default;
    SimDevice(const SimDevice&) = delete;
    SimDevice& operator=(const SimDevice&) = delete;

    USHORT VendorId() const { return vendorId_; }
    USHORT ProductId() const { return productId_; }
    USHORT VersionNumber() const { return 0x0100; }
    const std::string& Path() const { return path_; }
    const std::string& Label() const { return label_; }
    const simdesc::Bytes& Descriptor() const { return descriptor_; }

    // What the parser made of the descriptor; HIDP_STATUS_SUCCESS for a usable one.
    NTSTATUS ParseStatus() const { return parseStatus_; }
    USHORT FeatureReportLength() const { return featureLength_; }
    bool HasFeatureReport(BYTE reportId) const { return featureIds_.test(reportId); }

    bool IsPresent() const { return present_; }
    // Unplugging kills every open handle; plugging back in is a new arrival of the device.
    void Unplug() { present_ = false; }
    void Plug();
    unsigned Arrival() const { return arrival_; }

    int OpenCount() const { return opens_; }
    int CloseCount() const { return closes_; }
    int OpenHandles() const { return opens_ - closes_; }
    const SimOpenRequest& LastOpen() const { return lastOpen_; }

    SimFaults faults;

    // Called by the bus for a report of the right length and a known report id.
    virtual bool OnSetFeature(const BYTE* report, ULONG length);
    virtual bool OnGetFeature(BYTE* report, ULONG length);

protected:
    // A new arrival after Plug: the device starts again.
    virtual void OnArrival() {}

private:
    friend class SimBus;
    void NoteOpen(const SimOpenRequest& request) {
        ++opens_;
        lastOpen_ = request;
    }
    void NoteClose() { ++closes_; }

    USHORT vendorId_;
    USHORT productId_;
    std::string path_;
    std::string label_;
    simdesc::Bytes descriptor_;
    NTSTATUS parseStatus_ = 0;
    USHORT featureLength_ = 0;
    std::bitset<256> featureIds_;
    bool present_ = true;
    unsigned arrival_ = 0;
    int opens_ = 0;
    int closes_ = 0;
    SimOpenRequest lastOpen_;
};
