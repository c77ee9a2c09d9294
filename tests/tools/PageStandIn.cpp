// A stand-in for the browser's HTML engine, which Wine here does not have.
// Registered in the test prefix as the handler of text/html documents, it is
// what the real WebBrowser control inside the real Selvane.exe creates when
// it loads a page: the control hands it the page (IPersistMoniker::Load) and
// its document site (IOleObject::SetClientSite), as it would hand them to the
// HTML engine. The stand-in then does what that engine does with a page's
// inline scripts: it asks the site's IDocHostUIHandler for window.external
// and runs each <script> element with Wine's JScript, on the program's GUI
// thread, after the page has loaded. Nothing is drawn.
#include "support/ScriptEngine.h"

#include "framework/ScopedWin.h"

#include <mshtmhst.h>
#include <shlwapi.h>

#include <string>
#include <vector>

// {5E1B9A2C-7C4D-4B8E-9F61-3A2D8C0B7E15}
extern "C" const CLSID CLSID_PageStandIn = {0x5e1b9a2c, 0x7c4d, 0x4b8e, {0x9f, 0x61, 0x3a, 0x2d, 0x8c, 0x0b, 0x7e, 0x15}};

namespace {

LONG g_objects = 0;
HMODULE g_module = nullptr;
const UINT WM_RUN_SCRIPTS = WM_APP + 1;

std::wstring ReadPage(IMoniker* moniker)
{
    LPOLESTR name = nullptr;
    if (FAILED(moniker->GetDisplayName(nullptr, nullptr, &name)) || !name) return L"";
    wchar_t path[MAX_PATH * 2];
    DWORD length = MAX_PATH * 2;
    HRESULT hr = PathCreateFromUrlW(name, path, &length, 0);
    CoTaskMemFree(name);
    if (FAILED(hr)) return L"";   // only pages from files: no network here
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return L"";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(read), nullptr, 0);
    std::wstring text(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(read), &text[0], n);
    return text;
}

// The text inside each <script ...>...</script>, in page order.
std::vector<std::wstring> InlineScripts(const std::wstring& page)
{
    std::wstring lower = page;
    for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
    std::vector<std::wstring> scripts;
    for (size_t at = 0;;) {
        size_t open = lower.find(L"<script", at);
        if (open == std::wstring::npos) break;
        size_t start = lower.find(L'>', open);
        size_t close = start == std::wstring::npos ? start : lower.find(L"</script", start);
        if (close == std::wstring::npos) break;
        scripts.push_back(page.substr(start + 1, close - start - 1));
        at = close + 1;
    }
    return scripts;
}

class Document final : public IOleObject, public IPersistMoniker {
public:
    Document() { InterlockedIncrement(&g_objects); }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleObject))
            *ppv = static_cast<IOleObject*>(this);
        else if (IsEqualIID(riid, IID_IPersistMoniker) || IsEqualIID(riid, IID_IPersist))
            *ppv = static_cast<IPersistMoniker*>(this);
        else {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG n = InterlockedDecrement(&m_refs);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }

    // IOleObject: the site is what matters; the rest is a document that shows nothing.
    STDMETHODIMP SetClientSite(IOleClientSite* site) override
    {
        m_site = ComPtr<IOleClientSite>(site);
        ScheduleScripts();
        return S_OK;
    }
    STDMETHODIMP GetClientSite(IOleClientSite** site) override
    {
        *site = m_site.Get();
        if (*site) (*site)->AddRef();
        return S_OK;
    }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override
    {
        m_site.Reset();
        return S_OK;
    }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override { return S_OK; }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* clsid) override
    {
        *clsid = CLSID_PageStandIn;
        return S_OK;
    }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return S_OK; }
    STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override
    {
        *status = 0;
        return S_OK;
    }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IPersistMoniker
    STDMETHODIMP GetClassID(CLSID* clsid) override { return GetUserClassID(clsid); }
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP Load(BOOL, IMoniker* moniker, IBindCtx*, DWORD) override
    {
        if (!moniker) return E_INVALIDARG;
        m_scripts = InlineScripts(ReadPage(moniker));
        ScheduleScripts();
        return S_OK;
    }
    STDMETHODIMP Save(IMoniker*, IBindCtx*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP SaveCompleted(IMoniker*, IBindCtx*) override { return E_NOTIMPL; }
    STDMETHODIMP GetCurMoniker(IMoniker**) override { return E_NOTIMPL; }

private:
    ~Document()
    {
        if (m_window) DestroyWindow(m_window);
        InterlockedDecrement(&g_objects);
    }

    // Scripts run once the page is loaded and sited, from the GUI thread's
    // message loop, as a page's do: never inside the control's own calls.
    void ScheduleScripts()
    {
        if (!m_site || m_scripts.empty() || m_window) return;
        m_window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, g_module, nullptr);
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
        AddRef();   // until the scripts have run
        PostMessageW(m_window, WM_RUN_SCRIPTS, 0, 0);
    }
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<Document*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (message == WM_RUN_SCRIPTS && self) {
            self->RunScripts();
            self->Release();
            return 0;
        }
        return self ? CallWindowProcW(self->m_previous, hwnd, message, wParam, lParam)
                    : DefWindowProcW(hwnd, message, wParam, lParam);
    }
    void RunScripts()
    {
        ComPtr<IDocHostUIHandler> host = m_site.As<IDocHostUIHandler>(IID_IDocHostUIHandler);
        IDispatch* external = nullptr;
        if (host) host->GetExternal(&external);
        std::vector<std::wstring> scripts;
        scripts.swap(m_scripts);
        test::RunScripts(external, scripts);
        if (external) external->Release();
    }

    LONG m_refs = 1;
    ComPtr<IOleClientSite> m_site;
    std::vector<std::wstring> m_scripts;
    HWND m_window = nullptr;
    WNDPROC m_previous = nullptr;
};

class Factory final : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = this;
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // A static object: its lifetime is the module's.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override
    {
        *ppv = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        Document* doc = new Document;
        HRESULT hr = doc->QueryInterface(riid, ppv);
        doc->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

Factory g_factory;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) g_module = instance;
    return TRUE;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv)
{
    if (!IsEqualCLSID(clsid, CLSID_PageStandIn)) {
        *ppv = nullptr;
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return g_factory.QueryInterface(riid, ppv);
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllCanUnloadNow()
{
    return g_objects == 0 ? S_OK : S_FALSE;
}
