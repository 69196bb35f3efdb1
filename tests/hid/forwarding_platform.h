// A HID platform that passes every call on to another one; tests derive from it to count
// or fail chosen calls.
#pragma once

#include "hid/hid_platform.h"

class ForwardingPlatform : public HidPlatform {
public:
    explicit ForwardingPlatform(HidPlatform& next) : next_(next) {}

    void HidD_GetHidGuid(LPGUID guid) override { next_.HidD_GetHidGuid(guid); }
    HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, PCSTR enumerator, HWND parent,
                                  DWORD flags) override {
        return next_.SetupDiGetClassDevsA(classGuid, enumerator, parent, flags);
    }
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA devInfo,
                                     const GUID* interfaceGuid, DWORD memberIndex,
                                     PSP_DEVICE_INTERFACE_DATA data) override {
        return next_.SetupDiEnumDeviceInterfaces(set, devInfo, interfaceGuid, memberIndex, data);
    }
    BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                          PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                          DWORD detailSize, PDWORD requiredSize,
                                          PSP_DEVINFO_DATA devInfo) override {
        return next_.SetupDiGetDeviceInterfaceDetailA(set, data, detail, detailSize, requiredSize,
                                                      devInfo);
    }
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) override {
        return next_.SetupDiDestroyDeviceInfoList(set);
    }
    HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa,
                       DWORD disposition, DWORD flags, HANDLE templateFile) override {
        return next_.CreateFileA(path, access, share, sa, disposition, flags, templateFile);
    }
    BOOL CloseHandle(HANDLE handle) override { return next_.CloseHandle(handle); }
    BOOLEAN HidD_GetPreparsedData(HANDLE handle, PHIDP_PREPARSED_DATA* data) override {
        return next_.HidD_GetPreparsedData(handle, data);
    }
    BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA data) override {
        return next_.HidD_FreePreparsedData(data);
    }
    BOOLEAN HidD_GetAttributes(HANDLE handle, PHIDD_ATTRIBUTES attributes) override {
        return next_.HidD_GetAttributes(handle, attributes);
    }
    BOOLEAN HidD_SetFeature(HANDLE handle, PVOID report, ULONG length) override {
        return next_.HidD_SetFeature(handle, report, length);
    }
    BOOLEAN HidD_GetFeature(HANDLE handle, PVOID report, ULONG length) override {
        return next_.HidD_GetFeature(handle, report, length);
    }
    NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA data, PHIDP_CAPS caps) override {
        return next_.HidP_GetCaps(data, caps);
    }
    NTSTATUS HidP_GetSpecificButtonCaps(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                        USHORT linkCollection, USAGE usage, PHIDP_BUTTON_CAPS caps,
                                        PUSHORT length, PHIDP_PREPARSED_DATA data) override {
        return next_.HidP_GetSpecificButtonCaps(kind, usagePage, linkCollection, usage, caps,
                                                length, data);
    }
    NTSTATUS HidP_GetSpecificValueCaps(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                       USHORT linkCollection, USAGE usage, PHIDP_VALUE_CAPS caps,
                                       PUSHORT length, PHIDP_PREPARSED_DATA data) override {
        return next_.HidP_GetSpecificValueCaps(kind, usagePage, linkCollection, usage, caps, length,
                                               data);
    }
    ULONG HidP_MaxUsageListLength(HIDP_REPORT_TYPE kind, USAGE usagePage,
                                  PHIDP_PREPARSED_DATA data) override {
        return next_.HidP_MaxUsageListLength(kind, usagePage, data);
    }
    NTSTATUS HidP_SetUsages(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                            PUSAGE usages, PULONG usageLength, PHIDP_PREPARSED_DATA data,
                            PCHAR report, ULONG reportLength) override {
        return next_.HidP_SetUsages(kind, usagePage, linkCollection, usages, usageLength, data,
                                    report, reportLength);
    }
    NTSTATUS HidP_GetUsages(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                            PUSAGE usages, PULONG usageLength, PHIDP_PREPARSED_DATA data,
                            PCHAR report, ULONG reportLength) override {
        return next_.HidP_GetUsages(kind, usagePage, linkCollection, usages, usageLength, data,
                                    report, reportLength);
    }
    NTSTATUS HidP_SetUsageValue(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                                USAGE usage, ULONG value, PHIDP_PREPARSED_DATA data, PCHAR report,
                                ULONG reportLength) override {
        return next_.HidP_SetUsageValue(kind, usagePage, linkCollection, usage, value, data, report,
                                        reportLength);
    }
    NTSTATUS HidP_GetUsageValue(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                                USAGE usage, PULONG value, PHIDP_PREPARSED_DATA data, PCHAR report,
                                ULONG reportLength) override {
        return next_.HidP_GetUsageValue(kind, usagePage, linkCollection, usage, value, data, report,
                                        reportLength);
    }
    NTSTATUS HidP_GetScaledUsageValue(HIDP_REPORT_TYPE kind, USAGE usagePage, USHORT linkCollection,
                                      USAGE usage, PLONG value, PHIDP_PREPARSED_DATA data,
                                      PCHAR report, ULONG reportLength) override {
        return next_.HidP_GetScaledUsageValue(kind, usagePage, linkCollection, usage, value, data,
                                              report, reportLength);
    }

protected:
    HidPlatform& next_;
};
