#include "tests/hidparse/wine_oracle.h"

namespace oracle {

namespace {

using GetCollectionDescription = NTSTATUS(WINAPI*)(const BYTE*, ULONG, int, HidpDeviceDesc*);
using FreeCollectionDescription = void(WINAPI*)(HidpDeviceDesc*);

constexpr int kNonPagedPool = 0;

struct Driver {
    HMODULE module = nullptr;
    GetCollectionDescription get = nullptr;
    FreeCollectionDescription free = nullptr;

    Driver() {
        module = LoadLibraryA("C:\\windows\\system32\\drivers\\hidparse.sys");
        if (!module)
            return;
        get = reinterpret_cast<GetCollectionDescription>(
            reinterpret_cast<void*>(GetProcAddress(module, "HidP_GetCollectionDescription")));
        free = reinterpret_cast<FreeCollectionDescription>(
            reinterpret_cast<void*>(GetProcAddress(module, "HidP_FreeCollectionDescription")));
    }
    ~Driver() {
        if (module)
            FreeLibrary(module);
    }
};

const Driver& TheDriver() {
    static Driver driver;
    return driver;
}

} // namespace

bool WineParse::Available() {
    return TheDriver().get && TheDriver().free;
}

WineParse::WineParse(const std::vector<BYTE>& descriptor) {
    status_ = Available()
                  ? TheDriver().get(descriptor.data(), static_cast<ULONG>(descriptor.size()),
                                    kNonPagedPool, &desc_)
                  : static_cast<NTSTATUS>(0xC0000001UL);
}

WineParse::~WineParse() {
    if (status_ == HIDP_STATUS_SUCCESS)
        TheDriver().free(&desc_);
}

PHIDP_PREPARSED_DATA WineParse::data() const {
    if (status_ != HIDP_STATUS_SUCCESS || desc_.CollectionDescLength == 0)
        return nullptr;
    return desc_.CollectionDesc[0].PreparsedData;
}

} // namespace oracle
