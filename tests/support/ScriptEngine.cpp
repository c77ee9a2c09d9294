#include "support/ScriptEngine.h"

#include "framework/ScopedWin.h"

#include <activscp.h>

namespace test {

namespace {

const CLSID kJScript = {0xf414c260, 0x6ac0, 0x11cf, {0xb6, 0xd1, 0x00, 0xaa, 0x00, 0xbb, 0xbb, 0x58}};
// The script parser's interface has one id per pointer width, and an engine
// answers only its own; neither is in MinGW's uuid library.
#ifdef _WIN64
const IID kIID_IActiveScriptParse = {0xc7ef7658, 0xe1ee, 0x480e, {0x97, 0xea, 0xd5, 0x2c, 0xb4, 0xd7, 0x6d, 0x17}};
#else
const IID kIID_IActiveScriptParse = {0xbb1a2ae2, 0xa4f9, 0x11cf, {0x8f, 0x20, 0x00, 0x80, 0x5f, 0x2c, 0xd0, 0x64}};
#endif

// The page's `window`: only its `external` member.
class WindowObject final : public IDispatch {
public:
    explicit WindowObject(IDispatch* external) : m_external(external) {}
    LONG refs = 1;
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--refs); }
    STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (count == 1 && wcscmp(names[0], L"external") == 0) {
            ids[0] = 1;
            return S_OK;
        }
        for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override
    {
        if (id != 1 || !(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = m_external;
        if (m_external) m_external->AddRef();
        return S_OK;
    }

private:
    IDispatch* m_external;
};

// A minimal script host with the named items "external" and "window".
class ScriptHost final : public IActiveScriptSite {
public:
    ScriptHost(IDispatch* external, IDispatch* window) : m_external(external), m_window(window) {}
    LONG refs = 1;
    std::vector<std::wstring> errors;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IActiveScriptSite)) {
            *ppv = this;
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--refs); }
    STDMETHODIMP GetLCID(LCID*) override { return E_NOTIMPL; }
    STDMETHODIMP GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** ppunk, ITypeInfo** ppti) override
    {
        if (ppti) *ppti = nullptr;
        IDispatch* item = wcscmp(name, L"external") == 0 ? m_external
                          : wcscmp(name, L"window") == 0 ? m_window : nullptr;
        if (!item || !(mask & SCRIPTINFO_IUNKNOWN)) return TYPE_E_ELEMENTNOTFOUND;
        *ppunk = item;
        item->AddRef();
        return S_OK;
    }
    STDMETHODIMP GetDocVersionString(BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override { return S_OK; }
    STDMETHODIMP OnStateChange(SCRIPTSTATE) override { return S_OK; }
    STDMETHODIMP OnScriptError(IActiveScriptError* error) override
    {
        EXCEPINFO info = {};
        error->GetExceptionInfo(&info);
        errors.emplace_back(info.bstrDescription ? info.bstrDescription : L"(no description)");
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
        return S_OK;
    }
    STDMETHODIMP OnEnterScript() override { return S_OK; }
    STDMETHODIMP OnLeaveScript() override { return S_OK; }

private:
    IDispatch* m_external;
    IDispatch* m_window;
};

}  // namespace

ScriptRun RunScript(IDispatch* external, const wchar_t* script)
{
    return RunScripts(external, {script});
}

ScriptRun RunScripts(IDispatch* external, const std::vector<std::wstring>& scripts)
{
    ScriptRun run;
    WindowObject window(external);
    ScriptHost host(external, &window);
    ComPtr<IActiveScript> engine;
    CoCreateInstance(kJScript, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveScript, engine.OutVoid());
    ComPtr<IActiveScriptParse> parse = engine.As<IActiveScriptParse>(kIID_IActiveScriptParse);
    if (!engine || !parse) {
        run.engineMissing = true;
        return run;
    }
    parse->InitNew();
    engine->SetScriptSite(&host);
    engine->AddNamedItem(L"external", SCRIPTITEM_ISVISIBLE);
    engine->AddNamedItem(L"window", SCRIPTITEM_ISVISIBLE);
    engine->SetScriptState(SCRIPTSTATE_STARTED);
    for (const std::wstring& script : scripts) {
        EXCEPINFO ei = {};
        size_t before = host.errors.size();
        HRESULT hr = parse->ParseScriptText(script.c_str(), nullptr, nullptr, nullptr, 0, 0, 0, nullptr, &ei);
        if (FAILED(hr) && host.errors.size() == before) host.errors.push_back(L"failed without a report");
    }
    engine->Close();
    parse.Reset();
    engine.Reset();
    run.errors = host.errors;
    run.hostReleased = host.refs == 1 && window.refs == 1;
    return run;
}

}  // namespace test
