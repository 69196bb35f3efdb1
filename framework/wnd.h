// CWnd: a C++ object bound to a window. Bound ("permanent") objects receive the window's
// messages through their message maps; FromHandle wraps any other window in a temporary
// object that lives until the current message has been handled.
#pragma once

#include <windows.h>

#include "framework/cmdtarget.h"
#include "framework/cstring.h"
#include "framework/geometry.h"

class CDC;
class CDataExchange;

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    // The bound object of a window, or a temporary wrapper for it (null for a null handle).
    static CWnd* FromHandle(HWND hWnd);
    // The bound object of a window, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    BOOL Attach(HWND hWnd);
    HWND Detach();
    // Binds the object to an existing window and routes its messages through the map.
    BOOL SubclassWindow(HWND hWnd);
    HWND UnsubclassWindow();

    // Messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Children and texts
    CWnd* GetDlgItem(int nID) const;
    void SetDlgItemText(int nID, LPCSTR text) const;
    void SetWindowText(LPCSTR text) const;
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    CWnd* GetParent() const;

    // State and style
    BOOL EnableWindow(BOOL enable = TRUE) const;
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    BOOL ShowWindow(int nCmdShow) const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // Removes and adds style bits; with flags, also a SetWindowPos with those flags.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0) const;
    CWnd* SetFocus() const;
    static CWnd* GetFocus();
    CWnd* SetCapture() const;
    static CWnd* GetCapture();
    static CWnd* GetDesktopWindow();
    HICON SetIcon(HICON icon, BOOL bigIcon) const;

    // Geometry and painting
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) const;
    void CenterWindow(CWnd* alternateOwner = nullptr) const;
    void Invalidate(BOOL erase = TRUE) const;
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE) const;
    BOOL RedrawWindow(LPCRECT rectUpdate = nullptr, HRGN rgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) const;
    BOOL UpdateWindow() const;
    CDC* GetDC();
    int ReleaseDC(CDC* dc);

    // Timers
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) const;
    BOOL KillTimer(UINT_PTR id) const;

    // Data exchange between the members and the controls (TRUE: controls to members).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // The window procedure of every bound window.
    static LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    virtual void PreSubclassWindow() {}
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // A message the parent reflected to this control (WM_DRAWITEM, WM_CTLCOLOR*, WM_COMMAND).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy() {}
    virtual void DoDataExchange(CDataExchange*) {}

    // Passes the message being handled to the window's previous (default) procedure.
    LRESULT Default();

    WNDPROC m_pfnSuper = nullptr;

    DECLARE_MESSAGE_MAP()

    friend class CDialog;
};

// Installs, for the next window the thread creates, the binding of that window to pWnd.
void AfxHookWindowCreate(CWnd* pWnd);
// Ends the hook if it has not been used; returns TRUE when the window was bound.
BOOL AfxUnhookWindowCreate();

// The window that a new modal dialog or message box is given as owner when it has no parent:
// the main window's last active pop-up (a dialog or box already running over it).
HWND AfxGetSafeOwner(HWND parent);
