#include "framework/cmdtarget.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

BOOL CCmdTarget::DispatchMessageMap(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam,
                                    LRESULT* result) {
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
            if (e->nMessage != message)
                continue;
            if (message == WM_COMMAND && (e->nCode != code || id < e->nID || id > e->nLastID))
                continue;
            if (e->pfn(this, wParam, lParam, result))
                return TRUE;
        }
    }
    return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode) {
    LRESULT unused = 0;
    return DispatchMessageMap(WM_COMMAND, static_cast<UINT>(nCode), nID, 0, 0, &unused);
}
