// Root of the objects that take messages and commands: windows and the
// application object. Automation (dispatch maps) hangs off it too.
#pragma once

#include "MessageMap.h"

class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Runs the handler of a command (WM_COMMAND with code and id) from this
    // object's message map; false when the map has none.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, LRESULT* pResult);

    // Finds the entry for a message in the chain of maps, or null.
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};
