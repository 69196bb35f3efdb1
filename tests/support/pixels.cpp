#include "tests/support/pixels.h"

namespace gui {

COLORREF Picture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

int Picture::Count(const RECT& area, COLORREF colour) const {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (At(x, y) == colour)
                ++n;
    return n;
}

Picture CaptureDC(HDC source, int width, int height) {
    Picture picture(width, height);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC mem = CreateCompatibleDC(source);
    HBITMAP dib = CreateDIBSection(mem, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* px = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < picture.Pixels().size(); ++i) {
        DWORD p = px[i]; // 0x00RRGGBB
        picture.Pixels()[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    return picture;
}

Picture CaptureClient(HWND hWnd) {
    RECT rc;
    GetClientRect(hWnd, &rc);
    HDC dc = GetDC(hWnd);
    Picture picture = CaptureDC(dc, rc.right, rc.bottom);
    ReleaseDC(hWnd, dc);
    return picture;
}

} // namespace gui
