#include "CCmdTargetDispatch.h"

#include "CCmdTarget.h"

STDMETHODIMP CCmdTargetDispatch::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CCmdTargetDispatch::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_refs));
}

STDMETHODIMP_(ULONG) CCmdTargetDispatch::Release()
{
    LONG n = InterlockedDecrement(&m_refs);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

STDMETHODIMP CCmdTargetDispatch::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo) return E_POINTER;
    *pctinfo = 0;   // names resolve through the dispatch map alone
    return S_OK;
}

STDMETHODIMP CCmdTargetDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo) *ppTInfo = nullptr;
    return DISP_E_BADINDEX;
}

STDMETHODIMP CCmdTargetDispatch::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId)
{
    if (!rgszNames || !rgDispId) return E_POINTER;
    if (!m_target) return RPC_E_DISCONNECTED;
    try {
        HRESULT hr = cNames ? m_target->GetDispIdOfName(rgszNames[0], &rgDispId[0]) : E_INVALIDARG;
        // Members take no named arguments.
        for (UINT i = 1; i < cNames; ++i) {
            rgDispId[i] = DISPID_UNKNOWN;
            hr = DISP_E_UNKNOWNNAME;
        }
        return hr;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CCmdTargetDispatch::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* pDispParams,
                                        VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    if (!m_target) return RPC_E_DISCONNECTED;
    // The target may go away during the call (a member that ends its
    // window); keep this object alive until the call returns.
    AddRef();
    HRESULT hr;
    try {
        hr = m_target->InvokeDispatchMember(dispIdMember, wFlags, pDispParams, pVarResult, pExcepInfo, puArgErr);
    } catch (...) {
        hr = E_UNEXPECTED;
    }
    Release();
    return hr;
}
