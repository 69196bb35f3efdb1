#include "hid/hid_platform.h"

namespace {
HidPlatform* g_installed = nullptr;
} // namespace

HidPlatform& HidApi() {
    return g_installed ? *g_installed : OsHidPlatform();
}

HidPlatform* SetHidPlatform(HidPlatform* platform) {
    HidPlatform* previous = g_installed;
    g_installed = platform;
    return previous;
}
