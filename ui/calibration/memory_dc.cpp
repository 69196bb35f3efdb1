#include "ui/calibration/memory_dc.h"

CMemoryDC::CMemoryDC(CDC* pDC, const CRect& rect)
    : m_pPrevBitmap(nullptr), m_pTargetDC(pDC), m_rcArea(rect), m_bOffscreen(!pDC->IsPrinting()) {
    if (m_bOffscreen) {
        CreateCompatibleDC(pDC);
        pDC->LPtoDP(&m_rcArea);
        m_bmpBuffer.CreateCompatibleBitmap(pDC, m_rcArea.Width(), m_rcArea.Height());
        m_pPrevBitmap = SelectObject(&m_bmpBuffer);
        SetMapMode(pDC->GetMapMode());
        SetWindowExt(pDC->GetWindowExt());
        SetViewportExt(pDC->GetViewportExt());
        pDC->DPtoLP(&m_rcArea);
        SetWindowOrg(m_rcArea.left, m_rcArea.top);
    } else {
        m_bPrinting = pDC->m_bPrinting;
        m_hDC = pDC->m_hDC;
        m_hAttribDC = pDC->m_hAttribDC;
    }
    FillSolidRect(m_rcArea, pDC->GetBkColor());
}

CMemoryDC::~CMemoryDC() {
    if (m_bOffscreen) {
        m_pTargetDC->BitBlt(m_rcArea.left, m_rcArea.top, m_rcArea.Width(), m_rcArea.Height(), this,
                            m_rcArea.left, m_rcArea.top, SRCCOPY);
        if (m_pPrevBitmap)
            SelectObject(m_pPrevBitmap);
        else
            ::SelectObject(m_hDC, static_cast<HGDIOBJ>(nullptr));
    } else {
        m_hDC = nullptr;
        m_hAttribDC = nullptr;
    }
    m_bmpBuffer.DeleteObject();
}
