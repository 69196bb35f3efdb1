// Running a test on a desktop of its own, of a chosen size.
//
// The display of a test run has one size, and every test process shares it. A test that
// needs another size, or a desktop no other process draws on, runs itself again in a child
// process on a desktop of its own (under Wine a virtual desktop, which Wine opens for a
// desktop named in HKCU\Software\Wine\Explorer\Desktops), and the child's result becomes
// the test's:
//
//   TEST_P(Screen, Layout) {
//       if (!gui::OnOwnDesktop(1920, 1080))
//           return; // ran in the child
//       ... checks, here on a 1920 x 1080 desktop ...
//   }
//
// Windows there are no windows of the display's own, so closing a full-screen one does not
// wait for a window manager. Wine keeps one set of display figures for the whole session:
// while a desktop of another size than the display's runs, every process is told that size
// (give such tests the CTest property RUN_SERIAL); the display's own figures are set back
// when the child ends. Drive the mouse there with posted messages: real input moves
// the display's pointer, whose echo comes back late and, beyond the display's edge, clamped.
#pragma once

namespace gui {

// True in the child, on its own desktop of the size: go on with the test. Otherwise runs the
// current test in a child on such a desktop, reports a failure of the child as this test's
// failure, and returns false.
bool OnOwnDesktop(int width, int height);

} // namespace gui
