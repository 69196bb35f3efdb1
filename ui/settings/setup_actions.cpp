// The actions of the settings dialog: Calibrate, Save Set, UnTouch, Touch and Exit.
#include <cstdlib>

#include "app/language.h"
#include "app/setup_app.h"
#include "hid/command_channel.h"
#include "res/resource.h"
#include "ui/calibration/calibration_dlg.h"
#include "ui/drawtest/draw_test_dlg.h"
#include "ui/settings/double_click_registry.h"
#include "ui/settings/field_check.h"
#include "ui/settings/setup_dlg.h"

namespace {

void Tell(const char* english, const char* chinese) {
    AfxMessageBox(TextPair(english, chinese), MB_ICONINFORMATION);
}

// Looks for the controller again, so that one plugged in after start-up is found.
bool Reconnect() {
    if (ConnectController())
        return true;
    // The calibration screen tests the handle against this value.
    theApp.g_hidDevice.handle = INVALID_HANDLE_VALUE;
    Tell("Please plug in the device!", "请接入Zenkora触摸屏设备!");
    return false;
}

bool Send(BYTE opcode, BYTE parameter) {
    return SendCommand(&theApp.g_hidDevice, MakeCommandWord(opcode, parameter)) != 0;
}

} // namespace

BOOL CSetupDlg::CheckFields() {
    // In data-exchange order. The bounds are what travels unchanged: tenths of up to 25
    // seconds fit the 8-bit parameter, and the controller's step and press take two digits.
    struct Field {
        int id;
        const CString* text;
        int low;
        int high;
    };
    const Field fields[] = {
        {IDC_HEIGHT, &m_strHeight, 0, 999}, {IDC_RIGHT_CLICK_TIME, &m_strRightClickTime, 0, 25},
        {IDC_WIDTH, &m_strWidth, 0, 999},   {IDC_STEP, &m_strStep, 0, 99},
        {IDC_PRESS, &m_strPress, 0, 99},
    };
    for (const Field& f : fields) {
        if (IsIntegerWithin(*f.text, f.low, f.high))
            continue;
        CString message;
        message.Format(
            TextPair("Please enter an integer between %d and %d.", "请输入%d到%d之间的整数!"),
            f.low, f.high);
        // The field takes the focus first: the dialog gives it back to the field when the
        // message box closes.
        CWnd* edit = GetDlgItem(f.id);
        edit->SetFocus();
        edit->SendMessage(EM_SETSEL, 0, -1);
        AfxMessageBox(message, MB_ICONINFORMATION);
        return FALSE;
    }
    return TRUE;
}

BOOL CSetupDlg::TransferSettings() {
    // A text too long for its field has already been refused, with the focus on it.
    if (!UpdateData(TRUE) || !CheckFields())
        return FALSE;
    if (!Reconnect())
        return FALSE;
    UpdateData(FALSE);

    m_byRightClickTime = static_cast<BYTE>(std::atoi(m_strRightClickTime) * 10);
    m_byPnp = SendDlgItemMessageA(m_hWnd, IDC_PNP, BM_GETCHECK, 0, 0) ? 1 : 0;
    m_byStep = static_cast<BYTE>(std::atoi(m_strStep));
    m_byPress = static_cast<BYTE>(std::atoi(m_strPress));

    if (m_bWriteDoubleClick)
        WriteDoubleClickArea(m_strHeight, m_strWidth);

    if (!Send(CMD_RIGHT_CLICK_TIME, m_byRightClickTime)) {
        Tell("Send command failure !", "设置右键失败!");
        return FALSE;
    }
    if (!Send(CMD_PNP, m_byPnp)) {
        Tell("Send command failure !", "设置PNP失败!");
        return FALSE;
    }
    if (!Send(CMD_STEP, m_byStep)) {
        Tell("Send command failure !", "设置步长失败!");
        return FALSE;
    }
    if (!Send(CMD_PRESS, m_byPress)) {
        Tell("Send command failure !", "设置触摸力度失败!");
        return FALSE;
    }
    return TRUE;
}

void CSetupDlg::OnOK() {
    if (!TransferSettings())
        return;
    CCalibrationDlg dlg(nullptr);
    dlg.DoModal();
}

void CSetupDlg::OnSaveSet() {
    if (!TransferSettings())
        return;
    if (!Send(CMD_SAVE, 1))
        Tell("Send command failure !", "设置保存参数失败!");
}

void CSetupDlg::SwitchTouch(BYTE restore) {
    if (!Reconnect())
        return;
    if (!Send(CMD_TOUCH, restore)) {
        // Nothing changed in the controller: the buttons keep saying so.
        if (restore)
            Tell("Send command failure !", "设置恢复触摸失败!");
        else
            Tell("Send command failure !", "设置停止触摸失败!");
        return;
    }
    if (!ReadAnswer(&theApp.g_hidDevice)) {
        if (restore)
            Tell("Can't get the device answer!", "设置恢复触摸无应答!");
        else
            Tell("Can't get the device answer!", "设置停止触摸无应答!");
        return;
    }
    CWnd* pEnabled = GetDlgItem(restore ? IDC_UNTOUCH : IDC_TOUCH);
    CWnd* pDisabled = GetDlgItem(restore ? IDC_TOUCH : IDC_UNTOUCH);
    pEnabled->EnableWindow(TRUE);
    // The button just pressed holds the focus: hand it on before disabling the button, or the
    // dialog is left without a focus and Tab and the arrow keys do nothing.
    if (::GetFocus() == pDisabled->GetSafeHwnd())
        GotoDlgCtrl(pEnabled);
    pDisabled->EnableWindow(FALSE);
    g_bTouchEnabled = restore;
}

void CSetupDlg::OnUnTouch() {
    SwitchTouch(0);
}

void CSetupDlg::OnTouch() {
    SwitchTouch(1);
}

void CSetupDlg::OnCancel() {
    // Leave the controller's touch output on. A controller that takes the command but does
    // not answer keeps the dialog open; one that cannot be reached at all does not, so the
    // user can always leave.
    if (!g_bTouchEnabled && Send(CMD_TOUCH, 1) && !ReadAnswer(&theApp.g_hidDevice)) {
        Tell("Can't get the device answer!", "设置恢复触摸无应答!");
        return;
    }
    CDialog::OnCancel();
}

void CSetupDlg::OnDrawTest() {
    // The draw test needs no controller: touches reach it as ordinary mouse input.
    CDrawTestDlg dlg(nullptr);
    dlg.DoModal();
}
