// A window object for an embedded WebBrowser control: typed calls of the
// control's automation members. It holds no state of its own; without a
// control (never bound, or detached) every call does nothing. Every window
// that shows web pages drives its browser through it: the launcher's panel
// binds one to its template's control, an HTML dialog keeps one for the
// browser it makes itself.
#pragma once

#include "CWnd.h"

class CWebBrowser2 : public CWnd {
public:
    CWebBrowser2() = default;
    ~CWebBrowser2() override = default;

    // Creates the WebBrowser control (class name and context are ignored).
    BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, void* pContext = nullptr) override;

    // Starts loading URL and returns at once. The other arguments are
    // optional: null leaves them out.
    void Navigate(LPCWSTR URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData, VARIANT* Headers);
    // Asks the control to show no dialog boxes of its own.
    void SetSilent(BOOL bNewValue);
    // The address of the page shown (or being loaded); empty without one.
    CString GetLocationURL();
};
