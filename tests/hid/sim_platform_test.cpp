// The simulated platform answers as the Setup API, file and HID class calls document it.
#include "sim/sim_platform.h"
#include "sim/virtual_controller.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

namespace {

struct Bus {
    Bus() : mouse(bus.AddMouse()), controller(bus.AddController(1)), p(bus) {
        p.HidD_GetHidGuid(&guid);
    }
    HDEVINFO List(DWORD flags = DIGCF_PRESENT | DIGCF_DEVICEINTERFACE) {
        return p.SetupDiGetClassDevsA(&guid, NULL, NULL, flags);
    }
    // The device paths of a list, read as FindHidDevice reads them.
    std::vector<std::string> Paths(HDEVINFO set) {
        std::vector<std::string> paths;
        SP_DEVICE_INTERFACE_DATA data = {};
        data.cbSize = sizeof data;
        for (DWORD i = 0; p.SetupDiEnumDeviceInterfaces(set, NULL, &guid, i, &data); ++i) {
            DWORD size = 0;
            p.SetupDiGetDeviceInterfaceDetailA(set, &data, NULL, 0, &size, NULL);
            std::vector<char> buffer(size);
            auto* detail = reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_A>(buffer.data());
            detail->cbSize = sizeof *detail;
            if (p.SetupDiGetDeviceInterfaceDetailA(set, &data, detail, size, &size, NULL))
                paths.push_back(detail->DevicePath);
        }
        return paths;
    }
    SimBus bus;
    SimDevice& mouse;
    VirtualController& controller;
    SimHidPlatform p;
    GUID guid;
};

TEST(SimHidPlatform, EnumerationAndDetailQueries) {
    Bus b;
    HDEVINFO set = b.List();
    ASSERT_NE(set, INVALID_HANDLE_VALUE);

    SP_DEVICE_INTERFACE_DATA data = {};
    data.cbSize = 28; // a 32-bit build's size is refused by a 64-bit platform
    EXPECT_FALSE(b.p.SetupDiEnumDeviceInterfaces(set, NULL, &b.guid, 0, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_USER_BUFFER));
    data.cbSize = sizeof data;
    ASSERT_TRUE(b.p.SetupDiEnumDeviceInterfaces(set, NULL, &b.guid, 0, &data));

    DWORD required = 0;
    SetLastError(0);
    EXPECT_FALSE(b.p.SetupDiGetDeviceInterfaceDetailA(set, &data, NULL, 0, &required, NULL));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(required,
              offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + b.mouse.Path().size() + 1);

    std::vector<char> buffer(required);
    auto* detail = reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_A>(buffer.data());
    detail->cbSize = 5; // likewise
    EXPECT_FALSE(b.p.SetupDiGetDeviceInterfaceDetailA(set, &data, detail, required, NULL, NULL));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_USER_BUFFER));
    detail->cbSize = sizeof *detail;
    EXPECT_FALSE(
        b.p.SetupDiGetDeviceInterfaceDetailA(set, &data, detail, required - 1, NULL, NULL));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    ASSERT_TRUE(b.p.SetupDiGetDeviceInterfaceDetailA(set, &data, detail, required, NULL, NULL));
    EXPECT_EQ(std::string(detail->DevicePath), b.mouse.Path());

    EXPECT_TRUE(b.p.SetupDiEnumDeviceInterfaces(set, NULL, &b.guid, 1, &data));
    EXPECT_FALSE(b.p.SetupDiEnumDeviceInterfaces(set, NULL, &b.guid, 2, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_ITEMS));

    EXPECT_EQ(b.bus.OpenDeviceListCount(), 1);
    EXPECT_TRUE(b.p.SetupDiDestroyDeviceInfoList(set));
    EXPECT_FALSE(b.p.SetupDiDestroyDeviceInfoList(set));
    EXPECT_EQ(b.bus.OpenDeviceListCount(), 0);
}

TEST(SimHidPlatform, UnpluggedInterfacesAreNotPresent) {
    Bus b;
    b.mouse.Unplug();
    HDEVINFO present = b.List();
    HDEVINFO all = b.List(DIGCF_DEVICEINTERFACE);
    EXPECT_EQ(b.Paths(present), (std::vector<std::string>{b.controller.Path()}));
    EXPECT_EQ(b.Paths(all), (std::vector<std::string>{b.mouse.Path(), b.controller.Path()}));
    b.p.SetupDiDestroyDeviceInfoList(present);
    b.p.SetupDiDestroyDeviceInfoList(all);

    EXPECT_EQ(
        b.p.CreateFileA(b.mouse.Path().c_str(), GENERIC_WRITE, 3, NULL, OPEN_EXISTING, 0, NULL),
        INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(SimHidPlatform, HandlesAreTheBussOwnAndDieWithAnUnplug) {
    Bus b;
    HANDLE h = b.p.CreateFileA(b.controller.Path().c_str(), GENERIC_WRITE, 3, NULL, OPEN_EXISTING,
                               0, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SimBus::IsSimHandle(h));
    EXPECT_FALSE(::CloseHandle(h)) << "not a handle of the operating system";
    EXPECT_EQ(b.controller.OpenHandles(), 1);

    HANDLE event = CreateEventA(NULL, FALSE, FALSE, NULL);
    ASSERT_NE(event, nullptr);
    EXPECT_FALSE(SimBus::IsSimHandle(event));
    EXPECT_FALSE(b.p.CloseHandle(event));
    EXPECT_EQ(b.bus.ForeignCloseCount(), 1);
    EXPECT_TRUE(::CloseHandle(event));

    HIDD_ATTRIBUTES attributes = {};
    EXPECT_TRUE(b.p.HidD_GetAttributes(h, &attributes));
    EXPECT_EQ(attributes.VendorID, 0x24B8);
    b.controller.Unplug();
    b.controller.Plug();
    EXPECT_FALSE(b.p.HidD_GetAttributes(h, &attributes));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED));

    EXPECT_TRUE(b.p.CloseHandle(h));
    EXPECT_FALSE(b.p.CloseHandle(h));
    EXPECT_EQ(b.controller.OpenHandles(), 0);
    EXPECT_EQ(b.bus.OpenHandleCount(), 0);
}

TEST(SimHidPlatform, FeatureTransfersNeedTheKindsLengthAndAKnownReportId) {
    Bus b;
    HANDLE ctl = b.p.CreateFileA(b.controller.Path().c_str(), GENERIC_WRITE, 3, NULL, OPEN_EXISTING,
                                 0, NULL);
    HANDLE mouse =
        b.p.CreateFileA(b.mouse.Path().c_str(), GENERIC_WRITE, 3, NULL, OPEN_EXISTING, 0, NULL);
    BYTE report[6] = {0x00, 0x80, 0x00, 0x00, 0x00, 0x00};

    EXPECT_FALSE(b.p.HidD_SetFeature(ctl, report, 6));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    report[0] = 3;
    EXPECT_FALSE(b.p.HidD_SetFeature(ctl, report, 5));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_TRUE(b.controller.Transfers().empty());
    report[0] = 0;
    EXPECT_TRUE(b.p.HidD_SetFeature(ctl, report, 5));
    EXPECT_TRUE(b.controller.Calibrating());
    EXPECT_TRUE(b.p.HidD_GetFeature(ctl, report, 5));
    EXPECT_EQ(report[1], 0x80) << "the answer echoes the last command";

    EXPECT_FALSE(b.p.HidD_SetFeature(mouse, report, 5));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FUNCTION));
    EXPECT_FALSE(b.p.HidD_SetFeature(INVALID_HANDLE_VALUE, report, 5));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

    b.p.CloseHandle(ctl);
    b.p.CloseHandle(mouse);
}

} // namespace
