#include "CDHtmlDialog.h"

CDHtmlDialog::CDHtmlDialog() = default;

CDHtmlDialog::CDHtmlDialog(UINT nIDTemplate, UINT nHtmlResID, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_nHtmlResID(nHtmlResID)
{
}

CDHtmlDialog::~CDHtmlDialog() = default;

BOOL CDHtmlDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
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
    return IsExternalDispatchSafe();
}

void CDHtmlDialog::Navigate(LPCWSTR, DWORD, LPCWSTR, LPCWSTR, LPVOID, DWORD)
{
}

void CDHtmlDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (m_wndBrowser.m_hWnd)
        m_wndBrowser.MoveWindow(0, 0, cx, cy, TRUE);
}

void CDHtmlDialog::OnDestroy()
{
    m_pBrowserApp.Reset();
    CDialog::OnDestroy();
}

BEGIN_MESSAGE_MAP(CDHtmlDialog, CDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()
