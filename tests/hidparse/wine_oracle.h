// Wine's own HID parser as the reference for ours: its hidparse.sys is loaded from user mode
// and parses a descriptor into preparsed data that the real hid.dll HidP_ functions accept.
// The collection-description structures are declared here from the driver kit's
// documentation of HidP_GetCollectionDescription.
#pragma once

#include "hid/hid_headers.h"

#include <vector>

namespace oracle {

struct HidpCollectionDesc {
    USAGE UsagePage;
    USAGE Usage;
    UCHAR CollectionNumber;
    UCHAR Reserved[15];
    USHORT InputLength;
    USHORT OutputLength;
    USHORT FeatureLength;
    USHORT PreparsedDataLength;
    PHIDP_PREPARSED_DATA PreparsedData;
};

struct HidpReportIds {
    UCHAR ReportID;
    UCHAR CollectionNumber;
    USHORT InputLength;
    USHORT OutputLength;
    USHORT FeatureLength;
};

struct HidpGetColDescDbg {
    ULONG BreakOffset;
    ULONG ErrorCode;
    ULONG Args[6];
};

struct HidpDeviceDesc {
    HidpCollectionDesc* CollectionDesc;
    ULONG CollectionDescLength;
    HidpReportIds* ReportIDs;
    ULONG ReportIDsLength;
    HidpGetColDescDbg Dbg;
};

// One descriptor parsed by Wine; the description is given back on destruction.
class WineParse {
public:
    WineParse(const std::vector<BYTE>& descriptor);
    ~WineParse();
    WineParse(const WineParse&) = delete;
    WineParse& operator=(const WineParse&) = delete;

    // Whether hidparse.sys could be loaded at all.
    static bool Available();

    NTSTATUS status() const { return status_; }
    ULONG collectionCount() const { return desc_.CollectionDescLength; }
    // The first collection's preparsed data, null when parsing failed.
    PHIDP_PREPARSED_DATA data() const;

private:
    NTSTATUS status_;
    HidpDeviceDesc desc_ = {};
};

} // namespace oracle
