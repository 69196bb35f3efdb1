#include "framework/wnd.h"

#include "framework/data_exchange.h"
#include "framework/handle_map.h"

namespace {

// The message being handled at each nesting level, for Default().
struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
thread_local CurrentMessage t_current = {0, 0, 0};
thread_local int t_depth = 0;

thread_local CWnd* t_pWndInit = nullptr;
thread_local HHOOK t_hHook = nullptr;

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CallNextHookEx(t_hHook, code, wParam, lParam);
    if (code == HCBT_CREATEWND && t_pWndInit) {
        // The first window created after the hook is the one the object stands for.
        CWnd* pWnd = t_pWndInit;
        t_pWndInit = nullptr;
        pWnd->SubclassWindow(reinterpret_cast<HWND>(wParam));
        UnhookWindowsHookEx(t_hHook);
        t_hHook = nullptr;
    }
    return result;
}

} // namespace

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd() {
    if (m_hWnd && afx::LookupPermanent(m_hWnd) == this)
        UnsubclassWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    return hWnd ? afx::LookupPermanent(hWnd) : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (!hWnd)
        return nullptr;
    if (CWnd* pWnd = afx::LookupPermanent(hWnd))
        return pWnd;
    return afx::TemporaryWnd(hWnd);
}

BOOL CWnd::Attach(HWND hWnd) {
    if (!hWnd || m_hWnd)
        return FALSE;
    m_hWnd = hWnd;
    afx::AddPermanent(hWnd, this);
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd && afx::LookupPermanent(hWnd) == this)
        afx::RemovePermanent(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
    return TRUE;
}

HWND CWnd::UnsubclassWindow() {
    if (m_pfnSuper && m_hWnd)
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = afx::LookupPermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);

    CurrentMessage saved = t_current;
    t_current = {message, wParam, lParam};
    ++t_depth;
    LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY && afx::LookupPermanent(hWnd) == pWnd) {
        // The window is gone: the object no longer stands for it.
        pWnd->UnsubclassWindow();
        pWnd->PostNcDestroy();
    }
    --t_depth;
    t_current = saved;
    if (t_depth == 0)
        afx::DeleteTemporaryObjects();
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            *result = 0;
            return TRUE;
        }
        return FALSE;
    }
    HWND child = nullptr;
    if (message == WM_DRAWITEM && lParam)
        child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
    else if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        child = reinterpret_cast<HWND>(lParam);
    if (child) {
        CWnd* pChild = FromHandlePermanent(child);
        if (pChild && pChild != this && pChild->OnChildNotify(message, wParam, lParam, result))
            return TRUE;
    }
    return DispatchMessageMap(message, 0, 0, wParam, lParam, result);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT nID = LOWORD(wParam);
    int nCode = HIWORD(wParam);
    HWND hCtl = reinterpret_cast<HWND>(lParam);
    if (hCtl) {
        CWnd* pChild = FromHandlePermanent(hCtl);
        LRESULT unused = 0;
        if (pChild && pChild != this && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, &unused))
            return TRUE;
    }
    return OnCmdMsg(nID, nCode);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        AFX_CTLCOLOR ctl = {m_hWnd, reinterpret_cast<HDC>(wParam), message - WM_CTLCOLORMSGBOX};
        return DispatchMessageMap(WM_REFLECT_BASE + AFX_WM_CTLCOLOR, 0, 0, 0,
                                  reinterpret_cast<LPARAM>(&ctl), result);
    }
    (void)lParam;
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper)
        return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    return DefWindowProc(t_current.message, t_current.wParam, t_current.lParam);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetDlgItem(int nID) const {
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

void CWnd::SetDlgItemText(int nID, LPCSTR text) const {
    ::SetDlgItemTextA(m_hWnd, nID, text);
}

void CWnd::SetWindowText(LPCSTR text) const {
    ::SetWindowTextA(m_hWnd, text);
}

void CWnd::GetWindowText(CString& text) const {
    int length = ::GetWindowTextLengthA(m_hWnd);
    char* buffer = text.GetBuffer(length + 1);
    int copied = ::GetWindowTextA(m_hWnd, buffer, length + 1);
    text.ReleaseBuffer(copied);
}

int CWnd::GetWindowTextLength() const {
    return ::GetWindowTextLengthA(m_hWnd);
}

CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}

BOOL CWnd::EnableWindow(BOOL enable) const {
    return ::EnableWindow(m_hWnd, enable);
}

BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd);
}

BOOL CWnd::ShowWindow(int nCmdShow) const {
    return ::ShowWindow(m_hWnd, nCmdShow);
}

DWORD CWnd::GetStyle() const {
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const {
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE));
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) const {
    DWORD style = GetStyle();
    DWORD newStyle = (style & ~remove) | add;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(newStyle));
    if (flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

CWnd* CWnd::SetFocus() const {
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::GetFocus() {
    return FromHandle(::GetFocus());
}

CWnd* CWnd::SetCapture() const {
    return FromHandle(::SetCapture(m_hWnd));
}

CWnd* CWnd::GetCapture() {
    return FromHandle(::GetCapture());
}

CWnd* CWnd::GetDesktopWindow() {
    return FromHandle(::GetDesktopWindow());
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) const {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

void CWnd::GetWindowRect(LPRECT rect) const {
    ::GetWindowRect(m_hWnd, rect);
}

void CWnd::GetClientRect(LPRECT rect) const {
    ::GetClientRect(m_hWnd, rect);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) const {
    return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

void CWnd::CenterWindow(CWnd* alternateOwner) const {
    // Centre over the owner while it is visible and not minimised, else over the work area
    // of the screen; never leave the work area.
    RECT work;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    HWND owner = alternateOwner ? alternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    RECT center = work;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &center);
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    int w = rc.right - rc.left;
    int h = rc.bottom - rc.top;
    int x = (center.left + center.right) / 2 - w / 2;
    int y = (center.top + center.bottom) / 2 - h / 2;
    if (x + w > work.right)
        x = work.right - w;
    if (x < work.left)
        x = work.left;
    if (y + h > work.bottom)
        y = work.bottom - h;
    if (y < work.top)
        y = work.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::Invalidate(BOOL erase) const {
    ::InvalidateRect(m_hWnd, nullptr, erase);
}

void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) const {
    ::InvalidateRect(m_hWnd, rect, erase);
}

BOOL CWnd::RedrawWindow(LPCRECT rectUpdate, HRGN rgnUpdate, UINT flags) const {
    return ::RedrawWindow(m_hWnd, rectUpdate, rgnUpdate, flags);
}

BOOL CWnd::UpdateWindow() const {
    return ::UpdateWindow(m_hWnd);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) const {
    return ::SetTimer(m_hWnd, id, elapse, proc);
}

BOOL CWnd::KillTimer(UINT_PTR id) const {
    return ::KillTimer(m_hWnd, id);
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

void AfxHookWindowCreate(CWnd* pWnd) {
    if (!t_hHook)
        t_hHook = SetWindowsHookExA(WH_CBT, CbtFilterHook, nullptr, GetCurrentThreadId());
    t_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate() {
    if (t_hHook) {
        UnhookWindowsHookEx(t_hHook);
        t_hHook = nullptr;
    }
    BOOL bound = t_pWndInit == nullptr;
    t_pWndInit = nullptr;
    return bound;
}
