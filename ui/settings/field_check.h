// The check of the typed settings before they travel: each must be a whole decimal number
// within the bounds that its command parameter or registry value can carry.
#pragma once

#include "framework/cstring.h"

// Whether text is digits only (at least one) with a value from low to high.
bool IsIntegerWithin(const CString& text, int low, int high);
