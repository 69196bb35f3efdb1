// CColorButton: an owner-drawn push button with a face colour and a caption of its owner's
// choosing. It draws a raised inner edge (none while pressed) and the caption centred on one
// line, greyed while the window is disabled. Its look follows a state of its own, set by the
// mouse messages that reach it; while the cursor is over it the button holds the mouse
// capture to see the cursor leave. The face reaches the screen through the brush of the
// control-colour request, with which the platform erases the button before each draw.
#pragma once

#include "framework/framework.h"

class CColorButton : public CButton {
public:
    enum ButtonState { stateNormal = 0, stateHover = 1, statePressed = 2, stateDisabled = 3 };

    CColorButton();
    ~CColorButton() override;

    // Takes effect at the next repaint; requests none.
    void SetFaceColor(COLORREF color);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    // Makes the window owner-drawn when the button is attached to it.
    void PreSubclassWindow() override;
    void DrawButton(CDC* pDC);

    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()

    COLORREF m_crText; // caption colour, and the text colour of the control-colour request
    COLORREF m_crFace;
    CBrush m_brFace;  // solid brush of m_crFace
    int m_nState;     // a ButtonState
    BOOL m_bTracking; // the button took the capture to follow the cursor
    CRect m_rcItem;   // item rectangle of the last draw request, in client coordinates
    COLORREF m_crDisabledText;

public:
    // The caption drawn; when empty, the window text is taken at the first draw.
    CString m_strCaption;
};
