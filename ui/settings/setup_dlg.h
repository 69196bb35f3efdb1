// The settings dialog, the main window: the controller's ids, its settings (right-click hold
// time, plug-and-play, step, press force), the double-click area, and the actions.
#pragma once

#include "framework/framework.h"

// Whether the controller's touch output is on as far as the dialog knows.
extern int g_bTouchEnabled;

class CSetupDlg : public CDialog {
public:
    explicit CSetupDlg(CWnd* pParent = nullptr);

    BYTE m_byRightClickTime; // ten times the seconds entered
    BYTE m_byPnp;
    BYTE m_byStep;
    BYTE m_byPress;
    CSpinButtonCtrl m_spinStep;
    CSpinButtonCtrl m_spinPress;
    CButton m_btnUnTouch;
    CButton m_btnTouch;
    CButton m_btnSaveSet;
    CButton m_grpDoubleClick;
    CButton m_grpRightClick;
    CButton m_btnCalibrate;
    CButton m_btnCancel;
    CSpinButtonCtrl m_spinWidth;
    CSpinButtonCtrl m_spinRightClickTime;
    CSpinButtonCtrl m_spinHeight;
    CString m_strHeight;
    CString m_strRightClickTime;
    CString m_strWidth;
    CString m_strVid;
    CString m_strStep;
    CString m_strPress;
    CString m_strPid;
    int m_bWriteDoubleClick;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnSaveSet();
    void OnUnTouch();
    void OnTouch();
    void OnDrawTest();

private:
    // The shared first half of Calibrate and Save Set: read and check the fields, reconnect,
    // write the double-click area and send the four settings. TRUE when all four went out.
    BOOL TransferSettings();
    // FALSE (after telling the user) when a field holds no number its setting can carry.
    BOOL CheckFields();
    // Sends stop (0) or restore (1) touch output after a reconnection; see OnUnTouch.
    void SwitchTouch(BYTE restore);

    DECLARE_MESSAGE_MAP()
};
