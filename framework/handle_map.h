// The maps from window and DC handles to framework objects.
#pragma once

#include <windows.h>

class CWnd;

namespace afx {

CWnd* LookupPermanent(HWND hWnd);
void AddPermanent(HWND hWnd, CWnd* pWnd);
void RemovePermanent(HWND hWnd);
CWnd* TemporaryWnd(HWND hWnd);

// Called when a message has been handled at the outermost level: temporary objects made
// while handling it are given back.
void DeleteTemporaryObjects();
// Registers a function that gives back another kind of temporary object (the DC wrappers).
void AddTemporaryCleanup(void (*cleanup)());

} // namespace afx
