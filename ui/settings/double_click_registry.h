// Writes the current user's double-click area: "DoubleClickHeight", then (only when that
// succeeded) "DoubleClickWidth", as the texts given. Failures are not reported.
#pragma once

void WriteDoubleClickArea(const char* height, const char* width);
