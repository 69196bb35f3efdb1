#include "hid/command_channel.h"

#include "hid/hid_platform.h"
#include "hid/report_packing.h"

#include <cstring>

int SendCommand(HidDevice* device, CommandWord word) {
    HidDataItem* items = device->featureItems;
    const ULONG count = device->featureItemCount;
    const USHORT length = device->caps.FeatureReportByteLength;

    // Button items take the word too, in the place of their highest usage.
    for (ULONG i = 0; i < count; ++i) {
        items[i].isSet = 0;
        items[i].val.value = word;
    }

    int result = TRUE;
    for (ULONG i = 0; i < count; ++i) {
        if (items[i].isSet)
            continue;
        // The report goes out even when packing stopped early.
        BuildReport(device->featureReport, length, ReportFeature, &items[i], count - i,
                    device->preparsedData);
        if (!HidApi().HidD_SetFeature(device->handle, device->featureReport, length))
            result = FALSE;
    }
    return result;
}

int ReadAnswer(HidDevice* device) {
    HidDataItem* items = device->featureItems;
    const ULONG count = device->featureItemCount;
    const USHORT length = device->caps.FeatureReportByteLength;

    for (ULONG i = 0; i < count; ++i)
        items[i].isSet = 0;

    int result = TRUE;
    for (ULONG i = 0; i < count; ++i) {
        if (items[i].isSet)
            continue;
        std::memset(device->featureReport, 0, length);
        // A kind without bytes has no place for the report id; the read then fails.
        if (length > 0)
            device->featureReport[0] = static_cast<CHAR>(items[i].reportId & 0xFF);
        BOOLEAN outcome = FALSE;
        if (HidApi().HidD_GetFeature(device->handle, device->featureReport, length))
            outcome = ParseReport(device->featureReport, length, ReportFeature, items, count,
                                  device->preparsedData);
        if (!outcome)
            result = FALSE;
    }
    return result;
}
