// Reading back what a window shows, as colours, for pixel checks.
#pragma once

#include <windows.h>

#include <vector>

namespace gui {

class Picture {
public:
    Picture() = default;
    Picture(int width, int height) : width_(width), height_(height), pixels_(width * height) {}
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The colour at a point (0x00BBGGRR); CLR_INVALID outside the picture.
    COLORREF At(int x, int y) const;
    // How many pixels of the rectangle have the colour.
    int Count(const RECT& area, COLORREF colour) const;
    bool operator==(const Picture& o) const { return pixels_ == o.pixels_; }
    std::vector<COLORREF>& Pixels() { return pixels_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> pixels_;
};

// Copies the window's client area through its DC (the window must be visible).
Picture CaptureClient(HWND hWnd);
// Copies the whole of a DC's selected drawing area of the given size.
Picture CaptureDC(HDC dc, int width, int height);

} // namespace gui
