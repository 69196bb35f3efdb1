#include "framework/controls.h"

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, result);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    *result = TRUE;
    return TRUE;
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy) const {
    return CWnd::FromHandle(reinterpret_cast<HWND>(
        SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy ? buddy->m_hWnd : nullptr))));
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
    LRESULT r = SendMessage(UDM_GETRANGE);
    lower = static_cast<short>(HIWORD(r));
    upper = static_cast<short>(LOWORD(r));
}
