#include "launcher/CKeltStandardDlg.h"

#include "app/ConfigFile.h"
#include "framework/CDataExchange.h"
#include "framework/CWinApp.h"
#include "launcher/BuiltInAddresses.h"
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
    // Sent: the main window has closed before the click handler returns.
    if (CWnd* main = AfxGetMainWnd())
        if (main->m_hWnd)
            ::SendMessageW(main->m_hWnd, WM_CLOSE, 0, 0);
}

void CKeltStandardDlg::OnBnClickedMinimize()
{
    ShowWindow(SW_MINIMIZE);
    if (CWnd* main = AfxGetMainWnd())
        main->ShowWindow(SW_MINIMIZE);
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

// The page's scripting interface grows here; the panel offers no member yet.
BEGIN_DISPATCH_MAP(CKeltStandardDlg, CStandardDialog)
END_DISPATCH_MAP()
