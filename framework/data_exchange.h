// Dialog data exchange: moving values between a dialog's members and its controls.
#pragma once

#include <windows.h>

#include "framework/cstring.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate);

    BOOL m_bSaveAndValidate; // TRUE: controls to members (and validate); FALSE: members to controls
    CWnd* m_pDlgWnd;
    int m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
    // Set by Fail: the exchange has stopped and every later step does nothing.
    BOOL m_bFailed = FALSE;

    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Stops the exchange; on a save the last control prepared gets the focus, with its text
    // selected when it is an edit.
    void Fail();
};

// The whole text of a control, to or from a string member.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Binds a control member to its control the first time; a bound member is left alone.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control);
// On load, the limit becomes the edit's own text limit; on save, a longer text is refused
// with the validation message and the exchange stops.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
