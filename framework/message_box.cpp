#include "framework/message_box.h"

#include "framework/app.h"
#include "framework/wnd.h"

int AfxMessageBox(LPCSTR text, UINT type, UINT helpId) {
    (void)helpId; // there is no help file to link the box to
    HWND owner = AfxGetSafeOwner(nullptr);
    CWinApp* app = AfxGetApp();
    return ::MessageBoxA(owner, text, app ? app->m_pszAppName : nullptr, type);
}
