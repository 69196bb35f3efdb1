// Running a test on a desktop of a chosen size.
//
// The display of a test run has one size. For another, the test runs itself again in a child
// process on a desktop of its own of that size (under Wine a virtual desktop, which Wine
// opens for a desktop named in HKCU\Software\Wine\Explorer\Desktops), and the child's result
// becomes the test's:
//
//   TEST_P(Screen, Layout) {
//       if (!gui::OnDesktopOfSize(1920, 1080))
//           return; // ran in the child
//       ... checks, here on a 1920 x 1080 desktop ...
//   }
//
// On a virtual desktop larger than the display the real cursor cannot reach every point
// (Wine moves the display's pointer, which stops at the display's edge); drive the mouse
// there with posted messages.
#pragma once

namespace gui {

// True when this process's desktop has the size: go on with the test. Otherwise runs the
// current test in a child on such a desktop, reports a failure of the child as this test's
// failure, and returns false.
bool OnDesktopOfSize(int width, int height);

} // namespace gui
