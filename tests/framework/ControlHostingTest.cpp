// ActiveX hosting with the real WebBrowser control under Wine. Wine here has
// no HTML engine, so pages never load; the control, its window, its
// automation members and our site are all real.
#include "support/TestSupport.h"

#include "framework/CDHtmlControlSite.h"
#include "framework/CDHtmlDialog.h"
#include "framework/CDataExchange.h"
#include "framework/COleControlContainer.h"
#include "framework/COleControlSite.h"
#include "framework/CCmdTarget.h"
#include "framework/CWebBrowser2.h"
#include "res/FrameworkTestIds.h"

#include <exdisp.h>
#include <mshtmhst.h>

#include <string>
#include <vector>

namespace {

const UINT kPanelTemplate = 103;   // the launcher panel's, with the browser item
const UINT kBrowserId = 1005;

// Counts the sites alive and records what the control asked them for.
struct SiteLog {
    int alive = 0;
    int created = 0;
    bool askedForHostUI = false;
} g_sites;

class RecordingSite : public CDHtmlControlSite {
public:
    RecordingSite(COleControlContainer* c, UINT id, CDHtmlDialog* d) : CDHtmlControlSite(c, id, d)
    {
        ++g_sites.alive;
        ++g_sites.created;
    }

protected:
    ~RecordingSite() override { --g_sites.alive; }
    HRESULT QueryExtraInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IDocHostUIHandler)) g_sites.askedForHostUI = true;
        return CDHtmlControlSite::QueryExtraInterface(riid, ppv);
    }
};

// A dialog on the panel's template that initialises as a plain dialog (no
// browser of its own) and binds the template's browser.
class HostDialog : public CDHtmlDialog {
public:
    explicit HostDialog(bool externalSafe) : CDHtmlDialog(kPanelTemplate, 0, nullptr), m_safe(externalSafe) {}
    BOOL OnInitDialog() override { return CDialog::OnInitDialog(); }
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, kBrowserId, m_browser); }
    BOOL IsExternalDispatchSafe() override { return m_safe; }
    COleControlSite* CreateControlSite(COleControlContainer* c, UINT id, REFCLSID) override
    {
        return new RecordingSite(c, id, this);
    }
    CWebBrowser2 m_browser;
    bool m_safe;
};

// A plain COM object that counts its references, to hand out as external.
class CountedDispatch final : public IDispatch {
public:
    LONG refs = 1;
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
            *ppv = this;
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
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }
};

class ControlHosting : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(m_ole.Result()));
        AfxEnableControlContainer();
        g_sites = SiteLog();
    }
    ScopedOle m_ole;
};

ComPtr<IWebBrowser2> BrowserOf(HWND control)
{
    COleControlSite* site = COleControlSite::FromWindow(control);
    return site ? site->QueryControl<IWebBrowser2>(IID_IWebBrowser2) : ComPtr<IWebBrowser2>();
}

TEST_F(ControlHosting, TemplateBrowserIsCreatedAtItsItemAndBound)
{
    HostDialog dlg(true);
    ASSERT_TRUE(dlg.Create(kPanelTemplate));
    HWND control = GetDlgItem(dlg.m_hWnd, kBrowserId);
    ASSERT_NE(control, nullptr) << "reachable as the dialog's child with its id";
    EXPECT_EQ(dlg.m_browser.m_hWnd, control) << "bound by DDX_Control";
    ASSERT_NE(dlg.m_browser.m_pCtrlSite, nullptr);
    EXPECT_TRUE(GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(GetParent(control), dlg.m_hWnd);

    RECT expected = {141, 108, 141 + 37, 108 + 20};
    MapDialogRect(dlg.m_hWnd, &expected);
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dlg.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_TRUE(EqualRect(&r, &expected)) << r.left << "," << r.top << " " << r.right - r.left << "x"
                                          << r.bottom - r.top << " vs " << expected.left << "," << expected.top;
    EXPECT_TRUE(g_sites.askedForHostUI) << "the browser asked our site for IDocHostUIHandler";
    std::vector<int> order;
    for (HWND c = GetWindow(dlg.m_hWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) order.push_back(GetDlgCtrlID(c));
    EXPECT_EQ(order, (std::vector<int>{104, 1005, 1006, 1004, 1008, 1009, 1010, 105, 1012}))
        << "the control sits where the template has it: second in the tab order";
    EXPECT_TRUE(BrowserOf(control)) << "the control is the WebBrowser";
    dlg.DestroyWindow();
    EXPECT_EQ(g_sites.alive, 0) << "the site is released to 0 with its dialog";
}

TEST_F(ControlHosting, NavigateAndSilentReachTheControlAndNeverBlock)
{
    HostDialog dlg(true);
    ASSERT_TRUE(dlg.Create(kPanelTemplate));
    ComPtr<IWebBrowser2> browser = BrowserOf(dlg.m_browser.m_hWnd);
    ASSERT_TRUE(browser);
    VARIANT_BOOL silent = VARIANT_TRUE;
    browser->put_Silent(VARIANT_FALSE);

    dlg.m_browser.SetSilent(TRUE);
    ASSERT_TRUE(SUCCEEDED(browser->get_Silent(&silent)));
    EXPECT_EQ(silent, VARIANT_TRUE);

    // Loopback port 9 answers nothing: the call must return all the same.
    dlg.m_browser.Navigate(L"http://127.0.0.1:9/embed/", nullptr, nullptr, nullptr, nullptr);
    test::PumpUntil([] { return false; }, 200);

    // Detached: both do nothing, and nothing fails.
    browser->put_Silent(VARIANT_FALSE);
    HWND control = dlg.m_browser.Detach();
    EXPECT_EQ(dlg.m_browser.m_pCtrlSite, nullptr);
    dlg.m_browser.SetSilent(TRUE);
    dlg.m_browser.Navigate(L"http://127.0.0.1:9/other/", nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(SUCCEEDED(browser->get_Silent(&silent)));
    EXPECT_EQ(silent, VARIANT_FALSE) << "a detached wrapper left the control alone";
    EXPECT_TRUE(IsWindow(control)) << "detaching does not destroy the control";
    browser.Reset();
    dlg.DestroyWindow();
    EXPECT_EQ(g_sites.alive, 0);
}

TEST_F(ControlHosting, AFailureTheControlReportsIsRaised)
{
    HostDialog dlg(true);
    ASSERT_TRUE(dlg.Create(kPanelTemplate));
    static const BYTE noParams[] = VTS_NONE;
    // No member 0x7FFF0001 on the browser.
    EXPECT_THROW(dlg.m_browser.InvokeHelper(0x7FFF0001, DISPATCH_METHOD, VT_EMPTY, nullptr, noParams),
                 COleDispatchException);
    // A property read through the same path works and converts.
    BOOL silent = TRUE;
    static const BYTE putBool[] = VTS_BOOL;
    dlg.m_browser.InvokeHelper(0x227, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, putBool, FALSE);
    dlg.m_browser.InvokeHelper(0x227, DISPATCH_PROPERTYGET, VT_BOOL, &silent, noParams);
    EXPECT_FALSE(silent);
    dlg.DestroyWindow();
    EXPECT_EQ(g_sites.alive, 0);
}

// Arguments are checked against their type codes before the control sees
// them: a literal 0 where a VARIANT* is read is not taken for a null pointer.
TEST_F(ControlHosting, ArgumentsThatDoNotFitTheirTypesAreRefused)
{
    HostDialog dlg(true);
    ASSERT_TRUE(dlg.Create(kPanelTemplate));
    static const BYTE navigate[] = VTS_BSTR VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT;
    static const BYTE putBool[] = VTS_BOOL;
    auto codeOf = [](auto call) -> HRESULT {
        try {
            call();
        } catch (const COleDispatchException& e) {
            return e.scode;
        }
        return S_OK;
    };
    CWnd& b = dlg.m_browser;
    EXPECT_EQ(codeOf([&] { b.InvokeHelper(0x68, DISPATCH_METHOD, VT_EMPTY, nullptr, navigate, L"about:blank", 0,
                                          nullptr, nullptr, nullptr); }),
              DISP_E_TYPEMISMATCH) << "0 for a VARIANT*";
    EXPECT_EQ(codeOf([&] { b.InvokeHelper(0x68, DISPATCH_METHOD, VT_EMPTY, nullptr, navigate, L"about:blank"); }),
              DISP_E_BADPARAMCOUNT) << "too few arguments";
    EXPECT_EQ(codeOf([&] { b.InvokeHelper(0x227, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, putBool, L"yes"); }),
              DISP_E_TYPEMISMATCH) << "text for a BOOL";
    EXPECT_EQ(codeOf([&] { b.InvokeHelper(0x227, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, putBool, TRUE); }), S_OK);
    dlg.DestroyWindow();
    EXPECT_EQ(g_sites.alive, 0);
}

ComPtr<IDocHostUIHandler> HostUIOf(HWND control)
{
    COleControlSite* site = COleControlSite::FromWindow(control);
    ComPtr<IDocHostUIHandler> handler;
    if (site) site->QueryInterface(IID_IDocHostUIHandler, handler.OutVoid());
    return handler;
}

TEST_F(ControlHosting, HostInfoAndExternalFollowTheDialog)
{
    struct Case { const char* context; bool safe; bool setExternal; HRESULT hr; bool gets; };
    const Case cases[] = {
        {"external allowed and set", true, true, S_OK, true},
        {"external allowed, none set", true, false, S_FALSE, false},
        {"external not allowed (no local page)", false, true, S_FALSE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.context);
        CountedDispatch external;
        {
            HostDialog dlg(c.safe);
            ASSERT_TRUE(dlg.Create(kPanelTemplate));
            if (c.setExternal) dlg.SetExternalDispatch(&external);
            ComPtr<IDocHostUIHandler> handler = HostUIOf(dlg.m_browser.m_hWnd);
            ASSERT_TRUE(handler);

            DOCHOSTUIINFO info = {};
            info.cbSize = sizeof(info);
            ASSERT_EQ(handler->GetHostInfo(&info), S_OK);
            EXPECT_EQ(info.dwFlags, 0x0Cu) << "no 3-D border, no scroll bars";

            IDispatch* got = reinterpret_cast<IDispatch*>(1);
            EXPECT_EQ(handler->GetExternal(&got), c.hr);
            EXPECT_EQ(got, c.gets ? static_cast<IDispatch*>(&external) : nullptr);
            if (got) got->Release();

            // The browser's own context menu.
            POINT pt = {0, 0};
            EXPECT_EQ(handler->ShowContextMenu(0, &pt, nullptr, nullptr), S_FALSE);
            handler.Reset();
            dlg.DestroyWindow();
        }
        EXPECT_EQ(external.Release(), 0u) << "every reference we handed out came back";
        EXPECT_EQ(g_sites.alive, 0);
    }
}

TEST_F(ControlHosting, RefusedStateFallsBackToInitNew)
{
    // IDD_PLAIN's browser item carries 16 bytes the control cannot load.
    class PlainHost : public CDHtmlDialog {
    public:
        PlainHost() : CDHtmlDialog(IDD_PLAIN, 0, nullptr) {}
        BOOL OnInitDialog() override { return CDialog::OnInitDialog(); }
        COleControlSite* CreateControlSite(COleControlContainer* c, UINT id, REFCLSID) override
        {
            return new RecordingSite(c, id, this);
        }
    } dlg;
    ASSERT_TRUE(dlg.Create(IDD_PLAIN));
    HWND control = GetDlgItem(dlg.m_hWnd, IDC_ACTIVEX);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(BrowserOf(control));
    dlg.DestroyWindow();
    EXPECT_EQ(g_sites.alive, 0);
}

class HtmlDialog : public CDHtmlDialog {
public:
    HtmlDialog() : CDHtmlDialog(IDD_HTML, 106, nullptr) {}
    COleControlSite* CreateControlSite(COleControlContainer* c, UINT id, REFCLSID) override
    {
        return new RecordingSite(c, id, this);
    }
};

TEST_F(ControlHosting, HtmlDialogBrowserFillsTheClientAreaAndStartsOnItsPage)
{
    HtmlDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_HTML));
    HWND browser = GetDlgItem(dlg.m_hWnd, AFX_IDC_BROWSER);
    ASSERT_NE(browser, nullptr) << "browser 102 made over the client area";
    ASSERT_NE(dlg.Browser(), nullptr);

    auto fills = [&] {
        RECT client, r;
        GetClientRect(dlg.m_hWnd, &client);
        GetWindowRect(browser, &r);
        MapWindowPoints(nullptr, dlg.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        return EqualRect(&client, &r) != FALSE;
    };
    EXPECT_TRUE(fills());
    dlg.SetWindowPos(nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(fills()) << "follows a resize";

    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring expected = std::wstring(L"res://") + exe + L"/106";
    EXPECT_EQ(test::Narrow(dlg.m_strCurrentUrl.GetString()), test::Narrow(expected));
    ScopedBstr location;
    if (SUCCEEDED(dlg.Browser()->get_LocationURL(location.Out())) && location.Get() && *location.Get()) {
        EXPECT_EQ(test::Narrow(location.Get()), test::Narrow(expected)) << "the control's own idea of it";
    }
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.Browser(), nullptr);
    EXPECT_EQ(g_sites.alive, 0);
}

}  // namespace
