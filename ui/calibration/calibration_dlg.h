// The full-screen four-point calibration screen. It puts the controller into calibration
// mode, shows one target at a time near the corners (top-left, bottom-left, bottom-right,
// top-right), moves on at every left-button release, gives up after ten seconds without
// one, and takes the controller out of calibration mode when it closes.
#pragma once

#include "framework/framework.h"

// Seconds counted while the current target is shown.
extern int g_nCalibSeconds;
// The screen size, stored each time the screen opens.
extern int g_nCalibScreenCx;
extern int g_nCalibScreenCy;
extern const COLORREF g_crTargetPen;
extern const int g_nTargetPenWidth;

class CCalibrationDlg : public CDialog {
public:
    explicit CCalibrationDlg(CWnd* pParent = nullptr);
    ~CCalibrationDlg() override = default;

    CRect m_rcDesktop;
    CRect m_rcTarget[4];
    BOOL m_bDone;
    HICON m_hIcon;
    WORD m_nTarget;

    // Window timers: the timeout of the current target and the one-second tick.
    static constexpr UINT_PTR kTimeoutTimer = 1;
    static constexpr UINT_PTR kTickTimer = 2;

protected:
    void DoDataExchange(CDataExchange*) override {}
    BOOL OnInitDialog() override;
    void OnPaint();
    void OnDestroy();
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);

    DECLARE_MESSAGE_MAP()
};
