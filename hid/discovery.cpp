#include "hid/discovery.h"

#include "hid/hid_platform.h"

#include <cstdlib>
#include <cstring>

namespace {

// Zero-filled memory of `count` entries; an empty array still gets its own block, so that
// a null pointer always means a failed (or no) allocation.
template <typename T> T* ZeroAlloc(size_t count) {
    return static_cast<T*>(std::calloc(count ? count : 1, sizeof(T)));
}

// The storage of one report kind inside the record.
struct KindFields {
    ReportKind kind;
    USHORT byteLength;
    USHORT buttonCapCount;
    USHORT valueCapCount;
    PCHAR* report;
    HidDataItem** items;
    ULONG* itemCount;
    PHIDP_BUTTON_CAPS* buttonCaps;
    PHIDP_VALUE_CAPS* valueCaps;
};

KindFields InputFields(HidDevice* d) {
    return {ReportInput,
            d->caps.InputReportByteLength,
            d->caps.NumberInputButtonCaps,
            d->caps.NumberInputValueCaps,
            &d->inputReport,
            &d->inputItems,
            &d->inputItemCount,
            &d->inputButtonCaps,
            &d->inputValueCaps};
}

KindFields OutputFields(HidDevice* d) {
    return {ReportOutput,
            d->caps.OutputReportByteLength,
            d->caps.NumberOutputButtonCaps,
            d->caps.NumberOutputValueCaps,
            &d->outputReport,
            &d->outputItems,
            &d->outputItemCount,
            &d->outputButtonCaps,
            &d->outputValueCaps};
}

KindFields FeatureFields(HidDevice* d) {
    return {ReportFeature,
            d->caps.FeatureReportByteLength,
            d->caps.NumberFeatureButtonCaps,
            d->caps.NumberFeatureValueCaps,
            &d->featureReport,
            &d->featureItems,
            &d->featureItemCount,
            &d->featureButtonCaps,
            &d->featureValueCaps};
}

// Usages a value capability stands for; a reversed range stands for none rather than for
// a wrapped-around count.
ULONG ValueUsageCount(const HIDP_VALUE_CAPS& cap) {
    if (!cap.IsRange)
        return 1;
    if (cap.Range.UsageMax < cap.Range.UsageMin)
        return 0;
    return static_cast<ULONG>(cap.Range.UsageMax - cap.Range.UsageMin) + 1;
}

int LoadKind(const KindFields& k, PHIDP_PREPARSED_DATA data) {
    *k.report = ZeroAlloc<CHAR>(k.byteLength);
    if (!*k.report)
        return 0;
    *k.buttonCaps = ZeroAlloc<HIDP_BUTTON_CAPS>(k.buttonCapCount);
    if (!*k.buttonCaps)
        return 0;
    *k.valueCaps = ZeroAlloc<HIDP_VALUE_CAPS>(k.valueCapCount);
    if (!*k.valueCaps)
        return 0;

    // The counts in caps decide how many entries are read; the statuses are not examined.
    USHORT length = k.buttonCapCount;
    HidApi().HidP_GetSpecificButtonCaps((HIDP_REPORT_TYPE)k.kind, 0, 0, 0, *k.buttonCaps, &length,
                                        data);
    length = k.valueCapCount;
    HidApi().HidP_GetSpecificValueCaps((HIDP_REPORT_TYPE)k.kind, 0, 0, 0, *k.valueCaps, &length,
                                       data);

    ULONG count = k.buttonCapCount;
    for (USHORT i = 0; i < k.valueCapCount; ++i)
        count += ValueUsageCount((*k.valueCaps)[i]);
    HidDataItem* items = ZeroAlloc<HidDataItem>(count);
    if (!items)
        return 0;
    *k.items = items;
    *k.itemCount = count;

    ULONG next = 0;
    for (USHORT i = 0; i < k.buttonCapCount; ++i) {
        const HIDP_BUTTON_CAPS& cap = (*k.buttonCaps)[i];
        HidDataItem& item = items[next++];
        item.isButton = 1;
        item.status = HIDP_STATUS_SUCCESS;
        item.usagePage = cap.UsagePage;
        item.reportId = cap.ReportID;
        item.button.usageMin = cap.IsRange ? cap.Range.UsageMin : cap.NotRange.Usage;
        item.button.usageMax = cap.IsRange ? cap.Range.UsageMax : cap.NotRange.Usage;
        item.button.maxUsageCount =
            HidApi().HidP_MaxUsageListLength((HIDP_REPORT_TYPE)k.kind, cap.UsagePage, data);
        item.button.usages = ZeroAlloc<USAGE>(item.button.maxUsageCount);
        if (!item.button.usages)
            return 0;
    }
    for (USHORT i = 0; i < k.valueCapCount; ++i) {
        const HIDP_VALUE_CAPS& cap = (*k.valueCaps)[i];
        ULONG first = cap.IsRange ? cap.Range.UsageMin : cap.NotRange.Usage;
        ULONG usages = ValueUsageCount(cap);
        for (ULONG u = 0; u < usages; ++u) {
            HidDataItem& item = items[next++];
            item.isButton = 0;
            item.status = HIDP_STATUS_SUCCESS;
            item.usagePage = cap.UsagePage;
            item.reportId = cap.ReportID;
            item.val.usage = static_cast<USAGE>(first + u);
        }
    }
    return 1;
}

void FreeKind(const KindFields& k) {
    std::free(*k.report);
    if (*k.items) {
        for (ULONG i = 0; i < *k.itemCount; ++i) {
            if ((*k.items)[i].isButton)
                std::free((*k.items)[i].button.usages);
        }
    }
    std::free(*k.items);
    std::free(*k.buttonCaps);
    std::free(*k.valueCaps);
    *k.report = nullptr;
    *k.items = nullptr;
    *k.itemCount = 0;
    *k.buttonCaps = nullptr;
    *k.valueCaps = nullptr;
}

// Closes the handle and gives the parser data back after a failed open step.
void AbandonOpen(HidDevice* device) {
    HidApi().CloseHandle(device->handle);
    device->handle = INVALID_HANDLE_VALUE;
    if (device->preparsedData) {
        HidApi().HidD_FreePreparsedData(device->preparsedData);
        device->preparsedData = nullptr;
    }
}

} // namespace

int ConnectController(HidDevice* device, ControllerId* id) {
    // A zero-filled record holds handle 0, which was never opened and is not closed.
    if (device->handle != INVALID_HANDLE_VALUE && device->handle != nullptr)
        ReleaseHidDevice(device, 1);

    const USHORT productIds[] = {kControllerProductId, kControllerAltProductId};
    for (USHORT productId : productIds) {
        if (FindHidDevice(kControllerVendorId, productId, device)) {
            id->vendorId = kControllerVendorId;
            id->productId = productId;
            return 1;
        }
    }
    id->vendorId = 0;
    id->productId = 0;
    return 0;
}

int FindHidDevice(ULONG vendorId, ULONG productId, HidDevice* device) {
    GUID guid;
    HidApi().HidD_GetHidGuid(&guid);
    HDEVINFO set =
        HidApi().SetupDiGetClassDevsA(&guid, NULL, NULL, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE)
        return 0;

    SP_DEVICE_INTERFACE_DATA interfaceData;
    std::memset(&interfaceData, 0, sizeof interfaceData);
    interfaceData.cbSize = sizeof(SP_DEVICE_INTERFACE_DATA);
    DWORD index = 0;
    int found = 0;
    PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail = nullptr;

    while (!found) {
        if (!HidApi().SetupDiEnumDeviceInterfaces(set, NULL, &guid, index, &interfaceData)) {
            if (GetLastError() == ERROR_NO_MORE_ITEMS)
                break;
            ++index;
            continue;
        }

        DWORD required = 0;
        HidApi().SetupDiGetDeviceInterfaceDetailA(set, &interfaceData, NULL, 0, &required, NULL);
        std::free(detail);
        // Never smaller than the structure whose cbSize is written, whatever size came back;
        // the read below is still asked for the size the platform gave.
        size_t size = required > sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)
                          ? required
                          : sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        detail = static_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_A>(std::calloc(1, size));
        if (!detail) {
            HidApi().SetupDiDestroyDeviceInfoList(set);
            return 0;
        }
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        if (!HidApi().SetupDiGetDeviceInterfaceDetailA(set, &interfaceData, detail, required,
                                                       &required, NULL))
            break;

        if (OpenHidPath(detail->DevicePath, device)) {
            if (device->attributes.VendorID == vendorId &&
                device->attributes.ProductID == productId)
                found = 1;
            else
                ReleaseHidDevice(device, 1);
        }
        ++index;
    }

    std::free(detail);
    HidApi().SetupDiDestroyDeviceInfoList(set);
    return found;
}

int OpenHidPath(PCSTR path, HidDevice* device) {
    device->handle = HidApi().CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          NULL, OPEN_EXISTING, 0, NULL);
    if (device->handle == INVALID_HANDLE_VALUE)
        return 0;

    if (!HidApi().HidD_GetPreparsedData(device->handle, &device->preparsedData)) {
        device->preparsedData = nullptr;
        AbandonOpen(device);
        return 0;
    }
    if (!HidApi().HidD_GetAttributes(device->handle, &device->attributes)) {
        AbandonOpen(device);
        return 0;
    }
    if (HidApi().HidP_GetCaps(device->preparsedData, &device->caps) != HIDP_STATUS_SUCCESS) {
        AbandonOpen(device);
        return 0;
    }
    if (!LoadReportItems(device)) {
        ReleaseHidDevice(device, 1);
        return 0;
    }
    return 1;
}

int LoadReportItems(HidDevice* device) {
    if (!LoadKind(InputFields(device), device->preparsedData))
        return 0;
    if (!LoadKind(OutputFields(device), device->preparsedData))
        return 0;
    return LoadKind(FeatureFields(device), device->preparsedData);
}

void ReleaseHidDevice(HidDevice* device, int freeAll) {
    if (device->handle != INVALID_HANDLE_VALUE) {
        HidApi().CloseHandle(device->handle);
        device->handle = INVALID_HANDLE_VALUE;
    }
    if (!freeAll)
        return;
    if (device->preparsedData) {
        HidApi().HidD_FreePreparsedData(device->preparsedData);
        device->preparsedData = nullptr;
    }
    FreeKind(InputFields(device));
    FreeKind(OutputFields(device));
    FreeKind(FeatureFields(device));
}
