// The operating-system calls the controller link makes, behind one interface, so that the
// product talks to the real HID stack and tests and the simulator build to a simulated bus.
// Each operation has the name and signature of the platform function it stands for.
#pragma once

#include "hid/hid_headers.h"

class HidPlatform {
public:
    virtual ~HidPlatform() = default;

    virtual void HidD_GetHidGuid(LPGUID guid) = 0;
    virtual HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, PCSTR enumerator, HWND parent,
                                          DWORD flags) = 0;
    virtual BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA devInfo,
                                             const GUID* interfaceGuid, DWORD memberIndex,
                                             PSP_DEVICE_INTERFACE_DATA data) = 0;
    virtual BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                                  PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                                  DWORD detailSize, PDWORD requiredSize,
                                                  PSP_DEVINFO_DATA devInfo) = 0;
    virtual BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) = 0;

    virtual HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa,
                               DWORD disposition, DWORD flags, HANDLE templateFile) = 0;
    virtual BOOL CloseHandle(HANDLE handle) = 0;

    virtual BOOLEAN HidD_GetPreparsedData(HANDLE handle, PHIDP_PREPARSED_DATA* data) = 0;
    virtual BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA data) = 0;
    virtual BOOLEAN HidD_GetAttributes(HANDLE handle, PHIDD_ATTRIBUTES attributes) = 0;
    virtual BOOLEAN HidD_SetFeature(HANDLE handle, PVOID report, ULONG length) = 0;
    virtual BOOLEAN HidD_GetFeature(HANDLE handle, PVOID report, ULONG length) = 0;

    virtual NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA data, PHIDP_CAPS caps) = 0;
    virtual NTSTATUS HidP_GetSpecificButtonCaps(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                                USHORT linkCollection, USAGE usage,
                                                PHIDP_BUTTON_CAPS caps, PUSHORT length,
                                                PHIDP_PREPARSED_DATA data) = 0;
    virtual NTSTATUS HidP_GetSpecificValueCaps(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                               USHORT linkCollection, USAGE usage,
                                               PHIDP_VALUE_CAPS caps, PUSHORT length,
                                               PHIDP_PREPARSED_DATA data) = 0;
    virtual ULONG HidP_MaxUsageListLength(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                          PHIDP_PREPARSED_DATA data) = 0;
    virtual NTSTATUS HidP_SetUsages(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                                    PUSAGE usages, PULONG usageLength, PHIDP_PREPARSED_DATA data,
                                    PCHAR report, ULONG reportLength) = 0;
    virtual NTSTATUS HidP_GetUsages(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                                    PUSAGE usages, PULONG usageLength, PHIDP_PREPARSED_DATA data,
                                    PCHAR report, ULONG reportLength) = 0;
    virtual NTSTATUS HidP_SetUsageValue(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                        USHORT linkCollection, USAGE usage, ULONG value,
                                        PHIDP_PREPARSED_DATA data, PCHAR report,
                                        ULONG reportLength) = 0;
    virtual NTSTATUS HidP_GetUsageValue(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                        USHORT linkCollection, USAGE usage, PULONG value,
                                        PHIDP_PREPARSED_DATA data, PCHAR report,
                                        ULONG reportLength) = 0;
    virtual NTSTATUS HidP_GetScaledUsageValue(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                              USHORT linkCollection, USAGE usage, PLONG value,
                                              PHIDP_PREPARSED_DATA data, PCHAR report,
                                              ULONG reportLength) = 0;
};

// The platform the controller link calls: the operating system's unless one was installed.
HidPlatform& HidApi();
// Installs a platform (null: back to the operating system's); returns the previous one.
HidPlatform* SetHidPlatform(HidPlatform* platform);
// The pass-through to the operating system's Setup API, file and HID functions.
HidPlatform& OsHidPlatform();
