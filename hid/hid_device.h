// The record of one opened HID device interface and the descriptors of its report items.
#pragma once

#include "hid/hid_headers.h"

// One of the three report kinds; the values are HIDP_REPORT_TYPE's.
enum ReportKind {
    ReportInput = HidP_Input,
    ReportOutput = HidP_Output,
    ReportFeature = HidP_Feature,
};

// One button capability (a set of button usages) or one single value usage of a report kind.
// The button and value parts overlay each other: usage/usageMin, value/usageMax,
// scaledValue/maxUsageCount share their places.
struct HidDataItem {
    UCHAR isButton;
    USHORT usagePage;
    ULONG status;
    ULONG reportId;
    UCHAR isSet;
    union {
        struct {
            ULONG usageMin;
            ULONG usageMax;
            ULONG maxUsageCount;
            PUSAGE usages;
        } button;
        struct {
            USAGE usage;
            ULONG value;
            LONG scaledValue;
        } val;
    };
};

struct HidDevice {
    HANDLE handle;
    PHIDP_PREPARSED_DATA preparsedData;
    HIDP_CAPS caps;
    HIDD_ATTRIBUTES attributes;

    PCHAR inputReport;
    HidDataItem* inputItems;
    ULONG inputItemCount;
    PHIDP_BUTTON_CAPS inputButtonCaps;
    PHIDP_VALUE_CAPS inputValueCaps;

    PCHAR outputReport;
    HidDataItem* outputItems;
    ULONG outputItemCount;
    PHIDP_BUTTON_CAPS outputButtonCaps;
    PHIDP_VALUE_CAPS outputValueCaps;

    PCHAR featureReport;
    HidDataItem* featureItems;
    ULONG featureItemCount;
    PHIDP_BUTTON_CAPS featureButtonCaps;
    PHIDP_VALUE_CAPS featureValueCaps;
};

// Ids of the connected controller; both 0 while none is connected.
struct ControllerId {
    USHORT productId;
    USHORT vendorId;
};
