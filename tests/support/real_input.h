// Mouse and keyboard input through the system's input queue, as a user makes it: the system
// decides which window gets each message (the capture, the window under the cursor, the
// focus). Tests that use it share the display's one cursor, so give them the CTest
// RESOURCE_LOCK "desktop_input".
#pragma once

#include <windows.h>

namespace gui {

// Puts the cursor on a screen point; the window under it gets a mouse move.
void MoveCursor(int x, int y);
// Presses or releases the left button where the cursor is.
void LeftButton(bool down);
// Presses or releases a key (for the window with the focus), or does both.
void Key(WORD vk, bool down);
void TapKey(WORD vk);
// Handles this thread's messages for the given time.
void PumpMessages(DWORD ms);

} // namespace gui
