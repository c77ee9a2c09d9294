#include "COleControlSite.h"

#include "CCmdTarget.h"
#include "COleControlContainer.h"
#include "CWnd.h"

#include <olectl.h>

#include <cstring>
#include <vector>

// ---------------------------------------------------------------------------
// Parts

struct COleControlSite::ClientSite final : Part<IOleClientSite> {
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** ppmk) override
    {
        if (ppmk) *ppmk = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** ppContainer) override
    {
        if (ppContainer) *ppContainer = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
};

struct COleControlSite::InPlaceSite final : Part<IOleInPlaceSite> {
    STDMETHODIMP GetWindow(HWND* phwnd) override
    {
        if (!phwnd) return E_POINTER;
        *phwnd = site->ContainerWindow();
        return *phwnd ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                  LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) override
    {
        if (!ppFrame || !ppDoc || !lprcPosRect || !lprcClipRect || !lpFrameInfo) return E_POINTER;
        *ppFrame = reinterpret_cast<IOleInPlaceFrame*>(site->m_frame);
        (*ppFrame)->AddRef();
        *ppDoc = nullptr;
        *lprcPosRect = site->m_rect;
        GetClientRect(site->ContainerWindow(), lprcClipRect);
        lpFrameInfo->fMDIApp = FALSE;
        lpFrameInfo->hwndFrame = site->ContainerWindow();
        lpFrameInfo->haccel = nullptr;
        lpFrameInfo->cAccelEntries = 0;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override
    {
        site->m_pActiveObject.Reset();
        return S_OK;
    }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT lprcPosRect) override
    {
        if (!lprcPosRect) return E_POINTER;
        site->m_rect = *lprcPosRect;
        if (site->m_pInPlaceObject) {
            RECT clip;
            GetClientRect(site->ContainerWindow(), &clip);
            site->m_pInPlaceObject->SetObjectRects(lprcPosRect, &clip);
        }
        return S_OK;
    }
};

struct COleControlSite::ControlSite final : Part<IOleControlSite> {
    STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
    STDMETHODIMP GetExtendedControl(IDispatch** ppDisp) override
    {
        if (ppDisp) *ppDisp = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP TransformCoords(POINTL* pPtlHimetric, POINTF* pPtfContainer, DWORD dwFlags) override
    {
        if (!pPtlHimetric || !pPtfContainer) return E_POINTER;
        // The container's units are pixels.
        HDC screen = GetDC(nullptr);
        int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        if (dwFlags & XFORMCOORDS_HIMETRICTOCONTAINER) {
            pPtfContainer->x = static_cast<float>(pPtlHimetric->x) * dpiX / 2540.0f;
            pPtfContainer->y = static_cast<float>(pPtlHimetric->y) * dpiY / 2540.0f;
        } else {
            pPtlHimetric->x = static_cast<LONG>(pPtfContainer->x * 2540.0f / dpiX + 0.5f);
            pPtlHimetric->y = static_cast<LONG>(pPtfContainer->y * 2540.0f / dpiY + 0.5f);
        }
        return S_OK;
    }
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
    STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }
};

struct COleControlSite::InPlaceFrame final : Part<IOleInPlaceFrame> {
    STDMETHODIMP GetWindow(HWND* phwnd) override
    {
        if (!phwnd) return E_POINTER;
        *phwnd = site->ContainerWindow();
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR) override
    {
        // The object that gets first look at keys for the control.
        site->m_pActiveObject = ComPtr<IOleInPlaceActiveObject>(pActiveObject);
        return S_OK;
    }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }
};

// Ambient properties: the control is in user mode (not being designed); the
// rest take their defaults.
struct COleControlSite::Ambient final : Part<IDispatch> {
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override
    {
        if (pctinfo) *pctinfo = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo) *ppTInfo = nullptr;
        return DISP_E_BADINDEX;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT cNames, LCID, DISPID* rgDispId) override
    {
        for (UINT i = 0; i < cNames; ++i) rgDispId[i] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS*, VARIANT* pVarResult,
                        EXCEPINFO*, UINT*) override
    {
        if (!(wFlags & DISPATCH_PROPERTYGET) || !pVarResult) return DISP_E_MEMBERNOTFOUND;
        switch (dispIdMember) {
        case DISPID_AMBIENT_USERMODE:
            V_VT(pVarResult) = VT_BOOL;
            V_BOOL(pVarResult) = VARIANT_TRUE;
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }
};

// ---------------------------------------------------------------------------

COleControlSite::COleControlSite(COleControlContainer* container, UINT id)
    : m_nID(id), m_pCtrlCont(container),
      m_clientSite(new ClientSite), m_inPlaceSite(new InPlaceSite), m_controlSite(new ControlSite),
      m_frame(new InPlaceFrame), m_ambient(new Ambient)
{
    m_clientSite->site = this;
    m_inPlaceSite->site = this;
    m_controlSite->site = this;
    m_frame->site = this;
    m_ambient->site = this;
}

COleControlSite::~COleControlSite()
{
    delete m_clientSite;
    delete m_inPlaceSite;
    delete m_controlSite;
    delete m_frame;
    delete m_ambient;
}

ULONG COleControlSite::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_refs));
}

ULONG COleControlSite::Release()
{
    LONG n = InterlockedDecrement(&m_refs);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

HRESULT COleControlSite::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
        *ppv = static_cast<IOleClientSite*>(m_clientSite);
    else if (IsEqualIID(riid, IID_IOleInPlaceSite) || IsEqualIID(riid, IID_IOleWindow))
        *ppv = static_cast<IOleInPlaceSite*>(m_inPlaceSite);
    else if (IsEqualIID(riid, IID_IOleControlSite))
        *ppv = static_cast<IOleControlSite*>(m_controlSite);
    else if (IsEqualIID(riid, IID_IOleInPlaceFrame) || IsEqualIID(riid, IID_IOleInPlaceUIWindow))
        *ppv = static_cast<IOleInPlaceFrame*>(m_frame);
    else if (IsEqualIID(riid, IID_IDispatch))
        *ppv = static_cast<IDispatch*>(m_ambient);
    else
        return QueryExtraInterface(riid, ppv);
    AddRef();
    return S_OK;
}

HRESULT COleControlSite::QueryExtraInterface(REFIID, void** ppv)
{
    *ppv = nullptr;
    return E_NOINTERFACE;
}

IOleClientSite* COleControlSite::ClientSitePart()
{
    return m_clientSite;
}

HWND COleControlSite::ContainerWindow() const
{
    return m_pCtrlCont ? m_pCtrlCont->Window() : nullptr;
}

HRESULT COleControlSite::CreateControl(REFCLSID clsid, const RECT& rect, DWORD style, const BYTE* state,
                                       size_t stateSize)
{
    m_rect = rect;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER, IID_IOleObject,
                                  m_pObject.OutVoid());
    if (FAILED(hr))
        return hr;

    DWORD misc = 0;
    m_pObject->GetMiscStatus(DVASPECT_CONTENT, &misc);
    if (misc & OLEMISC_SETCLIENTSITEFIRST)
        m_pObject->SetClientSite(ClientSitePart());

    // The stored state; a control that refuses it starts fresh.
    if (ComPtr<IPersistStreamInit> persist = QueryControl<IPersistStreamInit>(IID_IPersistStreamInit)) {
        bool loaded = false;
        if (state && stateSize) {
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, stateSize);
            if (block) {
                std::memcpy(GlobalLock(block), state, stateSize);
                GlobalUnlock(block);
                ComPtr<IStream> stream;
                if (SUCCEEDED(CreateStreamOnHGlobal(block, TRUE, stream.Out())))
                    loaded = SUCCEEDED(persist->Load(stream.Get()));
                else
                    GlobalFree(block);
            }
        }
        if (!loaded)
            persist->InitNew();
    }
    if (!(misc & OLEMISC_SETCLIENTSITEFIRST))
        m_pObject->SetClientSite(ClientSitePart());

    // Its extent in HIMETRIC.
    HDC screen = GetDC(nullptr);
    SIZEL extent = {MulDiv(rect.right - rect.left, 2540, GetDeviceCaps(screen, LOGPIXELSX)),
                    MulDiv(rect.bottom - rect.top, 2540, GetDeviceCaps(screen, LOGPIXELSY))};
    ReleaseDC(nullptr, screen);
    m_pObject->SetExtent(DVASPECT_CONTENT, &extent);

    RECT pos = rect;
    hr = m_pObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, ClientSitePart(), 0, ContainerWindow(), &pos);
    m_pInPlaceObject = QueryControl<IOleInPlaceObject>(IID_IOleInPlaceObject);
    if (m_pInPlaceObject)
        m_pInPlaceObject->GetWindow(&m_hWnd);
    if (!m_hWnd)
        return FAILED(hr) ? hr : E_FAIL;

    // Reachable as the dialog's child with the item's id.
    SetWindowLongPtrW(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(m_nID));
    ShowWindow(m_hWnd, (style & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE);
    if (!m_pActiveObject)
        m_pActiveObject = QueryControl<IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject);
    return S_OK;
}

void COleControlSite::Close()
{
    if (m_closed)
        return;
    m_closed = true;
    if (m_pInPlaceObject) {
        m_pInPlaceObject->InPlaceDeactivate();
        m_pInPlaceObject->UIDeactivate();
    }
    m_pActiveObject.Reset();
    m_pInPlaceObject.Reset();
    if (m_pObject) {
        m_pObject->SetClientSite(nullptr);
        m_pObject->Close(OLECLOSE_NOSAVE);
        m_pObject.Reset();
    }
    m_hWnd = nullptr;
}

BOOL COleControlSite::PreTranslateMessage(MSG* pMsg)
{
    if (!m_pActiveObject || !m_hWnd)
        return FALSE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return m_pActiveObject->TranslateAccelerator(pMsg) == S_OK;
}

COleControlSite* COleControlSite::FromWindow(HWND hwnd)
{
    HWND parent = hwnd ? GetParent(hwnd) : nullptr;
    CWnd* container = CWnd::FromHandlePermanent(parent);
    if (!container || !container->m_pCtrlCont)
        return nullptr;
    return container->m_pCtrlCont->FindSiteForWindow(hwnd);
}

// ---------------------------------------------------------------------------
// Calls on the control

namespace {

struct Arguments {
    std::vector<VARIANT> values;   // in call order
    ~Arguments()
    {
        for (VARIANT& v : values) VariantClear(&v);
    }
};

void ThrowFailure(HRESULT hr, const EXCEPINFO& excep)
{
    static wchar_t text[256];
    lstrcpynW(text, excep.bstrDescription ? excep.bstrDescription : L"", 256);
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrHelpFile);
    throw COleDispatchException{hr == DISP_E_EXCEPTION && excep.scode ? excep.scode : hr, text};
}

// The variant for one argument, or a failure when its kind does not fit the
// parameter's type code.
HRESULT MakeArgument(BYTE type, const CInvokeArg& arg, VARIANT& v)
{
    const CInvokeArg::Kind kind = arg.GetKind();
    const bool integer = kind == CInvokeArg::Integer, null = kind == CInvokeArg::Null;
    switch (type) {
    case VT_I2:
        if (!integer) break;
        V_VT(&v) = VT_I2;
        V_I2(&v) = static_cast<SHORT>(arg.GetInteger());
        return S_OK;
    case VT_I4:
        if (!integer) break;
        V_VT(&v) = VT_I4;
        V_I4(&v) = arg.GetInteger();
        return S_OK;
    case VT_BOOL:
        if (!integer) break;
        V_VT(&v) = VT_BOOL;
        V_BOOL(&v) = arg.GetInteger() ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    case VT_R8:
        if (!integer && kind != CInvokeArg::Real) break;
        V_VT(&v) = VT_R8;
        V_R8(&v) = arg.GetReal();
        return S_OK;
    case VT_BSTR:
        if (kind != CInvokeArg::Text && !null) break;
        V_VT(&v) = VT_BSTR;
        V_BSTR(&v) = null ? nullptr : SysAllocString(arg.GetText());
        return null || V_BSTR(&v) ? S_OK : E_OUTOFMEMORY;
    case VT_DISPATCH:
        if (kind != CInvokeArg::Dispatch && !null) break;
        V_VT(&v) = VT_DISPATCH;
        V_DISPATCH(&v) = arg.GetDispatch();
        if (V_DISPATCH(&v)) V_DISPATCH(&v)->AddRef();
        return S_OK;
    case VT_VARIANT:
        if (kind != CInvokeArg::VariantRef && !null) break;
        return null ? S_OK : VariantCopy(&v, arg.GetVariant());
    case VT_VARIANT | 0x40:   // VTS_PVARIANT
        if (kind != CInvokeArg::VariantRef && !null) break;
        if (null) {
            // A null reference is an optional argument left out.
            V_VT(&v) = VT_ERROR;
            V_ERROR(&v) = DISP_E_PARAMNOTFOUND;
        } else {
            V_VT(&v) = VT_VARIANT | VT_BYREF;
            V_VARIANTREF(&v) = arg.GetVariant();
        }
        return S_OK;
    default:
        return DISP_E_BADVARTYPE;
    }
    return DISP_E_TYPEMISMATCH;
}

}  // namespace

void COleControlSite::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                   const BYTE* pbParamInfo, const CInvokeArg* args, size_t count)
{
    const size_t declared = pbParamInfo ? strlen(reinterpret_cast<const char*>(pbParamInfo)) : 0;
    if (count != declared)
        throw COleDispatchException{DISP_E_BADPARAMCOUNT, L"the arguments do not match the parameter types"};
    ComPtr<IDispatch> dispatch = QueryControl<IDispatch>(IID_IDispatch);
    if (!dispatch)
        throw COleDispatchException{E_NOINTERFACE, L"the control has no IDispatch"};

    Arguments values;
    for (size_t i = 0; i < count; ++i) {
        VARIANT v;
        VariantInit(&v);
        HRESULT hr = MakeArgument(pbParamInfo[i], args[i], v);
        if (FAILED(hr)) {
            VariantClear(&v);
            throw COleDispatchException{hr, hr == DISP_E_TYPEMISMATCH ? L"an argument does not fit its parameter type"
                                                                       : L"unsupported parameter type"};
        }
        values.values.push_back(v);
    }

    // DISPPARAMS wants them last first.
    std::vector<VARIANT> reversed(values.values.rbegin(), values.values.rend());
    DISPPARAMS params = {};
    params.cArgs = static_cast<UINT>(reversed.size());
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    DISPID putId = DISPID_PROPERTYPUT;
    if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.cNamedArgs = 1;
        params.rgdispidNamedArgs = &putId;
    }
    ScopedVariant result;
    EXCEPINFO excep = {};
    UINT argErr = 0;
    HRESULT hr = dispatch->Invoke(dwDispID, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params,
                                  vtRet == VT_EMPTY ? nullptr : &result, &excep, &argErr);
    if (FAILED(hr))
        ThrowFailure(hr, excep);
    if (vtRet == VT_EMPTY || !pvRet)
        return;
    if (vtRet == VT_VARIANT) {
        VariantCopy(static_cast<VARIANT*>(pvRet), &result);
        return;
    }
    hr = VariantChangeType(&result, &result, 0, vtRet);
    if (FAILED(hr))
        ThrowFailure(hr, EXCEPINFO{});
    switch (vtRet) {
    case VT_I2: *static_cast<short*>(pvRet) = V_I2(&result); break;
    case VT_I4: *static_cast<long*>(pvRet) = V_I4(&result); break;
    case VT_R8: *static_cast<double*>(pvRet) = V_R8(&result); break;
    case VT_BOOL: *static_cast<BOOL*>(pvRet) = V_BOOL(&result) != VARIANT_FALSE; break;
    case VT_BSTR: *static_cast<BSTR*>(pvRet) = V_BSTR(&result); V_VT(&result) = VT_EMPTY; break;
    case VT_DISPATCH: *static_cast<IDispatch**>(pvRet) = V_DISPATCH(&result); V_VT(&result) = VT_EMPTY; break;
    default: break;
    }
}
