// Dispatch maps, called by a real page-script engine: Wine's JScript runs
// scripts against the very object that an HTML dialog's site hands out as
// window.external.
#include "support/PageScript.h"
#include "support/TestSupport.h"

#include "framework/CCmdTarget.h"
#include "framework/CDHtmlDialog.h"
#include "framework/COleControlContainer.h"
#include "framework/COleControlSite.h"
#include "res/FrameworkTestIds.h"

#include <mshtmhst.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// What the page's calls delivered.
struct Call {
    std::string member;
    std::vector<VARTYPE> types;
    std::vector<std::wstring> texts;   // VT_BSTR values (embedded NULs kept)
    std::vector<HRESULT> errors;       // VT_ERROR codes
    std::vector<double> numbers;       // VT_I4 / VT_R8 values
};
std::vector<Call> g_calls;

void Record(const char* member, std::initializer_list<const VARIANT*> args)
{
    Call c;
    c.member = member;
    for (const VARIANT* v : args) {
        c.types.push_back(V_VT(v));
        if (V_VT(v) == VT_BSTR) c.texts.emplace_back(V_BSTR(v), SysStringLen(V_BSTR(v)));
        if (V_VT(v) == VT_ERROR) c.errors.push_back(V_ERROR(v));
        if (V_VT(v) == VT_I4) c.numbers.push_back(V_I4(v));
        if (V_VT(v) == VT_R8) c.numbers.push_back(V_R8(v));
    }
    g_calls.push_back(c);
}

class ScriptTarget : public CCmdTarget {
public:
    ScriptTarget() { EnableAutomation(); }
    void OnOutLink(const VARIANT& title, const VARIANT& url) { Record("outLink", {&title, &url}); }
    void OnBoom() { throw std::runtime_error("boom from the handler"); }
    DECLARE_DISPATCH_MAP()
};

BEGIN_DISPATCH_MAP(ScriptTarget, CCmdTarget)
    DISP_FUNCTION(ScriptTarget, "outLink", OnOutLink, VT_EMPTY, VTS_VARIANT VTS_VARIANT)
    DISP_FUNCTION(ScriptTarget, "boom", OnBoom, VT_EMPTY, VTS_NONE)
END_DISPATCH_MAP()

class DerivedTarget : public ScriptTarget {
public:
    void OnExtra(const VARIANT& v) { Record("extra", {&v}); }
    DECLARE_DISPATCH_MAP()
};

BEGIN_DISPATCH_MAP(DerivedTarget, ScriptTarget)
    DISP_FUNCTION(DerivedTarget, "extra", OnExtra, VT_EMPTY, VTS_VARIANT)
END_DISPATCH_MAP()

TEST(DispatchMap, IdsArePositionWithTheLevelInTheHighWord)
{
    DerivedTarget target;
    IDispatch* disp = target.GetIDispatch(FALSE);
    ASSERT_NE(disp, nullptr);
    struct Case { const wchar_t* name; HRESULT hr; DISPID id; };
    const Case cases[] = {
        {L"extra", S_OK, 0x00000001},     // first of the derived table
        {L"outLink", S_OK, 0x00010001},   // first of the base table, one level up
        {L"BOOM", S_OK, 0x00010002},      // any letter case
        {L"missing", DISP_E_UNKNOWNNAME, DISPID_UNKNOWN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(test::Narrow(c.name));
        LPOLESTR name = const_cast<LPOLESTR>(c.name);
        DISPID id = 12345;
        EXPECT_EQ(disp->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), c.hr);
        EXPECT_EQ(id, c.id);
    }
    ScriptTarget base;
    LPOLESTR name = const_cast<LPOLESTR>(L"outLink");
    DISPID id = 0;
    base.GetIDispatch(FALSE)->GetIDsOfNames(IID_NULL, &name, 1, 0, &id);
    EXPECT_EQ(id, 1) << "in its own class the table is level 0";
}

TEST(DispatchMap, TheDispatchOutlivesItsTargetSafely)
{
    IDispatch* disp = nullptr;
    {
        ScriptTarget target;
        disp = target.GetIDispatch(TRUE);
    }
    LPOLESTR name = const_cast<LPOLESTR>(L"outLink");
    DISPID id = 0;
    EXPECT_EQ(disp->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), RPC_E_DISCONNECTED);
    DISPPARAMS none = {};
    EXPECT_EQ(disp->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), RPC_E_DISCONNECTED);
    EXPECT_EQ(disp->Release(), 0u);
}

// The page's view of window.external: what the HTML dialog's site hands out.
class PanelLikeDialog : public CDHtmlDialog {
public:
    PanelLikeDialog() : CDHtmlDialog(103, 0, nullptr) {}
    BOOL OnInitDialog() override { return CDialog::OnInitDialog(); }
    BOOL IsExternalDispatchSafe() override { return TRUE; }
};

class PageScript : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(m_ole.Result()));
        AfxEnableControlContainer();
        g_calls.clear();
        ASSERT_TRUE(m_dialog.Create(103));
        m_dialog.SetExternalDispatch(m_target.GetIDispatch(FALSE));
        COleControlSite* site = COleControlSite::FromWindow(GetDlgItem(m_dialog.m_hWnd, 1005));
        ASSERT_NE(site, nullptr);
        ComPtr<IDocHostUIHandler> handler;
        ASSERT_EQ(site->QueryInterface(IID_IDocHostUIHandler, handler.OutVoid()), S_OK);
        ASSERT_EQ(handler->GetExternal(m_external.Out()), S_OK);
        ASSERT_EQ(m_external.Get(), m_target.GetIDispatch(FALSE)) << "the site hands out our object";
    }
    void TearDown() override
    {
        m_external.Reset();
        m_dialog.DestroyWindow();
    }

    // Runs a script against `external`; returns the errors it raised.
    std::vector<std::wstring> Run(const wchar_t* script) { return test::RunPageScript(m_external.Get(), script); }

    ScopedOle m_ole;
    ScriptTarget m_target;
    PanelLikeDialog m_dialog;
    ComPtr<IDispatch> m_external;
};

TEST_F(PageScript, CallsArriveAsTheEnginePassesThem)
{
    const HRESULT kMissing = DISP_E_PARAMNOTFOUND;
    struct Case {
        const char* context;
        const wchar_t* script;
        bool error;
        std::vector<VARTYPE> types;
        std::vector<std::wstring> texts;
        std::vector<HRESULT> errors;
        std::vector<double> numbers;
    };
    const Case cases[] = {
        {"both arguments, in order", L"external.outLink('The Title', 'http://game.test/play')", false,
         {VT_BSTR, VT_BSTR}, {L"The Title", L"http://game.test/play"}, {}, {}},
        {"name in capitals", L"external.OUTLINK('a', 'b')", false, {VT_BSTR, VT_BSTR}, {L"a", L"b"}, {}, {}},
        {"three arguments: refused before the handler", L"external.outLink('a', 'b', 'c')", true, {}, {}, {}, {}},
        {"no arguments: two missing-parameter errors", L"external.outLink()", false, {VT_ERROR, VT_ERROR}, {},
         {kMissing, kMissing}, {}},
        {"one argument: the second is missing", L"external.outLink('only')", false, {VT_BSTR, VT_ERROR},
         {L"only"}, {kMissing}, {}},
        {"numbers", L"external.outLink(42, 1.5)", false, {VT_I4, VT_R8}, {}, {}, {42, 1.5}},
        {"null and undefined", L"external.outLink(null, undefined)", false, {VT_NULL, VT_EMPTY}, {}, {}, {}},
        {"a NUL inside a string", L"external.outLink('a\\u0000b', 'x')", false, {VT_BSTR, VT_BSTR},
         {std::wstring(L"a\0b", 3), L"x"}, {}, {}},
        {"unknown method", L"external.noSuchMember('a')", true, {}, {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.context);
        g_calls.clear();
        std::vector<std::wstring> errors = Run(c.script);
        EXPECT_EQ(!errors.empty(), c.error) << (errors.empty() ? "" : test::Narrow(errors[0]));
        if (c.error) {
            EXPECT_TRUE(g_calls.empty()) << "the handler must not run";
            continue;
        }
        ASSERT_EQ(g_calls.size(), 1u);
        EXPECT_EQ(g_calls[0].member, "outLink");
        EXPECT_EQ(g_calls[0].types, c.types);
        EXPECT_EQ(g_calls[0].texts, c.texts);
        EXPECT_EQ(g_calls[0].errors, c.errors);
        EXPECT_EQ(g_calls[0].numbers, c.numbers);
    }
}

TEST_F(PageScript, AHandlerExceptionBecomesAScriptErrorWithItsText)
{
    std::vector<std::wstring> errors = Run(L"external.boom()");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find(L"boom from the handler"), std::wstring::npos) << test::Narrow(errors[0]);
    // The page can catch it like any script error.
    errors = Run(L"try { external.boom(); } catch (e) { external.outLink('caught', String(e.message)); }");
    EXPECT_TRUE(errors.empty());
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(test::Narrow(g_calls[0].texts[0]), "caught");
}

}  // namespace
