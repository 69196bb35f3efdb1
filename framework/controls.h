// Control classes: buttons and up-down controls bound to a dialog's controls.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/wnd.h"

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) const { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }

    // Owner-drawn buttons draw themselves here; the parent reflects WM_DRAWITEM to it.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CSpinButtonCtrl : public CWnd {
public:
    CWnd* SetBuddy(CWnd* buddy) const;
    int SetBase(int base) const { return static_cast<int>(SendMessage(UDM_SETBASE, base)); }
    // UDM_SETRANGE packs the maximum into the low word and the minimum into the high word.
    void SetRange(short lower, short upper) const {
        SendMessage(UDM_SETRANGE, 0, MAKELPARAM(upper, lower));
    }
    void GetRange(int& lower, int& upper) const;
    int SetPos(int pos) const {
        return static_cast<short>(LOWORD(SendMessage(UDM_SETPOS, 0, MAKELPARAM(pos, 0))));
    }
    int GetPos() const { return static_cast<int>(SendMessage(UDM_GETPOS)); }
};
