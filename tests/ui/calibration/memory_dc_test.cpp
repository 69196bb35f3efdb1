// The off-screen drawing buffer over screen-like and printing targets.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/resource_counters.h"
#include "ui/calibration/memory_dc.h"

namespace {

constexpr COLORREF kTargetBk = RGB(10, 20, 30);
constexpr COLORREF kBefore = RGB(200, 200, 200);

// A 200 x 100 target: a memory DC with a 32-bit bitmap, filled with kBefore.
class Target {
public:
    Target() {
        dc.Attach(CreateCompatibleDC(nullptr));
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 200, -100, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
        RECT all = {0, 0, 200, 100};
        dc.FillSolidRect(&all, kBefore);
        dc.SetBkColor(kTargetBk);
    }
    ~Target() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
    }
    COLORREF At(int x, int y) { return ::GetPixel(dc, x, y); }

    CDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

} // namespace

TEST(MemoryDC, DrawsOffScreenAndCopiesTheRectangleOnceAtTheEnd) {
    Target target;
    {
        CMemoryDC buffer(&target.dc, CRect(10, 20, 110, 70));
        EXPECT_NE(buffer.GetSafeHdc(), target.dc.GetSafeHdc());
        // Filled with the target's background colour, which is left as its own.
        EXPECT_EQ(buffer.GetPixel(10, 20), kTargetBk);
        EXPECT_EQ(buffer.GetBkColor(), kTargetBk);
        buffer.SetPixel(10, 20, RGB(255, 0, 0));  // the rectangle's top-left logical point
        buffer.SetPixel(109, 69, RGB(0, 255, 0)); // its bottom-right pixel
        buffer.SetPixel(5, 5, RGB(0, 0, 255));    // outside the rectangle: lost
        EXPECT_EQ(target.At(10, 20), kBefore) << "nothing reaches the target before the end";
    }
    EXPECT_EQ(target.At(10, 20), RGB(255, 0, 0));
    EXPECT_EQ(target.At(109, 69), RGB(0, 255, 0));
    EXPECT_EQ(target.At(50, 50), kTargetBk);
    EXPECT_EQ(target.At(5, 5), kBefore);
    EXPECT_EQ(target.At(110, 70), kBefore);
    EXPECT_EQ(target.At(9, 20), kBefore);
}

TEST(MemoryDC, TakesTheTargetsMappingSoLogicalDrawingLandsInPlace) {
    Target target;
    target.dc.SetMapMode(MM_ANISOTROPIC);
    target.dc.SetWindowExt(2, 2);
    target.dc.SetViewportExt(1, 1); // two logical units per pixel
    {
        CMemoryDC buffer(&target.dc, CRect(0, 0, 400, 200));
        EXPECT_EQ(buffer.GetMapMode(), MM_ANISOTROPIC);
        RECT r = {100, 40, 140, 80}; // pixels 50..70, 20..40
        buffer.FillSolidRect(&r, RGB(1, 2, 3));
    }
    target.dc.SetMapMode(MM_TEXT); // read back in pixels
    EXPECT_EQ(target.At(50, 20), RGB(1, 2, 3));
    EXPECT_EQ(target.At(69, 39), RGB(1, 2, 3));
    EXPECT_EQ(target.At(70, 40), kTargetBk);
    EXPECT_EQ(target.At(199, 99), kTargetBk);
}

TEST(MemoryDC, APrintingTargetIsDrawnDirectlyAndKeepsItsDC) {
    Target target;
    target.dc.m_bPrinting = TRUE;
    HDC targetHdc = target.dc.GetSafeHdc();
    {
        CMemoryDC buffer(&target.dc, CRect(0, 0, 50, 50));
        EXPECT_EQ(buffer.GetSafeHdc(), targetHdc);
        EXPECT_EQ(target.At(10, 10), kTargetBk); // the fill went straight to the target
        buffer.SetPixel(60, 60, RGB(9, 9, 9));   // no clipping to a bitmap
        EXPECT_EQ(target.At(60, 60), RGB(9, 9, 9));
    }
    EXPECT_EQ(GetObjectType(targetHdc), static_cast<DWORD>(OBJ_MEMDC)) << "target DC deleted";
    EXPECT_EQ(target.At(60, 60), RGB(9, 9, 9));
    target.dc.m_bPrinting = FALSE;
}

TEST(MemoryDC, GivesBackItsDCAndBitmap) {
    Target target;
    const int before = res::GdiObjectCount();
    for (int i = 0; i < 50; ++i) {
        auto* buffer = new CMemoryDC(&target.dc, CRect(0, 0, 200, 100));
        buffer->SetPixel(1, 1, RGB(1, 1, 1));
        CDC* asBase = buffer;
        delete asBase; // the destructor is virtual
    }
    EXPECT_EQ(res::GdiObjectCount(), before);
}
