// Report layouts the virtual controller can have: each a report descriptor together with
// the places of its feature value fields, which the controller's firmware reads the
// command words from.
#pragma once

#include <windows.h>
#include <vector>

enum class LayoutId {
    Value32, // one 32-bit feature value, no report ids (the default)
    TwoIds,  // feature reports 1 and 2, one 32-bit value each
    Buttons, // no report ids: 8 button bits, then one 32-bit value, in the feature report
    Value8,  // one 8-bit feature value, no report ids: the parameter byte is lost
};

// One feature value field as the firmware sees it; offsets count from the start of the
// report buffer, whose byte 0 is the report id (0 without report ids).
struct FeatureField {
    BYTE reportId;
    USHORT bitOffset;
    USHORT bitSize;
};

struct ControllerLayout {
    LayoutId id;
    const char* name;       // as PNPSETUP_SIM's layout= names it
    const char* descriptor; // report descriptor, hexadecimal
    std::vector<FeatureField> fields;
};

const ControllerLayout& GetControllerLayout(LayoutId id);
// The layout of that name, or null.
const ControllerLayout* FindControllerLayout(const char* name);
// Every layout, the default first.
const std::vector<ControllerLayout>& ControllerLayouts();
