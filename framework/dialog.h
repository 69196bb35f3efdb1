// CDialog: a modal dialog built from a dialog template of the program's resources.
//
// With no parent the dialog is owned by the main window (or the pop-up already running
// over it), which is disabled while the dialog runs. The dialog is centred when it opens
// unless its initialisation has placed it or shown it. IDOK (also the Enter key) reaches
// OnOK, IDCANCEL (also Esc and the close box) reaches OnCancel.
#pragma once

#include "framework/wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Runs the dialog; returns the value given to EndDialog, or -1 if it could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult) const;
    // Moves the focus to a control of the dialog as the Tab key would.
    void GotoDlgCtrl(CWnd* pWndCtrl) const;

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Commands the dialog does not handle go on to the application object.
    BOOL OnCmdMsg(UINT nID, int nCode) override;

    LPCSTR m_lpszTemplateName;
    CWnd* m_pParentWnd;

private:
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
