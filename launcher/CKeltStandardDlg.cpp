#include "launcher/CKeltStandardDlg.h"

#include "app/CTranslucentApp.h"
#include "app/ConfigFile.h"
#include "framework/CDataExchange.h"
#include "launcher/BuiltInAddresses.h"
#include "launcher/WebAddress.h"
#include "res/resource.h"

#include <shellapi.h>

namespace {
const COLORREF kPanelKey = RGB(0, 255, 0);

// Where each picture button goes on the 1172 x 745 artwork, in the order
// they are set up.
struct ButtonPlace {
    UINT normal, hot;
    int x, y, cx, cy;
};
}  // namespace

CKeltStandardDlg::CKeltStandardDlg(CWnd* pParent) : CStandardDialog(IDD_LAUNCHER_PANEL, kPanelKey, pParent)
{
    EnableAutomation();
}

CKeltStandardDlg::~CKeltStandardDlg() = default;

void CKeltStandardDlg::DoDataExchange(CDataExchange* pDX)
{
    CStandardDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OFFICIAL_SITE, m_btnOfficialSite);
    DDX_Control(pDX, IDC_BROWSER, m_browser);
    DDX_Control(pDX, IDC_HOME, m_btnHome);
    DDX_Control(pDX, IDC_CLOSE, m_btnClose);
    DDX_Control(pDX, IDC_RECHARGE, m_btnRecharge);
    DDX_Control(pDX, IDC_SERVICE, m_btnService);
    DDX_Control(pDX, IDC_FORUM, m_btnForum);
    DDX_Control(pDX, IDC_MINIMIZE, m_btnMinimize);
}

CString CKeltStandardDlg::PageAddress()
{
    return ConfigValueOr(ReadConfigValue(L"client_web"), builtin::kClientWeb);
}

BOOL CKeltStandardDlg::OnInitDialog()
{
    CStandardDialog::OnInitDialog();

    CString url = PageAddress();

    // The page's window.external is this panel. The external holder takes
    // its own reference; ours is handed back at once.
    IDispatch* external = GetIDispatch(TRUE);
    SetExternalDispatch(external);
    if (external)
        external->Release();

    m_browser.MoveWindow(488, 167, 492, 294, TRUE);
    m_browser.Navigate(url, nullptr, nullptr, nullptr, nullptr);
    m_browser.SetSilent(TRUE);

    const struct {
        CMFCButton* button;
        ButtonPlace place;
    } buttons[] = {
        {&m_btnHome, {IDB_HOME, IDB_HOME_HOT, 533, 78, 99, 28}},
        {&m_btnRecharge, {IDB_RECHARGE, IDB_RECHARGE_HOT, 634, 78, 99, 28}},
        {&m_btnService, {IDB_SERVICE, IDB_SERVICE_HOT, 735, 78, 99, 28}},
        {&m_btnForum, {IDB_FORUM, IDB_FORUM_HOT, 836, 78, 99, 28}},
        {&m_btnClose, {IDB_CLOSE, IDB_CLOSE_HOT, 988, 78, 40, 40}},
        {&m_btnMinimize, {IDB_MINIMIZE, IDB_MINIMIZE_HOT, 953, 85, 35, 35}},
    };
    for (const auto& b : buttons) {
        b.button->SetImage(b.place.normal, b.place.hot);
        b.button->m_bTransparent = TRUE;
        b.button->MoveWindow(b.place.x, b.place.y, b.place.cx, b.place.cy, TRUE);
    }
    return TRUE;
}

void CKeltStandardDlg::OnOK()
{
}

BOOL CKeltStandardDlg::IsExternalDispatchSafe()
{
    return TRUE;
}

void CKeltStandardDlg::OpenConfiguredUrl(const wchar_t* key, const wchar_t* builtIn)
{
    CString url = ConfigValueOr(ReadConfigValue(key), builtIn);
    // The shell opens whatever it is given, programs included: only web
    // pages go to it.
    if (!IsWebAddress(url))
        return;
    ShellExecuteW(nullptr, L"open", url, nullptr, nullptr, SW_SHOWNORMAL);
}

void CKeltStandardDlg::OnBnClickedOfficialSite()
{
}

void CKeltStandardDlg::OnBnClickedHome()
{
    OpenConfiguredUrl(L"home_url", builtin::kHomeUrl);
}

void CKeltStandardDlg::OnBnClickedRecharge()
{
    OpenConfiguredUrl(L"recharge_url", builtin::kRechargeUrl);
}

void CKeltStandardDlg::OnBnClickedService()
{
    OpenConfiguredUrl(L"service_url", builtin::kServiceUrl);
}

void CKeltStandardDlg::OnBnClickedForum()
{
    OpenConfiguredUrl(L"forum_url", builtin::kForumUrl);
}

void CKeltStandardDlg::OnBnClickedClose()
{
    // Sent: the launcher has closed before the click handler returns.
    if (m_pParentWnd)
        m_pParentWnd->SendMessage(WM_CLOSE, 0, 0);
}

void CKeltStandardDlg::OnBnClickedMinimize()
{
    ShowWindow(SW_MINIMIZE);
    if (m_pParentWnd)
        m_pParentWnd->ShowWindow(SW_MINIMIZE);
}

namespace {

// The text of a page's argument, as the platform converts values to text
// (a number as its digits); it ends at the first NUL. False for what is no
// value at all (missing, undefined, null) and for what has no text.
bool ArgumentText(const VARIANT& argument, CString& text)
{
    ScopedVariant copy;
    HRESULT hr = VariantCopy(&copy, const_cast<VARIANT*>(&argument));
    if (FAILED(hr))
        throw COleDispatchException{hr, L"outLink: an argument could not be copied"};
    switch (V_VT(&copy)) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_ERROR:   // an argument left out
        return false;
    default:
        break;
    }
    if (FAILED(VariantChangeType(&copy, &copy, 0, VT_BSTR)) || V_VT(&copy) != VT_BSTR)
        return false;
    text.Format(L"%s", V_BSTR(&copy) ? V_BSTR(&copy) : L"");
    return true;
}

}  // namespace

void CKeltStandardDlg::OnOutLink(const VARIANT& varTitle, const VARIANT& varUrl)
{
    // Every refusal leaves the launcher exactly as it was; the page sees a
    // script error.
    if (!m_hWnd)
        throw COleDispatchException{E_ACCESSDENIED, L"outLink: the launcher has already handed over"};
    CString title, url;
    if (!ArgumentText(varTitle, title) || !ArgumentText(varUrl, url))
        throw COleDispatchException{DISP_E_TYPEMISMATCH, L"outLink: the title and the address must be text"};
    if (!IsWebAddress(url))
        throw COleDispatchException{E_INVALIDARG, L"outLink: the address must be an http or https address"};

    // Closed by posted messages: this call came from the page inside them.
    m_browser.CloseDetached();
    CloseDetached();
    static_cast<CTranslucentApp*>(AfxGetApp())->SwitchToGameWindow(url, title);
}

void CKeltStandardDlg::OnDestroy()
{
    CDHtmlDialog::OnDestroy();
}

void CKeltStandardDlg::OnClose()
{
    // A dialog's close is its cancel: this closes the background window too.
    CStandardDialog::OnClose();
}

BEGIN_MESSAGE_MAP(CKeltStandardDlg, CStandardDialog)
    ON_BN_CLICKED(IDC_OFFICIAL_SITE, OnBnClickedOfficialSite)
    ON_BN_CLICKED(IDC_HOME, OnBnClickedHome)
    ON_BN_CLICKED(IDC_CLOSE, OnBnClickedClose)
    ON_BN_CLICKED(IDC_RECHARGE, OnBnClickedRecharge)
    ON_BN_CLICKED(IDC_SERVICE, OnBnClickedService)
    ON_BN_CLICKED(IDC_FORUM, OnBnClickedForum)
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_BN_CLICKED(IDC_MINIMIZE, OnBnClickedMinimize)
END_MESSAGE_MAP()

BEGIN_DISPATCH_MAP(CKeltStandardDlg, CStandardDialog)
    DISP_FUNCTION(CKeltStandardDlg, "outLink", OnOutLink, VT_EMPTY, VTS_VARIANT VTS_VARIANT)
END_DISPATCH_MAP()
