// The calibration screen's paint against a bare full-screen BitBlt of the same size, on
// desktops of 1920 x 1080 and 3840 x 2160. The benchmark runs itself once per size on a
// desktop of its own. There it opens the calibration screen over a virtual controller and,
// from inside the screen's modal loop, times: the screen's paint (the window invalidated and
// updated, so the paint runs with its buffer made, filled, drawn and copied each time); the
// redraw the one-second tick asks for, which erases first; the buffer's own steps done bare;
// a BitBlt of a full-screen bitmap, made once, to the window in a paint cycle of its own,
// the floor any buffered paint stands on; and the same BitBlt bare.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/setup_app.h"
#include "bench/bench_support.h"
#include "sim/sim_bus.h"
#include "sim/sim_platform.h"
#include "tests/support/desktop_runner.h"
#include "ui/calibration/calibration_dlg.h"

namespace {

constexpr int kWarmUp = 5;
constexpr int kRounds = 100;

// Average milliseconds per call of one step, after a few calls to warm up.
template <class Step> double TimeMs(Step step) {
    for (int i = 0; i < kWarmUp; ++i)
        step();
    GdiFlush();
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < kRounds; ++i)
        step();
    GdiFlush();
    QueryPerformanceCounter(&t1);
    return 1000 * bench::Seconds(t0, t1) / kRounds;
}

class BenchDlg : public CCalibrationDlg {
public:
    double paintMs = 0;  // the screen's paint alone
    double redrawMs = 0; // the redraw the tick asks for: erase, then the paint
    double bufferMs = 0; // the buffer's own steps, bare
    double blitMs = 0;   // one full-screen block transfer
    double floorMs = 0;  // the same in a paint cycle of its own, so that it reaches the display

    void Measure() {
        HWND w = m_hWnd;
        paintMs = TimeMs([w] {
            ::InvalidateRect(w, nullptr, FALSE);
            ::UpdateWindow(w);
        });
        redrawMs = TimeMs([w] {
            ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        });

        RECT client;
        ::GetClientRect(w, &client);
        const int cx = client.right, cy = client.bottom;
        HDC window = ::GetDC(w);
        // What the paint's buffer costs by itself: made, filled twice (the target's
        // background, then the screen's), copied once and given back.
        bufferMs = TimeMs([&] {
            HDC memory = CreateCompatibleDC(window);
            HBITMAP bitmap = CreateCompatibleBitmap(window, cx, cy);
            HGDIOBJ old = SelectObject(memory, bitmap);
            PatBlt(memory, 0, 0, cx, cy, WHITENESS);
            PatBlt(memory, 0, 0, cx, cy, BLACKNESS);
            BitBlt(window, 0, 0, cx, cy, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
            DeleteObject(bitmap);
            DeleteDC(memory);
        });

        HDC memory = CreateCompatibleDC(window);
        HBITMAP bitmap = CreateCompatibleBitmap(window, cx, cy);
        HGDIOBJ old = SelectObject(memory, bitmap);
        PatBlt(memory, 0, 0, cx, cy, WHITENESS);
        blitMs = TimeMs([&] { BitBlt(window, 0, 0, cx, cy, memory, 0, 0, SRCCOPY); });
        // Under Wine a window's pixels reach the display when a paint cycle ends; a BitBlt
        // that is not followed by one stays in the window's memory. The floor that shows on
        // screen is therefore one BitBlt in an otherwise empty paint cycle.
        floorMs = TimeMs([&] {
            PAINTSTRUCT ps;
            ::InvalidateRect(w, nullptr, FALSE);
            HDC dc = BeginPaint(w, &ps);
            BitBlt(dc, 0, 0, cx, cy, memory, 0, 0, SRCCOPY);
            EndPaint(w, &ps);
        });
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ::ReleaseDC(w, window);

        EndDialog(IDCANCEL);
    }
};

// On the desktop of its own: one size's figures.
int MeasureHere() {
    SimBus bus;
    bus.AddController(1);
    ScopedHidPlatform use{bus};
    if (!ConnectController()) {
        std::fprintf(stderr, "calibration_paint_bench: no virtual controller\n");
        return 1;
    }
    BenchDlg dlg;
    if (!bench::RunMeasuring(dlg, [&] { dlg.Measure(); }) || dlg.blitMs == 0) {
        std::fprintf(stderr, "calibration_paint_bench: the calibration screen did not run\n");
        return 1;
    }
    const SIZE desktop = bench::DesktopSize();
    std::printf("%ldx%ld\n", desktop.cx, desktop.cy);
    std::printf("  BitBlt in a paint cycle (the floor)   %6.2f ms\n", dlg.floorMs);
    std::printf("  calibration paint                     %6.2f ms   ratio %.2f\n", dlg.paintMs,
                dlg.paintMs / dlg.floorMs);
    std::printf("  redraw as the tick asks (erase+paint) %6.2f ms   ratio %.2f\n", dlg.redrawMs,
                dlg.redrawMs / dlg.floorMs);
    std::printf("  the paint's buffer steps alone        %6.2f ms\n", dlg.bufferMs);
    std::printf("  bare BitBlt, not yet on the display   %6.2f ms\n", dlg.blitMs);
    std::fflush(stdout);
    return 0;
}

} // namespace

int main() {
    if (gui::IsOwnDesktopChild())
        return MeasureHere();
    std::printf("each figure the average of %d calls, after %d to warm up\n", kRounds, kWarmUp);
    std::fflush(stdout);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string command = std::string("\"") + self + "\"";
    const struct { int width, height; } sizes[] = {{1920, 1080}, {3840, 2160}};
    int failures = 0;
    for (const auto& size : sizes) {
        if (gui::RunOnOwnDesktop(command, size.width, size.height) != 0) {
            std::fprintf(stderr, "calibration_paint_bench: the %dx%d run failed\n", size.width,
                         size.height);
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
