// An off-screen drawing surface standing in for a target DC during one paint. For a screen
// target everything drawn lands in a bitmap of the drawing rectangle, which is copied to the
// target in one block transfer when the object is destroyed; for a printing target drawing
// goes straight to the target.
#pragma once

#include "framework/gdi.h"

class CMemoryDC : public CDC {
public:
    // The rectangle is in the target's logical units. The target must outlive the object.
    CMemoryDC(CDC* pDC, const CRect& rect);
    ~CMemoryDC() override;
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

private:
    CBitmap m_bmpBuffer;
    CBitmap* m_pPrevBitmap;
    CDC* m_pTargetDC;
    CRect m_rcArea;
    BOOL m_bOffscreen;
};
