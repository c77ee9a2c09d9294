#include "CDHtmlControlSite.h"

#include "CDHtmlDialog.h"

struct CDHtmlControlSite::HostUIHandler final : COleControlSite::Part<IDocHostUIHandler> {
    CDHtmlDialog* dialog;

    STDMETHODIMP ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override
    {
        return S_FALSE;   // the browser's own menu
    }
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* pInfo) override
    {
        if (!pInfo) return E_POINTER;
        pInfo->dwFlags = dialog ? dialog->GetHostFlags() : 0;
        pInfo->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
        return S_OK;
    }
    STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                        IOleInPlaceUIWindow*) override
    {
        return S_FALSE;
    }
    STDMETHODIMP HideUI() override { return S_OK; }
    STDMETHODIMP UpdateUI() override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return S_FALSE; }
    STDMETHODIMP GetOptionKeyPath(LPOLESTR* pchKey, DWORD) override
    {
        if (pchKey) *pchKey = nullptr;
        return S_FALSE;
    }
    STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget** ppDropTarget) override
    {
        if (ppDropTarget) *ppDropTarget = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetExternal(IDispatch** ppDispatch) override
    {
        if (!ppDispatch) return E_POINTER;
        *ppDispatch = nullptr;
        try {
            return dialog ? dialog->GetExternal(ppDispatch) : S_FALSE;
        } catch (...) {
            return E_UNEXPECTED;
        }
    }
    STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR* ppchURLOut) override
    {
        if (ppchURLOut) *ppchURLOut = nullptr;
        return S_FALSE;
    }
    STDMETHODIMP FilterDataObject(IDataObject*, IDataObject** ppDORet) override
    {
        if (ppDORet) *ppDORet = nullptr;
        return S_FALSE;
    }
};

CDHtmlControlSite::CDHtmlControlSite(COleControlContainer* container, UINT id, CDHtmlDialog* dialog)
    : COleControlSite(container, id), m_hostUI(new HostUIHandler), m_pDialog(dialog)
{
    m_hostUI->site = this;
    m_hostUI->dialog = dialog;
}

CDHtmlControlSite::~CDHtmlControlSite()
{
    delete m_hostUI;
}

void CDHtmlControlSite::Close()
{
    m_hostUI->dialog = nullptr;
    m_pDialog = nullptr;
    COleControlSite::Close();
}

HRESULT CDHtmlControlSite::QueryExtraInterface(REFIID riid, void** ppv)
{
    if (IsEqualIID(riid, IID_IDocHostUIHandler)) {
        *ppv = static_cast<IDocHostUIHandler*>(m_hostUI);
        AddRef();
        return S_OK;
    }
    return COleControlSite::QueryExtraInterface(riid, ppv);
}
