#include "app/CTranslucentApp.h"

#include "framework/COleControlContainer.h"
#include "launcher/CKeltTranslucentDlg.h"
#include "res/resource.h"

#include <gdiplus.h>

ULONG_PTR g_gdiplusToken = 0;

CTranslucentApp::CTranslucentApp() = default;

CTranslucentApp::~CTranslucentApp() = default;

BOOL CTranslucentApp::InitInstance()
{
    CWinApp::InitInstance();
    AfxEnableControlContainer();

    Gdiplus::GdiplusStartupInput input;   // version 1, background thread on
    Gdiplus::GdiplusStartup(&g_gdiplusToken, &input, nullptr);

    {
        CKeltTranslucentDlg launcher(IDB_SKIN, L"PNG", nullptr, nullptr);
        // Designated before DoModal: the launcher is then unowned.
        m_pMainWnd = &launcher;
        launcher.DoModal();
    }
    return FALSE;
}

int CTranslucentApp::ExitInstance()
{
    // Every image belonged to a window object, and all of those are gone.
    Gdiplus::GdiplusShutdown(g_gdiplusToken);
    return CWinApp::ExitInstance();
}

BEGIN_MESSAGE_MAP(CTranslucentApp, CWinApp)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()
