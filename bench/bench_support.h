// What the benchmarks share: timing, the desktop's size, and measuring from inside a
// dialog's modal loop.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

#include "framework/framework.h"

namespace bench {

inline double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

inline SIZE DesktopSize() {
    RECT rc;
    GetWindowRect(GetDesktopWindow(), &rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

// Runs the dialog modally and calls measure once from inside its modal loop, half a second
// after it opened, when it is up and painted; measure ends the dialog. False when the dialog
// could not run.
inline bool RunMeasuring(CDialog& dlg, std::function<void()> measure) {
    static std::function<void()> s_measure;
    s_measure = std::move(measure);
    // A thread timer fires inside every modal loop of the thread.
    ::SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        s_measure();
    });
    bool ran = dlg.DoModal() != -1;
    s_measure = nullptr;
    return ran;
}

} // namespace bench
