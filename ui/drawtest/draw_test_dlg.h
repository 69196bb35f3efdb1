// CDrawTestDlg: the full-screen draw test. Dragging with a finger (or the mouse) leaves a red
// line over a blue background crossed by a yellow grid of 15 x 15 cells; CLEAR (also Enter)
// wipes the lines, EXIT (also Esc) closes the screen. Lines are drawn at once and kept
// nowhere, so whatever repaints the window removes them.
#pragma once

#include "framework/framework.h"
#include "ui/controls/color_button.h"

// The grid, laid out from the desktop size of the last opening.
extern int g_nScreenRight;
extern int g_nScreenBottom;
extern BOOL g_bShowGrid;
extern int g_nGridDivisions;
extern COLORREF g_crGridPen;
extern int g_nGridPenWidth;

class CDrawTestDlg : public CDialog {
public:
    explicit CDrawTestDlg(CWnd* pParent = nullptr);
    ~CDrawTestDlg() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // CLEAR: repaints background and grid; the dialog stays open.
    void OnOK() override;
    // EXIT.
    void OnCancel() override;

    void OnLButtonUp(UINT nFlags, CPoint point);
    // Draws only while the left button is held; a move without it ends the stroke (a release
    // over a button never reaches the dialog).
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);

    // One red segment, drawn at once through a client DC.
    void DrawSegment(CPoint from, CPoint to);

    DECLARE_MESSAGE_MAP()

    CRect m_rcDesktop; // the desktop window's rectangle at initialisation
    CColorButton m_btnExit;
    CColorButton m_btnClear;
    BOOL m_bDrawing; // a stroke is in progress
    CPoint m_ptLast; // last point of the stroke, client coordinates
    // The buttons' font, made at each opening; it lives as long as the buttons' windows.
    CFont m_fontButtons;
};
