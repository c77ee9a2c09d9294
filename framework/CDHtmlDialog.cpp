#include "CDHtmlDialog.h"

#include "AppState.h"
#include "CDHtmlControlSite.h"
#include "COleControlSite.h"

#include <urlmon.h>

CDHtmlDialog::CDHtmlDialog() = default;

CDHtmlDialog::CDHtmlDialog(UINT nIDTemplate, UINT nHtmlResID, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_nHtmlResID(nHtmlResID)
{
}

CDHtmlDialog::~CDHtmlDialog() = default;

COleControlSite* CDHtmlDialog::CreateControlSite(COleControlContainer* pContainer, UINT nID, REFCLSID)
{
    return new CDHtmlControlSite(pContainer, nID, this);
}

BOOL CDHtmlDialog::OnInitDialog()
{
    CDialog::OnInitDialog();

    // The template's own browser 102, or one made over the client area.
    if (HWND existing = ::GetDlgItem(m_hWnd, AFX_IDC_BROWSER)) {
        m_wndBrowser.SubclassWindow(existing);
        m_wndBrowser.m_pCtrlSite = COleControlSite::FromWindow(existing);
    } else {
        RECT client;
        GetClientRect(&client);
        m_wndBrowser.CreateControl(CLSID_WebBrowser, nullptr, WS_CHILD | WS_VISIBLE, client, this, AFX_IDC_BROWSER);
    }
    if (m_wndBrowser.m_pCtrlSite)
        m_pBrowserApp = m_wndBrowser.m_pCtrlSite->QueryControl<IWebBrowser2>(IID_IWebBrowser2);
    if (!m_pBrowserApp) {
        // A dialog made to show pages is no use without its browser.
        OutputDebugStringA("Selvane: the HTML dialog's browser could not be created\n");
        DestroyWindow();
        return FALSE;
    }

    if (m_nHtmlResID) {
        CString url;
        url.Format(L"res://%s/%d", AfxGetModuleFileName().GetString(), m_nHtmlResID);
        Navigate(url);
    }
    return TRUE;
}

void CDHtmlDialog::SetExternalDispatch(IDispatch* pdispExternal)
{
    m_spExternalDisp = ComPtr<IDispatch>(pdispExternal);
}

BOOL CDHtmlDialog::IsExternalDispatchSafe()
{
    return FALSE;
}

BOOL CDHtmlDialog::CanAccessExternal()
{
    if (IsExternalDispatchSafe())
        return TRUE;
    if (!m_pBrowserApp)
        return FALSE;
    ScopedBstr location;
    if (FAILED(m_pBrowserApp->get_LocationURL(location.Out())) || !location.Get())
        return FALSE;
    ComPtr<IInternetSecurityManager> security;
    if (FAILED(CoInternetCreateSecurityManager(nullptr, security.Out(), 0)))
        return FALSE;
    DWORD zone = URLZONE_INVALID;
    return SUCCEEDED(security->MapUrlToZone(location.Get(), &zone, 0)) && zone == URLZONE_LOCAL_MACHINE;
}

HRESULT CDHtmlDialog::GetExternal(IDispatch** ppDispatch)
{
    *ppDispatch = nullptr;
    if (!m_spExternalDisp || !CanAccessExternal())
        return S_FALSE;
    *ppDispatch = m_spExternalDisp.Get();
    (*ppDispatch)->AddRef();
    return S_OK;
}

void CDHtmlDialog::Navigate(LPCWSTR lpszURL, DWORD dwFlags, LPCWSTR lpszTargetFrameName, LPCWSTR lpszHeaders,
                            LPVOID lpvPostData, DWORD dwPostDataLen)
{
    if (!m_pBrowserApp || !lpszURL)
        return;
    m_strCurrentUrl = lpszURL;
    ScopedVariant flags, target, postData, headers;
    V_VT(&flags) = VT_I4;
    V_I4(&flags) = static_cast<LONG>(dwFlags);
    if (lpszTargetFrameName) {
        V_VT(&target) = VT_BSTR;
        V_BSTR(&target) = SysAllocString(lpszTargetFrameName);
    }
    if (lpszHeaders) {
        V_VT(&headers) = VT_BSTR;
        V_BSTR(&headers) = SysAllocString(lpszHeaders);
    }
    if (lpvPostData && dwPostDataLen) {
        SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, dwPostDataLen);
        if (array) {
            void* data = nullptr;
            SafeArrayAccessData(array, &data);
            memcpy(data, lpvPostData, dwPostDataLen);
            SafeArrayUnaccessData(array);
            V_VT(&postData) = VT_ARRAY | VT_UI1;
            V_ARRAY(&postData) = array;
        }
    }
    m_wndBrowser.Navigate(lpszURL, &flags, &target, &postData, &headers);
}

void CDHtmlDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    // The page is drawn anew at its new size: nothing of the old picture is
    // worth copying (and under Wine, copying a visible child's bits on a
    // resize can wait for ever on an X exposure event that never comes).
    if (m_wndBrowser.m_hWnd)
        m_wndBrowser.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

void CDHtmlDialog::ReleaseWindowResources()
{
    m_pBrowserApp.Reset();
    m_spExternalDisp.Reset();
    CDialog::ReleaseWindowResources();
}

void CDHtmlDialog::OnDestroy()
{
    // The browser's interfaces go first; the container then closes the
    // control itself.
    m_pBrowserApp.Reset();
    CDialog::OnDestroy();
}

BEGIN_MESSAGE_MAP(CDHtmlDialog, CDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()
