// Message maps: tables that bind window messages and command ids to handler methods.
// Each class's table chains to its base class's table, so a handler in a derived class
// takes precedence and unhandled messages fall through to the base.
//
//   class CMyDlg : public CDialog { ... DECLARE_MESSAGE_MAP() };
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_WM_PAINT()
//       ON_BN_CLICKED(1040, &CMyDlg::OnSaveSet)
//   END_MESSAGE_MAP()
#pragma once

#include <windows.h>

#include "framework/geometry.h"

class CCmdTarget;
class CDC;

// Called with the target object, the message's parameters and where to put the result;
// returns TRUE when the message was handled.
using AFX_HANDLER = BOOL (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // window message, WM_COMMAND for commands, WM_REFLECT_BASE + n reflected
    UINT nCode;    // notification code of a WM_COMMAND (BN_CLICKED is 0, as for menu commands)
    UINT nID;      // first command id
    UINT nLastID;  // last command id
    AFX_HANDLER pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Messages that a parent reflects back to the child control they concern.
constexpr UINT WM_REFLECT_BASE = 0xBC00;
// One code for all WM_CTLCOLOR* messages in a reflected entry.
constexpr UINT AFX_WM_CTLCOLOR = 0x0019;

// What a reflected control-colour request carries to the child's handler.
struct AFX_CTLCOLOR {
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, 0, nullptr }                                                                        \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries};                     \
    return &map;                                                                                   \
    }

// Commands and button clicks.
#define ON_COMMAND(id, memberFxn)                                                                  \
    {WM_COMMAND, 0, static_cast<UINT>(id), static_cast<UINT>(id),                                  \
     [](CCmdTarget* t, WPARAM, LPARAM, LRESULT*) -> BOOL {                                         \
         (static_cast<ThisClass*>(t)->*(memberFxn))();                                             \
         return TRUE;                                                                              \
     }},
#define ON_BN_CLICKED(id, memberFxn) ON_COMMAND(id, memberFxn)

// Any message to a handler taking (WPARAM, LPARAM) and returning LRESULT.
#define ON_MESSAGE(message, memberFxn)                                                             \
    {static_cast<UINT>(message), 0, 0, 0,                                                          \
     [](CCmdTarget* t, WPARAM w, LPARAM l, LRESULT* r) -> BOOL {                                   \
         *r = (static_cast<ThisClass*>(t)->*(memberFxn))(w, l);                                    \
         return TRUE;                                                                              \
     }},

#define AFX_ON_VOID_MESSAGE(message, call)                                                         \
    {message, 0, 0, 0, [](CCmdTarget* t, WPARAM wParam, LPARAM lParam, LRESULT* r) -> BOOL {       \
         (void)wParam;                                                                             \
         (void)lParam;                                                                             \
         static_cast<ThisClass*>(t)->call;                                                         \
         *r = 0;                                                                                   \
         return TRUE;                                                                              \
     }},

#define ON_WM_PAINT() AFX_ON_VOID_MESSAGE(WM_PAINT, OnPaint())
#define ON_WM_DESTROY() AFX_ON_VOID_MESSAGE(WM_DESTROY, OnDestroy())
#define ON_WM_TIMER() AFX_ON_VOID_MESSAGE(WM_TIMER, OnTimer(static_cast<UINT_PTR>(wParam)))
#define ON_WM_LBUTTONDOWN()                                                                        \
    AFX_ON_VOID_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown(static_cast<UINT>(wParam), CPoint(lParam)))
#define ON_WM_LBUTTONUP()                                                                          \
    AFX_ON_VOID_MESSAGE(WM_LBUTTONUP, OnLButtonUp(static_cast<UINT>(wParam), CPoint(lParam)))
#define ON_WM_MOUSEMOVE()                                                                          \
    AFX_ON_VOID_MESSAGE(WM_MOUSEMOVE, OnMouseMove(static_cast<UINT>(wParam), CPoint(lParam)))

// The control-colour request, reflected from the parent to the control itself; the handler
// is HBRUSH CtlColor(CDC*, UINT). A null brush leaves the request to the parent.
#define ON_WM_CTLCOLOR_REFLECT()                                                                   \
    {WM_REFLECT_BASE + AFX_WM_CTLCOLOR, 0, 0, 0,                                                   \
     [](CCmdTarget* t, WPARAM, LPARAM l, LRESULT* r) -> BOOL {                                     \
         auto* cc = reinterpret_cast<AFX_CTLCOLOR*>(l);                                            \
         HBRUSH brush =                                                                            \
             static_cast<ThisClass*>(t)->CtlColor(CDC::FromHandle(cc->hDC), cc->nCtlType);         \
         *r = reinterpret_cast<LRESULT>(brush);                                                    \
         return brush != nullptr;                                                                  \
     }},
