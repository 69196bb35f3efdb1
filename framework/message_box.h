// AfxMessageBox: a message box owned by the active window of the program and titled with the
// application name.
#pragma once

#include <windows.h>

int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);
