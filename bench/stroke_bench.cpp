// Stroke segments per second on the draw-test screen: through the screen's own stroke path
// (a mouse move with the left button held, dispatched to the dialog, which draws the segment
// through a new client DC and pen) against bare LineTo calls on one DC kept for the whole
// run. Touch controllers report at most a few hundred points a second.
#include <windows.h>

#include <cstdio>

#include "bench/bench_support.h"
#include "ui/drawtest/draw_test_dlg.h"

namespace {

constexpr int kSegments = 20000;
constexpr COLORREF kStroke = RGB(255, 0, 0);

// A zig-zag of ~100-pixel segments over the client area.
POINT PointAt(int i, const RECT& client) {
    int w = client.right - 40, h = client.bottom - 40;
    return {20 + (i * 97) % w, 20 + ((i % 2) ? h / 3 : h / 3 + 60) + (i * 13) % (h / 2)};
}

class BenchDlg : public CDrawTestDlg {
public:
    double strokeRate = 0;
    double lineToRate = 0;

    void Measure() {
        RECT client;
        GetClientRect(&client);
        LARGE_INTEGER t0, t1;

        // The screen's stroke path, one dispatched mouse move per segment.
        POINT start = PointAt(0, client);
        SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
        QueryPerformanceCounter(&t0);
        for (int i = 1; i <= kSegments; ++i) {
            POINT p = PointAt(i, client);
            SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        }
        GdiFlush();
        QueryPerformanceCounter(&t1);
        SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(start.x, start.y));
        strokeRate = kSegments / bench::Seconds(t0, t1);

        // Bare LineTo on one kept DC with the pen selected once.
        HDC dc = ::GetDC(m_hWnd);
        HPEN pen = CreatePen(PS_SOLID, 1, kStroke);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        MoveToEx(dc, start.x, start.y, nullptr);
        QueryPerformanceCounter(&t0);
        for (int i = 1; i <= kSegments; ++i) {
            POINT p = PointAt(i, client);
            LineTo(dc, p.x, p.y);
        }
        GdiFlush();
        QueryPerformanceCounter(&t1);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
        ::ReleaseDC(m_hWnd, dc);
        lineToRate = kSegments / bench::Seconds(t0, t1);

        EndDialog(IDCANCEL);
    }
};

} // namespace

int main() {
    BenchDlg dlg;
    if (!bench::RunMeasuring(dlg, [&] { dlg.Measure(); }) || dlg.strokeRate == 0) {
        std::fprintf(stderr, "stroke_bench: the draw-test screen did not run\n");
        return 1;
    }
    const SIZE desktop = bench::DesktopSize();
    std::printf("desktop %ldx%ld, %d segments each\n", desktop.cx, desktop.cy, kSegments);
    std::printf("stroke path (dispatched move, client DC, new pen): %.0f segments/s\n",
                dlg.strokeRate);
    std::printf("bare LineTo on one kept DC:                        %.0f segments/s\n",
                dlg.lineToRate);
    std::printf("ratio (bare / stroke path): %.1f\n", dlg.lineToRate / dlg.strokeRate);
    return 0;
}
