// A dialog that hosts web content. Its own browser (control id 102) fills the
// client area and starts on an HTML resource of the executable; any browser
// control in the template is hosted too. The dialog can offer an automation
// object to its pages as window.external.
#pragma once

#include "CDialog.h"
#include "ScopedWin.h"

#include <exdisp.h>

#define AFX_IDC_BROWSER 102

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
    // is asked first; without it, only pages of the local machine zone may.
    virtual BOOL CanAccessExternal();
    virtual BOOL IsExternalDispatchSafe();

    // Navigates the dialog's own browser.
    void Navigate(LPCWSTR lpszURL, DWORD dwFlags = 0, LPCWSTR lpszTargetFrameName = nullptr,
                  LPCWSTR lpszHeaders = nullptr, LPVOID lpvPostData = nullptr, DWORD dwPostDataLen = 0);

    // The dialog's own browser, once OnInitDialog has made it.
    IWebBrowser2* Browser() const { return m_pBrowserApp.Get(); }
    CString m_strCurrentUrl;

protected:
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();

    UINT m_nHtmlResID = 0;
    ComPtr<IWebBrowser2> m_pBrowserApp;
    CWnd m_wndBrowser;
    ComPtr<IDispatch> m_spExternalDisp;

    DECLARE_MESSAGE_MAP()
};
