// The ActiveX controls hosted by one window. The container holds one
// reference to each control's site and tears them all down, in creation
// order, when its window is destroyed (WM_DESTROY, while the controls'
// windows still exist) or, for a window that was detached instead, when
// the window object goes.
#pragma once

#include "Afx.h"

#include <vector>

class COleControlSite;
class CWnd;

// Lets dialogs create the ActiveX items of their templates (and CWnd
// objects create controls). Call once at start-up.
void AFXAPI AfxEnableControlContainer();
bool AfxControlContainerEnabled();
// OLE on the GUI thread: started with the first container, ended by the
// program's entry after the application object has finished.
void AfxOleEnsureInitialized();
void AfxOleTerm();

class COleControlContainer {
public:
    explicit COleControlContainer(CWnd* pWnd);
    ~COleControlContainer();
    COleControlContainer(const COleControlContainer&) = delete;
    COleControlContainer& operator=(const COleControlContainer&) = delete;

    // Creates a control through a site the window makes
    // (CWnd::CreateControlSite); null on failure.
    COleControlSite* CreateControl(REFCLSID clsid, const RECT& rect, UINT nID, DWORD dwStyle,
                                   const BYTE* state = nullptr, size_t stateSize = 0);
    COleControlSite* FindSite(UINT nID) const;
    COleControlSite* FindSiteForWindow(HWND hwnd) const;
    // Gives the control that has the keyboard its first look at a key.
    BOOL PreTranslateMessage(MSG* pMsg);
    // Closes every control and lets go of its site.
    void Teardown();

    HWND Window() const;

private:
    CWnd* m_pWnd;
    std::vector<COleControlSite*> m_sites;
};
