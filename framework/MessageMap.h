// Message maps: a static table per class, chained to its base class's table.
// A window's messages are matched against its own class's table first, then
// against each base's, and end in default processing when nothing matches.
//
// Each entry carries a small thunk (a captureless lambda) that casts the
// target to the class that declared the entry and calls the handler with the
// message's parameters unpacked. Handlers are ordinary member functions; the
// thunk is compiled in the class's own scope, so protected handlers work.
#pragma once

#include "Afx.h"

class CCmdTarget;
class CWnd;

typedef LRESULT (*AFX_MSG_THUNK)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;      // first message of the entry (WM_COMMAND for commands)
    UINT nLastMessage;  // last message (a range for WM_CTLCOLOR*)
    UINT nCode;         // notification code, for WM_COMMAND
    UINT nID;           // first control or command id, for WM_COMMAND
    UINT nLastID;
    AFX_MSG_THUNK pfn;  // null ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Messages a parent reflects to the child they concern (WM_DRAWITEM,
// WM_CTLCOLOR*), so that a control can paint itself.
#define WM_REFLECT_BASE 0xBC00

#define DECLARE_MESSAGE_MAP()                         \
protected:                                            \
    static const AFX_MSGMAP* GetThisMessageMap();     \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                   \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                              \
    {                                                                            \
        typedef theClass ThisClass;                                              \
        typedef baseClass TheBaseClass;                                          \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                        \
            {0, 0, 0, 0, 0, nullptr}                                             \
        };                                                                       \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap;                                                      \
    }

// The thunk of one entry: `self` is the target as ThisClass.
#define AFX_THUNK(...)                                                           \
    [](CCmdTarget* target_, WPARAM wParam, LPARAM lParam) -> LRESULT {           \
        ThisClass* self = static_cast<ThisClass*>(target_);                      \
        (void)self; (void)wParam; (void)lParam;                                  \
        __VA_ARGS__                                                              \
    }

#define AFX_MSG_ENTRY(msg, ...) {(msg), (msg), 0, 0, 0, AFX_THUNK(__VA_ARGS__)},

#define ON_WM_CREATE() \
    AFX_MSG_ENTRY(WM_CREATE, return self->OnCreate(reinterpret_cast<LPCREATESTRUCTW>(lParam));)
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, self->OnDestroy(); return 0;)
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, self->OnClose(); return 0;)
#define ON_WM_MOVE() \
    AFX_MSG_ENTRY(WM_MOVE, self->OnMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))); return 0;)
#define ON_WM_SIZE() \
    AFX_MSG_ENTRY(WM_SIZE, self->OnSize(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))); return 0;)
#define ON_WM_ERASEBKGND() \
    AFX_MSG_ENTRY(WM_ERASEBKGND, return self->OnEraseBkgnd(reinterpret_cast<HDC>(wParam));)
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, self->OnPaint(); return 0;)
#define ON_WM_LBUTTONDOWN() \
    AFX_MSG_ENTRY(WM_LBUTTONDOWN, POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; self->OnLButtonDown(static_cast<UINT>(wParam), pt); return 0;)
#define ON_WM_RBUTTONDOWN() \
    AFX_MSG_ENTRY(WM_RBUTTONDOWN, POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; self->OnRButtonDown(static_cast<UINT>(wParam), pt); return 0;)
#define ON_WM_RBUTTONUP() \
    AFX_MSG_ENTRY(WM_RBUTTONUP, POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; self->OnRButtonUp(static_cast<UINT>(wParam), pt); return 0;)
#define ON_WM_ACTIVATE() \
    AFX_MSG_ENTRY(WM_ACTIVATE, self->OnActivate(LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam)); return 0;)
#define ON_WM_MOUSEMOVE() \
    AFX_MSG_ENTRY(WM_MOUSEMOVE, POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; self->OnMouseMove(static_cast<UINT>(wParam), pt); return 0;)
#define ON_WM_MOUSELEAVE() AFX_MSG_ENTRY(WM_MOUSELEAVE, self->OnMouseLeave(); return 0;)
#define ON_WM_SETCURSOR() \
    AFX_MSG_ENTRY(WM_SETCURSOR, return self->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));)
#define ON_WM_KEYDOWN() \
    AFX_MSG_ENTRY(WM_KEYDOWN, self->OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;)
#define ON_WM_SYSCOMMAND() \
    AFX_MSG_ENTRY(WM_SYSCOMMAND, self->OnSysCommand(static_cast<UINT>(wParam), lParam); return 0;)
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, self->OnTimer(static_cast<UINT_PTR>(wParam)); return 0;)
#define ON_WM_CTLCOLOR()                                                                      \
    {WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC, 0, 0, 0,                                           \
     AFX_THUNK(return reinterpret_cast<LRESULT>(self->OnCtlColor(                             \
         reinterpret_cast<HDC>(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)),     \
         CWnd::CurrentMessage()->message - WM_CTLCOLORMSGBOX));)},
#define ON_MESSAGE(msg, memberFxn) AFX_MSG_ENTRY(msg, return self->memberFxn(wParam, lParam);)

// Reflected to the control itself.
#define ON_WM_DRAWITEM_REFLECT() \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM, self->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); return TRUE;)

// Commands: WM_COMMAND with a notification code and a control id.
#define ON_COMMAND(id, memberFxn) {WM_COMMAND, WM_COMMAND, 0, (id), (id), AFX_THUNK(self->memberFxn(); return 0;)},
#define ON_BN_CLICKED(id, memberFxn) {WM_COMMAND, WM_COMMAND, BN_CLICKED, (id), (id), AFX_THUNK(self->memberFxn(); return 0;)},
#define ON_CONTROL(code, id, memberFxn) {WM_COMMAND, WM_COMMAND, (code), (id), (id), AFX_THUNK(self->memberFxn(); return 0;)},
