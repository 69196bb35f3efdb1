// CCmdTarget: the root of every class that has a message map.
#pragma once

#include "framework/message_map.h"

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Looks the message up in this class's map and its bases' maps; calls the first match.
    BOOL DispatchMessageMap(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam,
                            LRESULT* result);
    // Routes a command (WM_COMMAND with the notification code and id) through the map.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};
