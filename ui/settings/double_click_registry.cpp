#include "ui/settings/double_click_registry.h"

#include <windows.h>

#include <cstring>

namespace {

LONG SetText(HKEY key, const char* name, const char* text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
}

} // namespace

void WriteDoubleClickArea(const char* height, const char* width) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Mouse\\", 0, KEY_SET_VALUE, &key) !=
        ERROR_SUCCESS)
        return;
    if (SetText(key, "DoubleClickHeight", height) == ERROR_SUCCESS)
        SetText(key, "DoubleClickWidth", width);
    RegCloseKey(key);
}
