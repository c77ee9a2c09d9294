// The container's side of one hosted ActiveX control.
//
// One COM object per control, owning its reference count; each interface the
// control asks its container for is a thin part that forwards to it:
// IOleClientSite, IOleInPlaceSite, IOleControlSite, IOleInPlaceFrame (with
// IOleInPlaceUIWindow), and an IDispatch for ambient properties. Subclasses
// add interfaces through QueryExtraInterface (the HTML dialog's site adds
// IDocHostUIHandler).
//
// Teardown (Close) runs in this order, and after it the control holds no
// reference to the site: InPlaceDeactivate, UIDeactivate, SetClientSite(null),
// Close(OLECLOSE_NOSAVE), then the control's interfaces are released. The
// site never advises the control, so there is nothing to unadvise.
#pragma once

#include "CInvokeArg.h"
#include "ScopedWin.h"

#include <ocidl.h>

class COleControlContainer;

class COleControlSite {
public:
    COleControlSite(COleControlContainer* container, UINT id);
    COleControlSite(const COleControlSite&) = delete;
    COleControlSite& operator=(const COleControlSite&) = delete;

    // COM identity of the whole site.
    ULONG AddRef();
    ULONG Release();
    HRESULT QueryInterface(REFIID riid, void** ppv);

    // Creates the control at `rect` (pixels, in the container window),
    // initialises it from `state` (its stored stream; InitNew when there is
    // none or the control refuses it) and activates it in place.
    HRESULT CreateControl(REFCLSID clsid, const RECT& rect, DWORD style, const BYTE* state, size_t stateSize);
    // Deactivates and closes the control (see above). Idempotent.
    virtual void Close();

    // An IDispatch call on the control. `args` holds one argument per VTS_
    // code in pbParamInfo, each of a matching kind; a mismatch, and a failure
    // the control reports, are thrown as COleDispatchException.
    void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo,
                      const CInvokeArg* args, size_t count);

    // Offers a keyboard message inside the control to its in-place active
    // object (Tab, clipboard keys); true when the control took it.
    BOOL PreTranslateMessage(MSG* pMsg);

    // The control's window, or null.
    HWND m_hWnd = nullptr;
    UINT m_nID;
    ComPtr<IOleObject> m_pObject;
    // An interface of the control itself.
    template <typename I>
    ComPtr<I> QueryControl(REFIID iid) const { return m_pObject.As<I>(iid); }

    // The site of the control whose window is `hwnd`, or null.
    static COleControlSite* FromWindow(HWND hwnd);

    RECT m_rect = {};

protected:
    virtual ~COleControlSite();
    // Interfaces beyond the standard ones; E_NOINTERFACE by default.
    virtual HRESULT QueryExtraInterface(REFIID riid, void** ppv);

    COleControlContainer* m_pCtrlCont;

    // Parts: each forwards IUnknown to the site.
    template <typename I>
    struct Part : I {
        COleControlSite* site;
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return site->QueryInterface(riid, ppv); }
        STDMETHODIMP_(ULONG) AddRef() override { return site->AddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return site->Release(); }
    };

private:
    struct ClientSite;
    struct InPlaceSite;
    struct ControlSite;
    struct InPlaceFrame;
    struct Ambient;
    friend struct ClientSite;
    friend struct InPlaceSite;
    friend struct ControlSite;
    friend struct InPlaceFrame;
    friend struct Ambient;

    IOleClientSite* ClientSitePart();
    HWND ContainerWindow() const;

    LONG m_refs = 1;
    ClientSite* m_clientSite;
    InPlaceSite* m_inPlaceSite;
    ControlSite* m_controlSite;
    InPlaceFrame* m_frame;
    Ambient* m_ambient;
    ComPtr<IOleInPlaceObject> m_pInPlaceObject;
    ComPtr<IOleInPlaceActiveObject> m_pActiveObject;
    bool m_closed = false;
};
