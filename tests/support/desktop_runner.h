// Starting a program on a desktop of its own, of a chosen size: the part of running on an own
// desktop that needs no test framework, shared by the tests (desktop.h) and the benchmarks.
#pragma once

#include <string>

namespace gui {

// True in a process started by RunOnOwnDesktop.
bool IsOwnDesktopChild();

// True when the current desktop has the size.
bool DesktopHasSize(int width, int height);

// Runs the command line on a new desktop of the size (under Wine a virtual desktop, declared
// in HKCU\Software\Wine\Explorer\Desktops), waits for it, ends the process that kept the
// desktop, and sets the display's own mode back for the processes that come after. Returns
// the command's exit code, or -1 when it could not be started or did not end in time.
long RunOnOwnDesktop(std::string command, int width, int height);

} // namespace gui
