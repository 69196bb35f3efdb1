#include "ui/controls/color_button.h"

namespace {

constexpr UINT kCaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

} // namespace

BEGIN_MESSAGE_MAP(CColorButton, CButton)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CColorButton::CColorButton()
    : m_crText(::GetSysColor(COLOR_BTNTEXT)), m_crFace(::GetSysColor(COLOR_BTNFACE)),
      m_nState(stateNormal), m_bTracking(FALSE), m_crDisabledText(::GetSysColor(COLOR_GRAYTEXT)) {
    m_brFace.CreateSolidBrush(m_crFace);
}

CColorButton::~CColorButton() {
    m_brFace.DeleteObject();
}

void CColorButton::SetFaceColor(COLORREF color) {
    m_crFace = color;
    m_brFace.DeleteObject();
    m_brFace.CreateSolidBrush(color);
}

void CColorButton::PreSubclassWindow() {
    ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

void CColorButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    m_rcItem = lpDrawItemStruct->rcItem;
    if (m_strCaption.IsEmpty())
        GetWindowText(m_strCaption);
    int saved = pDC->SaveDC();
    DrawButton(pDC);
    pDC->RestoreDC(saved);
}

void CColorButton::DrawButton(CDC* pDC) {
    // A button enabled again after being disabled returns to normal here.
    if (m_nState == stateDisabled)
        m_nState = stateNormal;
    if (GetStyle() & WS_DISABLED)
        m_nState = stateDisabled;

    COLORREF caption = m_nState == stateDisabled ? m_crDisabledText : m_crText;
    if (m_nState != statePressed) {
        CRect edge(m_rcItem.left + 2, m_rcItem.top + 1, m_rcItem.right, m_rcItem.bottom);
        pDC->DrawEdge(edge, BDR_RAISEDINNER, BF_RECT);
    }
    pDC->SetTextColor(caption);
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(m_strCaption, m_rcItem, kCaptionFormat);
}

HBRUSH CColorButton::CtlColor(CDC* pDC, UINT) {
    pDC->SetTextColor(m_crText);
    pDC->SetBkColor(m_crFace);
    return m_brFace;
}

void CColorButton::OnMouseMove(UINT, CPoint point) {
    if (m_bTracking && GetCapture() == this) {
        if (!m_rcItem.PtInRect(point)) {
            m_bTracking = FALSE;
            ::ReleaseCapture();
            m_nState = stateNormal;
            InvalidateRect(nullptr, TRUE);
        }
    } else {
        m_bTracking = TRUE;
        SetCapture();
        m_nState = stateHover;
        InvalidateRect(nullptr, TRUE);
    }
    Default();
}

void CColorButton::OnLButtonDown(UINT, CPoint) {
    m_nState = statePressed;
    InvalidateRect(nullptr, TRUE);
    Default();
}

void CColorButton::OnLButtonUp(UINT, CPoint) {
    m_nState = stateHover;
    InvalidateRect(nullptr, TRUE);
    Default();
}
