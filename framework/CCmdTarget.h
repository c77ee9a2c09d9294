// Root of the objects that take messages and commands: windows and the
// application object. Automation (dispatch maps) hangs off it too.
#pragma once

#include "DispatchMap.h"
#include "MessageMap.h"

class CCmdTargetDispatch;

class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget();
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Runs the handler of a command (WM_COMMAND with code and id) from this
    // object's message map; false when the map has none.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, LRESULT* pResult);

    // Finds the entry for a message in the chain of maps, or null.
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id);

    // Automation: after EnableAutomation the object offers its dispatch map
    // through an IDispatch. That IDispatch counts its own references: scripts
    // may hold it longer than this object lives, and once the object is gone
    // every call on it fails cleanly.
    void EnableAutomation();
    // The object's IDispatch (with a reference added when bAddRef), or null
    // before EnableAutomation.
    IDispatch* GetIDispatch(BOOL bAddRef);
    // Resolves a member name (any letter case) or runs a member by id; the
    // IDispatch forwards here.
    HRESULT GetDispIdOfName(LPCOLESTR name, DISPID* id) const;
    HRESULT InvokeDispatchMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep,
                                 UINT* argErr);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_DISPMAP* GetThisDispatchMap();
    virtual const AFX_DISPMAP* GetDispatchMap() const;

private:
    const AFX_DISPMAP_ENTRY* FindDispatchEntry(DISPID id) const;
    CCmdTargetDispatch* m_pDispatch = nullptr;
};

// An exception a dispatch member may throw to fail the call with its own
// error code and text (the script sees them).
struct COleDispatchException {
    HRESULT scode;
    const wchar_t* description;
};
