// The platform's HID class and parser declarations. MinGW-w64's headers lack the C-linkage
// guards that the functions of hid.dll need when included from C++.
#pragma once

#include <windows.h>
#include <setupapi.h>

extern "C" {
#include <hidsdi.h>
#include <hidpi.h>
}
