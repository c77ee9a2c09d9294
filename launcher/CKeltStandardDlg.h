// The launcher's control panel: the colour-keyed companion over the
// launcher's artwork. It holds the embedded page, the six picture buttons
// and the page's window.external. Its close and minimise buttons act on its
// own launcher window (the parent it was made with), whichever window is the
// program's main window.
#pragma once

#include "framework/CButton.h"
#include "framework/CMFCButton.h"
#include "framework/CWebBrowser2.h"
#include "translucent/CStandardDialog.h"

class CKeltStandardDlg : public CStandardDialog {
public:
    explicit CKeltStandardDlg(CWnd* pParent);
    ~CKeltStandardDlg() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter must not close the launcher; Esc (cancel) still does.
    void OnOK() override;
    // Every page shown here may use window.external.
    BOOL IsExternalDispatchSafe() override;

    // The page's address as configured (client_web), or the built-in one.
    static CString PageAddress();

protected:
    void OnBnClickedOfficialSite();
    void OnBnClickedHome();
    void OnBnClickedClose();
    void OnBnClickedRecharge();
    void OnBnClickedService();
    void OnBnClickedForum();
    void OnDestroy();
    void OnClose();
    void OnBnClickedMinimize();

    // window.external.outLink(title, url): hands over to the game window.
    void OnOutLink(const VARIANT& varTitle, const VARIANT& varUrl);

    // Opens the configured address of `key` (or `builtIn`) in the user's
    // default browser.
    static void OpenConfiguredUrl(const wchar_t* key, const wchar_t* builtIn);

    CButton m_btnOfficialSite;
    CWebBrowser2 m_browser;
    CMFCButton m_btnHome;
    CMFCButton m_btnClose;
    CMFCButton m_btnRecharge;
    CMFCButton m_btnService;
    CMFCButton m_btnForum;
    CMFCButton m_btnMinimize;

    DECLARE_MESSAGE_MAP()
    DECLARE_DISPATCH_MAP()
};
