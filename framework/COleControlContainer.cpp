#include "COleControlContainer.h"

#include "COleControlSite.h"
#include "CWnd.h"

namespace {
bool g_enabled = false;
bool g_oleStarted = false;
}

void AfxOleEnsureInitialized()
{
    // A thread that already runs OLE (or COM) answers S_FALSE; it is counted
    // all the same and must be balanced.
    if (!g_oleStarted && SUCCEEDED(OleInitialize(nullptr)))
        g_oleStarted = true;
}

void AfxOleTerm()
{
    if (g_oleStarted) {
        g_oleStarted = false;
        OleUninitialize();
    }
}

void AFXAPI AfxEnableControlContainer()
{
    g_enabled = true;
}

bool AfxControlContainerEnabled()
{
    return g_enabled;
}

COleControlContainer::COleControlContainer(CWnd* pWnd) : m_pWnd(pWnd)
{
    AfxOleEnsureInitialized();
}

COleControlContainer::~COleControlContainer()
{
    Teardown();
}

HWND COleControlContainer::Window() const
{
    return m_pWnd ? m_pWnd->m_hWnd : nullptr;
}

COleControlSite* COleControlContainer::CreateControl(REFCLSID clsid, const RECT& rect, UINT nID, DWORD dwStyle,
                                                     const BYTE* state, size_t stateSize)
{
    COleControlSite* site = m_pWnd ? m_pWnd->CreateControlSite(this, nID, clsid) : nullptr;
    if (!site)
        return nullptr;
    if (FAILED(site->CreateControl(clsid, rect, dwStyle, state, stateSize))) {
        site->Close();
        site->Release();
        return nullptr;
    }
    m_sites.push_back(site);
    return site;
}

COleControlSite* COleControlContainer::FindSite(UINT nID) const
{
    for (COleControlSite* site : m_sites)
        if (site->m_nID == nID)
            return site;
    return nullptr;
}

COleControlSite* COleControlContainer::FindSiteForWindow(HWND hwnd) const
{
    for (COleControlSite* site : m_sites)
        if (site->m_hWnd == hwnd)
            return site;
    return nullptr;
}

BOOL COleControlContainer::PreTranslateMessage(MSG* pMsg)
{
    for (COleControlSite* site : m_sites)
        if (site->PreTranslateMessage(pMsg))
            return TRUE;
    return FALSE;
}

void COleControlContainer::Teardown()
{
    std::vector<COleControlSite*> sites;
    sites.swap(m_sites);
    for (COleControlSite* site : sites) {
        // Wrappers bound to the control stop using the site now.
        if (CWnd* wrapper = CWnd::FromHandlePermanent(site->m_hWnd))
            if (wrapper->m_pCtrlSite == site) wrapper->m_pCtrlSite = nullptr;
        site->Close();
        site->Release();
    }
}
