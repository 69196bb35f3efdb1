// The HID platform over the simulated bus: Setup API enumeration, file handles and the HID
// class calls behave as the operating system documents them, on the bus's devices; the HID
// parser calls go to the simulated parser. GetLastError/SetLastError are the real ones.
#pragma once

#include "hid/hid_platform.h"
#include "sim/sim_bus.h"

class SimHidPlatform final : public HidPlatform {
public:
    explicit SimHidPlatform(SimBus& bus) : bus_(bus) {}

    void HidD_GetHidGuid(LPGUID guid) override;
    HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, PCSTR enumerator, HWND parent,
                                  DWORD flags) override;
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA devInfo,
                                     const GUID* interfaceGuid, DWORD memberIndex,
                                     PSP_DEVICE_INTERFACE_DATA data) override;
    BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                          PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                          DWORD detailSize, PDWORD requiredSize,
                                          PSP_DEVINFO_DATA devInfo) override;
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) override;

    HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa,
                       DWORD disposition, DWORD flags, HANDLE templateFile) override;
    BOOL CloseHandle(HANDLE handle) override;

    BOOLEAN HidD_GetPreparsedData(HANDLE handle, PHIDP_PREPARSED_DATA* data) override;
    BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA data) override;
    BOOLEAN HidD_GetAttributes(HANDLE handle, PHIDD_ATTRIBUTES attributes) override;
    BOOLEAN HidD_SetFeature(HANDLE handle, PVOID report, ULONG length) override;
    BOOLEAN HidD_GetFeature(HANDLE handle, PVOID report, ULONG length) override;

    NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA data, PHIDP_CAPS caps) override;
    NTSTATUS HidP_GetSpecificButtonCaps(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                        USHORT linkCollection, USAGE usage, PHIDP_BUTTON_CAPS caps,
                                        PUSHORT length, PHIDP_PREPARSED_DATA data) override;
    NTSTATUS HidP_GetSpecificValueCaps(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                       USHORT linkCollection, USAGE usage, PHIDP_VALUE_CAPS caps,
                                       PUSHORT length, PHIDP_PREPARSED_DATA data) override;
    ULONG HidP_MaxUsageListLength(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                  PHIDP_PREPARSED_DATA data) override;
    NTSTATUS HidP_SetUsages(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                            PUSAGE usages, PULONG usageLength, PHIDP_PREPARSED_DATA data,
                            PCHAR report, ULONG reportLength) override;
    NTSTATUS HidP_GetUsages(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                            PUSAGE usages, PULONG usageLength, PHIDP_PREPARSED_DATA data,
                            PCHAR report, ULONG reportLength) override;
    NTSTATUS HidP_SetUsageValue(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                                USAGE usage, ULONG value, PHIDP_PREPARSED_DATA data, PCHAR report,
                                ULONG reportLength) override;
    NTSTATUS HidP_GetUsageValue(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                                USAGE usage, PULONG value, PHIDP_PREPARSED_DATA data, PCHAR report,
                                ULONG reportLength) override;
    NTSTATUS HidP_GetScaledUsageValue(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                                      USAGE usage, PLONG value, PHIDP_PREPARSED_DATA data,
                                      PCHAR report, ULONG reportLength) override;

private:
    // The device behind a handle for a feature transfer, after the checks the HID class
    // driver makes; null (with the last error set) when the transfer cannot go ahead.
    SimDevice* FeatureTarget(HANDLE handle, PVOID report, ULONG length);

    SimBus& bus_;
};

// Puts a simulated platform over `bus` in place for the lifetime of the object, then
// restores the platform that was in place before.
class ScopedHidPlatform {
public:
    explicit ScopedHidPlatform(SimBus& bus)
        : platform_(bus), previous_(SetHidPlatform(&platform_)) {}
    ~ScopedHidPlatform() { SetHidPlatform(previous_); }
    ScopedHidPlatform(const ScopedHidPlatform&) = delete;
    ScopedHidPlatform& operator=(const ScopedHidPlatform&) = delete;

private:
    SimHidPlatform platform_;
    HidPlatform* previous_;
};
