#include "framework/data_exchange.h"

#include "framework/message_box.h"
#include "framework/wnd.h"

CDataExchange::CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWnd;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_idLastControl != 0) {
        HWND hWnd = ::GetDlgItem(m_pDlgWnd->m_hWnd, m_idLastControl);
        ::SetFocus(hWnd);
        if (m_bEditLastControl)
            ::SendMessageA(hWnd, EM_SETSEL, 0, -1);
    }
    m_bFailed = TRUE;
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        int length = ::GetWindowTextLengthA(hWnd);
        char* buffer = value.GetBuffer(length + 1);
        int copied = ::GetWindowTextA(hWnd, buffer, length + 1);
        value.ReleaseBuffer(copied);
    } else {
        ::SetWindowTextA(hWnd, value);
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control) {
    if (pDX->m_bFailed || control.m_hWnd)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd)
        control.SubclassWindow(hWnd);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
    if (pDX->m_bFailed)
        return;
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) {
            CString message;
            message.Format("Please enter no more than %d characters.", nChars);
            AfxMessageBox(message, MB_ICONEXCLAMATION);
            pDX->Fail();
        }
    } else if (pDX->m_idLastControl != 0 && pDX->m_bEditLastControl) {
        ::SendMessageA(::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, pDX->m_idLastControl), EM_LIMITTEXT,
                       static_cast<WPARAM>(nChars), 0);
    }
}
