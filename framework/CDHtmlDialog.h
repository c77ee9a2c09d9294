// A dialog that hosts web content. Its own browser (control id 102) fills
// the client area and starts on an HTML resource of the executable
// ("res://<exe path>/<id>"); browser controls in the template are hosted too,
// all with sites that ask this dialog for their host settings and for
// window.external.
#pragma once

#include "CDialog.h"
#include "CWebBrowser2.h"
#include "ScopedWin.h"

#include <exdisp.h>

#define AFX_IDC_BROWSER 102

// DHTML event maps: the element events a dialog handles. The system's
// dialogs handle none, so a map holds only its end.
struct AFX_DHTML_EVENT_MAP_ENTRY {
    const wchar_t* szName;
};
#define DECLARE_DHTML_EVENT_MAP() \
protected:                        \
    static const AFX_DHTML_EVENT_MAP_ENTRY* GetDHtmlEventMap();
#define BEGIN_DHTML_EVENT_MAP(theClass) \
    const AFX_DHTML_EVENT_MAP_ENTRY* theClass::GetDHtmlEventMap() { static const AFX_DHTML_EVENT_MAP_ENTRY entries[] = {
#define END_DHTML_EVENT_MAP() {nullptr}}; return entries; }

class CDHtmlDialog : public CDialog {
public:
    CDHtmlDialog();
    CDHtmlDialog(UINT nIDTemplate, UINT nHtmlResID = 0, CWnd* pParentWnd = nullptr);
    ~CDHtmlDialog() override;

    BOOL OnInitDialog() override;

    // The object the dialog's pages get as window.external (null: none).
    void SetExternalDispatch(IDispatch* pdispExternal);
    IDispatch* GetExternalDispatch() const { return m_spExternalDisp.Get(); }
    // Whether a page may have the external object. IsExternalDispatchSafe
    // is asked first; without it, only a page of the local machine zone
    // shown in the dialog's own browser may.
    virtual BOOL CanAccessExternal();
    virtual BOOL IsExternalDispatchSafe();
    // What the browser's host asks for: the external object (S_FALSE and
    // null when there is none or it may not be had) and the host flags.
    HRESULT GetExternal(IDispatch** ppDispatch);
    DWORD GetHostFlags() const { return m_dwHostFlags; }

    // Navigates the dialog's own browser (and remembers the address in
    // m_strCurrentUrl).
    void Navigate(LPCWSTR lpszURL, DWORD dwFlags = 0, LPCWSTR lpszTargetFrameName = nullptr,
                  LPCWSTR lpszHeaders = nullptr, LPVOID lpvPostData = nullptr, DWORD dwPostDataLen = 0);

    // The dialog's own browser, once OnInitDialog has made it.
    IWebBrowser2* Browser() const { return m_pBrowserApp.Get(); }
    CString m_strCurrentUrl;

    COleControlSite* CreateControlSite(COleControlContainer* pContainer, UINT nID, REFCLSID clsid) override;

protected:
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    void ReleaseWindowResources() override;

    UINT m_nHtmlResID = 0;
    // No 3-D border, no scroll bars.
    DWORD m_dwHostFlags = 0x0C;
    ComPtr<IWebBrowser2> m_pBrowserApp;
    CWebBrowser2 m_wndBrowser;
    ComPtr<IDispatch> m_spExternalDisp;

    DECLARE_MESSAGE_MAP()
};
