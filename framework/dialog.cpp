#include "framework/dialog.h"

#include <commctrl.h>

#include "framework/app.h"
#include "framework/handle_map.h"

namespace {

// The dialog manager's procedure: everything is handled by the window procedure that the
// dialog object installs, so this only asks for the default dialog processing.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// The common controls the templates use are registered once, before the first dialog.
void RegisterControlClasses() {
    static bool done = false;
    if (done)
        return;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    done = true;
}

} // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_pParentWnd(pParentWnd) {}

INT_PTR CDialog::DoModal() {
    RegisterControlClasses();
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = FindResourceA(hInst, m_lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hRes ? LoadResource(hInst, hRes) : nullptr;
    auto* lpTemplate = hTemplate ? static_cast<LPCDLGTEMPLATEA>(LockResource(hTemplate)) : nullptr;
    if (!lpTemplate)
        return -1;

    HWND hWndOwner = AfxGetSafeOwner(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
    AfxHookWindowCreate(this);
    INT_PTR result = DialogBoxIndirectParamA(hInst, lpTemplate, hWndOwner, AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    if (m_hWnd) // not destroyed through the usual path
        UnsubclassWindow();
    if (hWndOwner && ::IsWindow(hWndOwner))
        ::SetActiveWindow(hWndOwner);
    afx::DeleteTemporaryObjects();
    return result;
}

void CDialog::EndDialog(int nResult) const {
    ::EndDialog(m_hWnd, nResult);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) const {
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->GetSafeHwnd()), TRUE);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
    RECT before;
    ::GetWindowRect(m_hWnd, &before);
    BOOL result = OnInitDialog();
    // Centre the dialog unless its initialisation moved, sized or showed it.
    RECT after;
    ::GetWindowRect(m_hWnd, &after);
    if (::IsWindow(m_hWnd) && !(GetStyle() & (WS_VISIBLE | WS_CHILD)) &&
        ::EqualRect(&before, &after))
        CenterWindow();
    return result;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode) {
    if (CWnd::OnCmdMsg(nID, nCode))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return nCode == 0 && nID < 0xF000 && app && app->OnCmdMsg(nID, nCode);
}
