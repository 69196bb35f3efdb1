#include "ui/settings/setup_dlg.h"

#include <cstdlib>

#include "app/language.h"
#include "app/setup_app.h"
#include "res/resource.h"

int g_bTouchEnabled = 0;

BEGIN_MESSAGE_MAP(CSetupDlg, CDialog)
ON_BN_CLICKED(IDC_SAVE_SET, &CSetupDlg::OnSaveSet)
ON_BN_CLICKED(IDC_UNTOUCH, &CSetupDlg::OnUnTouch)
ON_BN_CLICKED(IDC_TOUCH, &CSetupDlg::OnTouch)
ON_BN_CLICKED(IDC_DRAW_TEST, &CSetupDlg::OnDrawTest)
END_MESSAGE_MAP()

CSetupDlg::CSetupDlg(CWnd* pParent) : CDialog(IDD_SETUP, pParent), m_bWriteDoubleClick(1) {}

void CSetupDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SPIN_STEP, m_spinStep);
    DDX_Control(pDX, IDC_SPIN_PRESS, m_spinPress);
    DDX_Control(pDX, IDC_UNTOUCH, m_btnUnTouch);
    DDX_Control(pDX, IDC_TOUCH, m_btnTouch);
    DDX_Control(pDX, IDC_SAVE_SET, m_btnSaveSet);
    DDX_Control(pDX, IDC_GROUP_DOUBLE_CLICK, m_grpDoubleClick);
    DDX_Control(pDX, IDC_GROUP_RIGHT_CLICK, m_grpRightClick);
    DDX_Control(pDX, IDOK, m_btnCalibrate);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_SPIN_WIDTH, m_spinWidth);
    DDX_Control(pDX, IDC_SPIN_RIGHT_CLICK_TIME, m_spinRightClickTime);
    DDX_Control(pDX, IDC_SPIN_HEIGHT, m_spinHeight);
    DDX_Text(pDX, IDC_HEIGHT, m_strHeight);
    DDV_MaxChars(pDX, m_strHeight, 3);
    DDX_Text(pDX, IDC_RIGHT_CLICK_TIME, m_strRightClickTime);
    DDV_MaxChars(pDX, m_strRightClickTime, 3);
    DDX_Text(pDX, IDC_WIDTH, m_strWidth);
    DDV_MaxChars(pDX, m_strWidth, 3);
    DDX_Text(pDX, IDC_VID, m_strVid);
    DDX_Text(pDX, IDC_STEP, m_strStep);
    DDV_MaxChars(pDX, m_strStep, 2);
    DDX_Text(pDX, IDC_PRESS, m_strPress);
    DDV_MaxChars(pDX, m_strPress, 2);
    DDX_Text(pDX, IDC_PID, m_strPid);
}

BOOL CSetupDlg::OnInitDialog() {
    g_bTouchEnabled = 1;
    GetDlgItem(IDC_TOUCH)->EnableWindow(FALSE);

    m_strRightClickTime = "0";
    m_strStep = "12";
    m_strPress = "10";

    SetDlgItemText(IDC_LABEL_ACTIVE_TIME, TextPair("Active Time:", "右键时间："));
    SetDlgItemText(IDC_LABEL_STEP, TextPair("Step:", "步长："));
    SetDlgItemText(IDC_LABEL_SECS, TextPair("Secs.", "秒"));
    SetDlgItemText(IDC_LABEL_PRESS, TextPair("Press:", "力度："));
    SetDlgItemText(
        IDC_NOTICE,
        TextPair("Notice:\n  You should restart the machine to valid Double Click Setup !",
                 "注意：\n       双击设置重启后生效!"));
    SetDlgItemText(IDC_LABEL_HEIGHT, TextPair("Height:", "高度："));
    SetDlgItemText(IDC_LABEL_WIDTH, TextPair("Width:", "宽度："));
    SetDlgItemText(IDC_GROUP_DOUBLE_CLICK, TextPair("Double Click Setup:", "双击设置:"));
    SetDlgItemText(IDC_GROUP_RIGHT_CLICK, TextPair("Right Click Setup:", "右键设置:"));
    SetDlgItemText(IDOK, TextPair("Calibrate", "校  准"));
    SetDlgItemText(IDCANCEL, TextPair("Cancel", "退  出"));
    SetDlgItemText(IDC_SAVE_SET, TextPair("Save Set", "保存设置"));
    SetDlgItemText(IDC_TOUCH, TextPair("Touch", "恢复触摸"));
    SetDlgItemText(IDC_UNTOUCH, TextPair("UnTouch", "停止触摸"));
    SetDlgItemText(IDC_DRAW_TEST, TextPair("Draw Test", "画图测试"));

    m_strHeight.Format("%s", "32");
    m_strWidth.Format("%s", "32");
    m_strVid.Format("%04X", theApp.g_controllerId.vendorId);
    m_strPid.Format("%04d", theApp.g_controllerId.productId);

    CDialog::OnInitDialog();

    CWnd* pEditRightClickTime = GetDlgItem(IDC_RIGHT_CLICK_TIME);
    CWnd* pEditHeight = GetDlgItem(IDC_HEIGHT);
    CWnd* pEditWidth = GetDlgItem(IDC_WIDTH);
    CWnd* pEditStep = GetDlgItem(IDC_STEP);
    CWnd* pEditPress = GetDlgItem(IDC_PRESS);

    m_spinRightClickTime.SetBuddy(pEditRightClickTime);
    m_spinRightClickTime.SetBase(10);
    m_spinRightClickTime.SetRange(0, 10);
    m_spinRightClickTime.SetPos(1);

    m_spinHeight.SetBuddy(pEditHeight);
    m_spinHeight.SetBase(10);
    m_spinHeight.SetRange(0, 99);
    m_spinHeight.SetPos(static_cast<int>(std::atol(m_strHeight) & 0xFFFF));

    m_spinWidth.SetBuddy(pEditWidth);
    m_spinWidth.SetBase(10);
    m_spinWidth.SetRange(0, 99);
    m_spinWidth.SetPos(static_cast<int>(std::atol(m_strWidth) & 0xFFFF));

    m_spinStep.SetBuddy(pEditStep);
    m_spinStep.SetBase(10);
    m_spinStep.SetRange(3, 28);
    m_spinStep.SetPos(12);

    m_spinPress.SetBuddy(pEditPress);
    m_spinPress.SetBase(10);
    m_spinPress.SetRange(1, 28);
    m_spinPress.SetPos(16);

    SendDlgItemMessageA(m_hWnd, IDC_PNP, BM_SETCHECK, BST_CHECKED, 0);
    return TRUE;
}
