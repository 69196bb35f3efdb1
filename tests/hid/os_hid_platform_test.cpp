// The operating system's HID platform under Wine, against Wine's own HID interfaces (its
// virtual mouse and keyboard, vendor id 0x845E): they are opened and described through the
// real hid.dll, rejected by their ids and released again.
#include "hid/discovery.h"
#include "hid/hid_platform.h"
#include "tests/hid/forwarding_platform.h"
#include "tests/hid/virtual_bus_fixture.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Counts what the controller link opened, read and gave back.
class CountingPlatform : public ForwardingPlatform {
public:
    CountingPlatform() : ForwardingPlatform(OsHidPlatform()) {}

    int lists = 0, listsDestroyed = 0, interfaces = 0;
    int opens = 0, closes = 0, parsed = 0, freed = 0, caps = 0;
    std::set<USHORT> vendorIds;

    HDEVINFO SetupDiGetClassDevsA(const GUID* guid, PCSTR enumerator, HWND parent,
                                  DWORD flags) override {
        HDEVINFO set = next_.SetupDiGetClassDevsA(guid, enumerator, parent, flags);
        lists += set != INVALID_HANDLE_VALUE;
        return set;
    }
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) override {
        BOOL ok = next_.SetupDiDestroyDeviceInfoList(set);
        listsDestroyed += ok != FALSE;
        return ok;
    }
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA devInfo, const GUID* guid,
                                     DWORD index, PSP_DEVICE_INTERFACE_DATA data) override {
        BOOL ok = next_.SetupDiEnumDeviceInterfaces(set, devInfo, guid, index, data);
        interfaces += ok != FALSE;
        return ok;
    }
    HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa,
                       DWORD disposition, DWORD flags, HANDLE templateFile) override {
        HANDLE h = next_.CreateFileA(path, access, share, sa, disposition, flags, templateFile);
        opens += h != INVALID_HANDLE_VALUE;
        return h;
    }
    BOOL CloseHandle(HANDLE handle) override {
        BOOL ok = next_.CloseHandle(handle);
        closes += ok != FALSE;
        return ok;
    }
    BOOLEAN HidD_GetPreparsedData(HANDLE handle, PHIDP_PREPARSED_DATA* data) override {
        BOOLEAN ok = next_.HidD_GetPreparsedData(handle, data);
        parsed += ok != FALSE;
        return ok;
    }
    BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA data) override {
        BOOLEAN ok = next_.HidD_FreePreparsedData(data);
        freed += ok != FALSE;
        return ok;
    }
    BOOLEAN HidD_GetAttributes(HANDLE handle, PHIDD_ATTRIBUTES attributes) override {
        BOOLEAN ok = next_.HidD_GetAttributes(handle, attributes);
        if (ok)
            vendorIds.insert(attributes->VendorID);
        return ok;
    }
    NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA data, PHIDP_CAPS c) override {
        NTSTATUS status = next_.HidP_GetCaps(data, c);
        caps += status == HIDP_STATUS_SUCCESS;
        return status;
    }
};

TEST(OsHidPlatform, WineInterfacesAreOpenedDescribedRejectedAndReleased) {
    EXPECT_EQ(&HidApi(), &OsHidPlatform()) << "the operating system's platform by default";
    CountingPlatform counting;
    HidPlatform* previous = SetHidPlatform(&counting);
    HidDevice record = {};
    int found = FindHidDevice(0x24B8, 1, &record);
    SetHidPlatform(previous);

    EXPECT_EQ(found, 0);
    EXPECT_EQ(counting.lists, 1);
    EXPECT_EQ(counting.listsDestroyed, 1);
    // Never vacuous: Wine's own interfaces must have been there, opened and read.
    ASSERT_GE(counting.interfaces, 1) << "the prefix exposes no HID interface";
    ASSERT_GE(counting.opens, 1) << "no HID interface could be opened for writing";
    EXPECT_GE(counting.parsed, 1);
    EXPECT_GE(counting.caps, 1);
    EXPECT_EQ(counting.vendorIds.count(0x845E), 1u);
    EXPECT_EQ(counting.vendorIds.count(0x24B8), 0u);
    // Everything opened was given back.
    EXPECT_EQ(counting.closes, counting.opens);
    EXPECT_EQ(counting.freed, counting.parsed);
    EXPECT_TRUE(RecordIsReleased(record));
}

TEST(OsHidPlatform, ConnectControllerFindsNoControllerUnderWine) {
    HidDevice record = {};
    ControllerId id = {1, 1};
    EXPECT_EQ(ConnectController(&record, &id), 0);
    EXPECT_EQ(id.productId, 0);
    EXPECT_EQ(id.vendorId, 0);
    EXPECT_NE(record.handle, nullptr) << "Wine's interfaces were opened and released";
    EXPECT_TRUE(RecordIsReleased(record));
}

} // namespace
