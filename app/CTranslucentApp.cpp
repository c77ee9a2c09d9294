#include "app/CTranslucentApp.h"

#include "framework/COleControlContainer.h"
#include "game/CKeltGameDlg.h"
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
        RunMainWindow(launcher);
    }
    return FALSE;
}

int CTranslucentApp::ExitInstance()
{
    // Every image belonged to a window object, and all of those are gone.
    Gdiplus::GdiplusShutdown(g_gdiplusToken);
    return CWinApp::ExitInstance();
}

void CTranslucentApp::RunMainWindow(CDialog& dialog)
{
    // Designated before DoModal: the window is then unowned, and disables
    // no other window.
    m_pMainWnd = &dialog;
    dialog.DoModal();
    if (dialog.ModalCreationFailed()) {
        // The window being left has gone already: nothing remains to show,
        // so the program ends, and says it failed.
        m_nExitCode = kExitWindowFailed;
        PostQuitMessage(kExitWindowFailed);
    }
    // The object dies with the caller's scope; nobody may reach it after.
    if (m_pMainWnd == &dialog)
        m_pMainWnd = nullptr;
}

void CTranslucentApp::LeaveMainWindow()
{
    // Posted, not sent: a call from that window may be on the stack (the
    // page's, or its close handler). The new loop destroys it.
    if (m_pMainWnd)
        m_pMainWnd->CloseDetached();
}

void CTranslucentApp::SwitchToGameWindow(CString url, CString title)
{
    LeaveMainWindow();
    CKeltGameDlg game(nullptr);
    game.SetGameParams(url, title);
    RunMainWindow(game);
}

void CTranslucentApp::ReturnToLauncher()
{
    LeaveMainWindow();
    CKeltTranslucentDlg launcher(IDB_SKIN, L"PNG", nullptr, nullptr);
    RunMainWindow(launcher);
}

BEGIN_MESSAGE_MAP(CTranslucentApp, CWinApp)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()
