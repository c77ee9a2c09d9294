// The one map from window handles to their objects. Windows belong to the GUI
// thread that made them and the framework runs on that one thread, so the map
// takes no lock.
//
// Permanent entries are made when an object is bound to its window (at
// creation, by SubclassWindow or Attach) and removed when it is unbound
// (Detach, or the window's WM_NCDESTROY) - always in pairs. Temporary objects
// stand for handles no object owns (FromHandle of a foreign window); they
// receive no messages and are swept once their window is gone.
//
// Retired entries remember the object a window was handed over from
// (CWnd::CloseDetached) until that window is destroyed, or the object goes
// first; the object then hears that its old window has gone.
#pragma once

#include "Afx.h"

class CWnd;

class CHandleMap {
public:
    static CWnd* LookupPermanent(HWND hwnd);
    static void SetPermanent(HWND hwnd, CWnd* wnd);
    static void RemovePermanent(HWND hwnd);
    static size_t PermanentCount();

    // A temporary object for a handle that has no permanent one.
    static CWnd* LookupTemporary(HWND hwnd);
    static void DeleteTemporaries();

    static void SetRetired(HWND hwnd, CWnd* wnd);
    // Removes the entry of `hwnd` and returns its object, or null.
    static CWnd* TakeRetired(HWND hwnd);
    // Removes every entry of an object that is going away.
    static void ForgetRetired(CWnd* wnd);
};
