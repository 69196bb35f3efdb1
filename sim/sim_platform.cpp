#include "sim/sim_platform.h"

#include "sim/hidparse/hid_parser.h"

#include <cstddef>
#include <cstring>

namespace {

// The device interface class of HID devices.
constexpr GUID kHidInterfaceClass = {
    0x4d1e55b2, 0xf16f, 0x11cf, {0x88, 0xcb, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

bool IsHidClass(const GUID* guid) {
    return guid && std::memcmp(guid, &kHidInterfaceClass, sizeof(GUID)) == 0;
}

// A device that went away answers every transfer on an old handle with this.
constexpr DWORD kGone = ERROR_DEVICE_NOT_CONNECTED;

} // namespace

void SimHidPlatform::HidD_GetHidGuid(LPGUID guid) {
    *guid = kHidInterfaceClass;
}

HDEVINFO SimHidPlatform::SetupDiGetClassDevsA(const GUID* classGuid, PCSTR, HWND, DWORD flags) {
    if (bus_.failDeviceList) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    // Interfaces of the HID class only; with DIGCF_PRESENT only those plugged in now.
    std::vector<SimDevice*> members;
    if ((flags & DIGCF_DEVICEINTERFACE) && IsHidClass(classGuid)) {
        for (size_t i = 0; i < bus_.DeviceCount(); ++i) {
            SimDevice& device = bus_.Device(i);
            if (device.IsPresent() || !(flags & DIGCF_PRESENT))
                members.push_back(&device);
        }
    }
    return bus_.CreateList(std::move(members));
}

BOOL SimHidPlatform::SetupDiEnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA,
                                                 const GUID* interfaceGuid, DWORD memberIndex,
                                                 PSP_DEVICE_INTERFACE_DATA data) {
    std::vector<SimDevice*>* members = bus_.FindList(set);
    if (!members) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!data || data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)) {
        SetLastError(ERROR_INVALID_USER_BUFFER);
        return FALSE;
    }
    if (!IsHidClass(interfaceGuid) || memberIndex >= members->size()) {
        bus_.Note("end");
        SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
    }
    SimDevice& device = *(*members)[memberIndex];
    if (device.faults.enumerateError) {
        SetLastError(device.faults.enumerateError);
        return FALSE;
    }
    data->InterfaceClassGuid = kHidInterfaceClass;
    data->Flags = SPINT_ACTIVE;
    data->Reserved = memberIndex + 1;
    return TRUE;
}

BOOL SimHidPlatform::SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                                      PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                                      DWORD detailSize, PDWORD requiredSize,
                                                      PSP_DEVINFO_DATA devInfo) {
    std::vector<SimDevice*>* members = bus_.FindList(set);
    if (!members) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!data || data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA) || data->Reserved == 0 ||
        data->Reserved > members->size()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    SimDevice& device = *(*members)[data->Reserved - 1];
    const DWORD needed = static_cast<DWORD>(
        offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + device.Path().size() + 1);
    if (requiredSize)
        *requiredSize = needed;
    if (!detail) {
        SetLastError(detailSize ? ERROR_INVALID_USER_BUFFER : ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (detailSize < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) ||
        detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) {
        SetLastError(ERROR_INVALID_USER_BUFFER);
        return FALSE;
    }
    if (detailSize < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (device.faults.detailFails) {
        SetLastError(ERROR_GEN_FAILURE);
        return FALSE;
    }
    if (devInfo) {
        if (devInfo->cbSize != sizeof(SP_DEVINFO_DATA)) {
            SetLastError(ERROR_INVALID_USER_BUFFER);
            return FALSE;
        }
        devInfo->ClassGuid = kHidInterfaceClass;
        devInfo->DevInst = static_cast<DWORD>(data->Reserved);
        devInfo->Reserved = 0;
    }
    std::memcpy(detail->DevicePath, device.Path().c_str(), device.Path().size() + 1);
    return TRUE;
}

BOOL SimHidPlatform::SetupDiDestroyDeviceInfoList(HDEVINFO set) {
    if (!bus_.DestroyList(set)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

HANDLE SimHidPlatform::CreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES,
                                   DWORD disposition, DWORD flags, HANDLE) {
    for (size_t i = 0; path && i < bus_.DeviceCount(); ++i) {
        SimDevice& device = bus_.Device(i);
        if (!device.IsPresent() || _stricmp(device.Path().c_str(), path) != 0)
            continue;
        if (disposition != OPEN_EXISTING) {
            SetLastError(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        }
        if (device.faults.openError) {
            SetLastError(device.faults.openError);
            return INVALID_HANDLE_VALUE;
        }
        return bus_.Open(device, {access, share, disposition, flags});
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
}

BOOL SimHidPlatform::CloseHandle(HANDLE handle) {
    if (!bus_.Close(handle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOLEAN SimHidPlatform::HidD_GetPreparsedData(HANDLE handle, PHIDP_PREPARSED_DATA* data) {
    SimDevice* device = bus_.LiveDevice(handle);
    if (!device) {
        SetLastError(SimBus::IsSimHandle(handle) ? kGone : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (device->faults.preparsedFails) {
        SetLastError(ERROR_GEN_FAILURE);
        return FALSE;
    }
    PHIDP_PREPARSED_DATA parsed = nullptr;
    const simdesc::Bytes& descriptor = device->Descriptor();
    if (simhid::ParseReportDescriptor(descriptor.data(), static_cast<ULONG>(descriptor.size()),
                                      &parsed) != HIDP_STATUS_SUCCESS ||
        !parsed) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    *data = bus_.AddPreparsed(parsed, *device);
    return TRUE;
}

BOOLEAN SimHidPlatform::HidD_FreePreparsedData(PHIDP_PREPARSED_DATA data) {
    if (!bus_.FreePreparsed(data)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}

BOOLEAN SimHidPlatform::HidD_GetAttributes(HANDLE handle, PHIDD_ATTRIBUTES attributes) {
    SimDevice* device = bus_.LiveDevice(handle);
    if (!device) {
        SetLastError(SimBus::IsSimHandle(handle) ? kGone : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (device->faults.attributesFails) {
        SetLastError(ERROR_GEN_FAILURE);
        return FALSE;
    }
    attributes->Size = sizeof(HIDD_ATTRIBUTES);
    attributes->VendorID = device->VendorId();
    attributes->ProductID = device->ProductId();
    attributes->VersionNumber = device->VersionNumber();
    return TRUE;
}

SimDevice* SimHidPlatform::FeatureTarget(HANDLE handle, PVOID report, ULONG length) {
    SimDevice* device = bus_.LiveDevice(handle);
    if (!device) {
        SetLastError(SimBus::IsSimHandle(handle) ? kGone : ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (device->FeatureReportLength() == 0) {
        SetLastError(ERROR_INVALID_FUNCTION);
        return nullptr;
    }
    // The buffer holds exactly one report of the kind's length, byte 0 a known report id.
    if (!report || length != device->FeatureReportLength() ||
        !device->HasFeatureReport(static_cast<const BYTE*>(report)[0])) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return device;
}

BOOLEAN SimHidPlatform::HidD_SetFeature(HANDLE handle, PVOID report, ULONG length) {
    SimDevice* device = FeatureTarget(handle, report, length);
    if (!device)
        return FALSE;
    if (!device->OnSetFeature(static_cast<const BYTE*>(report), length)) {
        SetLastError(ERROR_GEN_FAILURE);
        return FALSE;
    }
    return TRUE;
}

BOOLEAN SimHidPlatform::HidD_GetFeature(HANDLE handle, PVOID report, ULONG length) {
    SimDevice* device = FeatureTarget(handle, report, length);
    if (!device)
        return FALSE;
    if (!device->OnGetFeature(static_cast<BYTE*>(report), length)) {
        SetLastError(ERROR_GEN_FAILURE);
        return FALSE;
    }
    return TRUE;
}

// The parser calls accept only parser data that the bus handed out and still holds.

NTSTATUS SimHidPlatform::HidP_GetCaps(PHIDP_PREPARSED_DATA data, PHIDP_CAPS caps) {
    SimDevice* owner = bus_.PreparsedOwner(data);
    if (!owner || owner->faults.capsFails)
        return HIDP_STATUS_INVALID_PREPARSED_DATA;
    return simhid::HidP_GetCaps(data, caps);
}

NTSTATUS SimHidPlatform::HidP_GetSpecificButtonCaps(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                                    USHORT linkCollection, USAGE usage,
                                                    PHIDP_BUTTON_CAPS caps, PUSHORT length,
                                                    PHIDP_PREPARSED_DATA data) {
    if (!bus_.PreparsedOwner(data))
        return HIDP_STATUS_INVALID_PREPARSED_DATA;
    return simhid::HidP_GetSpecificButtonCaps(kind, usagePage, linkCollection, usage, caps, length,
                                              data);
}

NTSTATUS SimHidPlatform::HidP_GetSpecificValueCaps(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                                   USHORT linkCollection, USAGE usage,
                                                   PHIDP_VALUE_CAPS caps, PUSHORT length,
                                                   PHIDP_PREPARSED_DATA data) {
    if (!bus_.PreparsedOwner(data))
        return HIDP_STATUS_INVALID_PREPARSED_DATA;
    return simhid::HidP_GetSpecificValueCaps(kind, usagePage, linkCollection, usage, caps, length,
                                             data);
}

ULONG SimHidPlatform::HidP_MaxUsageListLength(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                              PHIDP_PREPARSED_DATA data) {
    if (!bus_.PreparsedOwner(data))
        return 0;
    return simhid::HidP_MaxUsageListLength(kind, usagePage, data);
}

NTSTATUS SimHidPlatform::HidP_SetUsages(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                        USHORT linkCollection, PUSAGE usages, PULONG usageLength,
                                        PHIDP_PREPARSED_DATA data, PCHAR report,
                                        ULONG reportLength) {
    if (!bus_.PreparsedOwner(data))
        return HIDP_STATUS_INVALID_PREPARSED_DATA;
    return simhid::HidP_SetUsages(kind, usagePage, linkCollection, usages, usageLength, data,
                                  report, reportLength);
}

NTSTATUS SimHidPlatform::HidP_GetUsages(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                        USHORT linkCollection, PUSAGE usages, PULONG usageLength,
                                        PHIDP_PREPARSED_DATA data, PCHAR report,
                                        ULONG reportLength) {
    if (!bus_.PreparsedOwner(data))
        return HIDP_STATUS_INVALID_PREPARSED_DATA;
    return simhid::HidP_GetUsages(kind, usagePage, linkCollection, usages, usageLength, data,
                                  report, reportLength);
}

NTSTATUS SimHidPlatform::HidP_SetUsageValue(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                            USHORT linkCollection, USAGE usage, ULONG value,
                                            PHIDP_PREPARSED_DATA data, PCHAR report,
                                            ULONG reportLength) {
    if (!bus_.PreparsedOwner(data))
        return HIDP_STATUS_INVALID_PREPARSED_DATA;
    return simhid::HidP_SetUsageValue(kind, usagePage, linkCollection, usage, value, data, report,
                                      reportLength);
}

NTSTATUS SimHidPlatform::HidP_GetUsageValue(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                            USHORT linkCollection, USAGE usage, PULONG value,
                                            PHIDP_PREPARSED_DATA data, PCHAR report,
                                            ULONG reportLength) {
    if (!bus_.PreparsedOwner(data))
        return HIDP_STATUS_INVALID_PREPARSED_DATA;
    return simhid::HidP_GetUsageValue(kind, usagePage, linkCollection, usage, value, data, report,
                                      reportLength);
}

NTSTATUS SimHidPlatform::HidP_GetScaledUsageValue(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                                  USHORT linkCollection, USAGE usage, PLONG value,
                                                  PHIDP_PREPARSED_DATA data, PCHAR report,
                                                  ULONG reportLength) {
    if (!bus_.PreparsedOwner(data))
        return HIDP_STATUS_INVALID_PREPARSED_DATA;
    return simhid::HidP_GetScaledUsageValue(kind, usagePage, linkCollection, usage, value, data,
                                            report, reportLength);
}
