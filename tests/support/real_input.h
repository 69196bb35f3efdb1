// Mouse and keyboard input through the system's input queue, as a user makes it: the system
// decides which window gets each message (the capture, the window under the cursor, the
// focus). The cursor is the display's one, and moving it moves the display's pointer, which
// other tests' windows (and virtual desktops) feel too: give such tests the CTest property
// RUN_SERIAL.
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
