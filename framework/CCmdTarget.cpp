#include "CCmdTarget.h"

#include "CCmdTargetDispatch.h"

#include <cstring>
#include <exception>
#include <vector>

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id)
{
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
            if (message < e->nMessage || message > e->nLastMessage)
                continue;
            if (message == WM_COMMAND && (e->nCode != code || id < e->nID || id > e->nLastID))
                continue;
            return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, LRESULT* pResult)
{
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), WM_COMMAND, static_cast<UINT>(nCode), nID);
    if (!e)
        return FALSE;
    LRESULT r = e->pfn(this, 0, 0);
    if (pResult) *pResult = r;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Automation

CCmdTarget::~CCmdTarget()
{
    if (m_pDispatch) {
        m_pDispatch->Disconnect();
        m_pDispatch->Release();
        m_pDispatch = nullptr;
    }
}

const AFX_DISPMAP* CCmdTarget::GetThisDispatchMap()
{
    static const AFX_DISPMAP_ENTRY entries[] = {{nullptr, 0, nullptr, VT_EMPTY, nullptr}};
    static const AFX_DISPMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_DISPMAP* CCmdTarget::GetDispatchMap() const
{
    return GetThisDispatchMap();
}

void CCmdTarget::EnableAutomation()
{
    if (!m_pDispatch)
        m_pDispatch = new CCmdTargetDispatch(this);
}

IDispatch* CCmdTarget::GetIDispatch(BOOL bAddRef)
{
    if (m_pDispatch && bAddRef)
        m_pDispatch->AddRef();
    return m_pDispatch;
}

namespace {

// The id of the entry at `position` (from 1) of the table `level` steps
// from the most derived one.
DISPID FormDispId(const AFX_DISPMAP_ENTRY& e, int level, int position)
{
    if (e.lDispID != DISPID_UNKNOWN)
        return e.lDispID;
    return static_cast<DISPID>((static_cast<DWORD>(level) << 16) | static_cast<DWORD>(position));
}

bool SameNameNoCase(const char* a, LPCOLESTR b)
{
    for (; *a && *b; ++a, ++b) {
        wchar_t ca = static_cast<wchar_t>(static_cast<unsigned char>(*a));
        if (CharLowerW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(ca))) !=
            CharLowerW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(*b))))
            return false;
    }
    return *a == 0 && *b == 0;
}

}  // namespace

HRESULT CCmdTarget::GetDispIdOfName(LPCOLESTR name, DISPID* id) const
{
    int level = 0;
    for (const AFX_DISPMAP* map = GetDispatchMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr, ++level) {
        int position = 1;
        for (const AFX_DISPMAP_ENTRY* e = map->lpEntries; e->lpszName; ++e, ++position) {
            if (SameNameNoCase(e->lpszName, name)) {
                *id = FormDispId(*e, level, position);
                return S_OK;
            }
        }
    }
    *id = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

const AFX_DISPMAP_ENTRY* CCmdTarget::FindDispatchEntry(DISPID id) const
{
    int level = 0;
    for (const AFX_DISPMAP* map = GetDispatchMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr, ++level) {
        int position = 1;
        for (const AFX_DISPMAP_ENTRY* e = map->lpEntries; e->lpszName; ++e, ++position)
            if (FormDispId(*e, level, position) == id)
                return e;
    }
    return nullptr;
}

namespace {
void FillException(EXCEPINFO* excep, HRESULT scode, const wchar_t* description)
{
    if (!excep) return;
    ZeroMemory(excep, sizeof(*excep));
    excep->scode = scode;
    excep->bstrSource = SysAllocString(L"Selvane");
    excep->bstrDescription = SysAllocString(description);
}
}  // namespace

HRESULT CCmdTarget::InvokeDispatchMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                                         EXCEPINFO* excep, UINT* argErr)
{
    const AFX_DISPMAP_ENTRY* e = FindDispatchEntry(id);
    if (!e)
        return DISP_E_MEMBERNOTFOUND;
    if (!(flags & DISPATCH_METHOD))
        return DISP_E_MEMBERNOTFOUND;   // methods only: no properties here
    if (!params)
        return E_INVALIDARG;
    if (params->cNamedArgs)
        return DISP_E_NONAMEDARGS;
    const size_t declared = strlen(e->lpszParams);
    if (params->cArgs > declared)
        return DISP_E_BADPARAMCOUNT;

    // Script order (the caller passes them last first). Arguments left out
    // arrive as the "parameter not found" error, as optional ones do.
    std::vector<VARIANT> args(declared);
    for (size_t i = 0; i < declared; ++i) {
        VariantInit(&args[i]);
        if (i < params->cArgs) {
            const VARIANT& given = params->rgvarg[params->cArgs - 1 - i];
            const VARIANT* source = (V_VT(&given) == (VT_VARIANT | VT_BYREF)) ? V_VARIANTREF(&given) : &given;
            HRESULT hr = VariantCopyInd(&args[i], const_cast<VARIANT*>(source));
            if (FAILED(hr)) {
                for (VARIANT& v : args) VariantClear(&v);
                if (argErr) *argErr = static_cast<UINT>(params->cArgs - 1 - i);
                return hr;
            }
        } else {
            V_VT(&args[i]) = VT_ERROR;
            V_ERROR(&args[i]) = DISP_E_PARAMNOTFOUND;
        }
    }

    if (result) VariantInit(result);
    HRESULT hr;
    // No exception may unwind into the script engine.
    try {
        hr = e->pfn(this, args.data(), result);
    } catch (const COleDispatchException& ex) {
        FillException(excep, ex.scode, ex.description ? ex.description : L"");
        hr = DISP_E_EXCEPTION;
    } catch (const std::exception& ex) {
        int n = MultiByteToWideChar(CP_UTF8, 0, ex.what(), -1, nullptr, 0);
        std::vector<wchar_t> text(static_cast<size_t>(n > 0 ? n : 1), L'\0');
        if (n > 0) MultiByteToWideChar(CP_UTF8, 0, ex.what(), -1, text.data(), n);
        FillException(excep, E_FAIL, text.data());
        hr = DISP_E_EXCEPTION;
    } catch (...) {
        FillException(excep, E_FAIL, L"unexpected error");
        hr = DISP_E_EXCEPTION;
    }
    for (VARIANT& v : args) VariantClear(&v);
    return hr;
}
