#include "CDataExchange.h"

#include "COleControlContainer.h"

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND control = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
    if (!control)
        Fail();
    return control;
}

void CDataExchange::Fail()
{
    throw CUserException();
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;   // bound by an earlier exchange
    HWND control = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(control))
        pDX->Fail();
    // An ActiveX control: the wrapper talks to it through its site.
    if (pDX->m_pDlgWnd->m_pCtrlCont)
        rControl.m_pCtrlSite = pDX->m_pDlgWnd->m_pCtrlCont->FindSite(static_cast<UINT>(nIDC));
}
