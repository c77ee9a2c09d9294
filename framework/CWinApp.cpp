#include "CWinApp.h"

#include "AppState.h"
#include "COleControlContainer.h"
#include "CWnd.h"
#include "FrameworkClasses.h"

#include <shellapi.h>

namespace {
CWinApp* g_app = nullptr;
}

CWinApp* AFXAPI AfxGetApp()
{
    return g_app;
}

CWnd* AFXAPI AfxGetMainWnd()
{
    return g_app ? g_app->m_pMainWnd : nullptr;
}

CWinApp::CWinApp(LPCWSTR lpszAppName)
{
    // There is one application object; a second one must not take the
    // first one's place.
    if (!g_app)
        g_app = this;
    if (lpszAppName)
        m_appName = lpszAppName;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return m_nExitCode;
}

int CWinApp::Run()
{
    MSG msg;
    for (;;) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        if (!CWnd::WalkPreTranslateTree(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    m_nExitCode = static_cast<int>(msg.wParam);
    return ExitInstance();
}

void CWinApp::OnHelp()
{
    // Help is a compiled help file named after the program, beside it; a
    // program shipped without one has no help.
    CString exe = AfxGetModuleFileName();
    const wchar_t* dot = wcsrchr(exe.GetString(), L'.');
    if (!dot) return;
    CString path = exe.Left(static_cast<int>(dot - exe.GetString())) + L".chm";
    if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES)
        ShellExecuteW(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, L"open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return 0;   // nothing to run
    app->m_hInstance = hInstance;
    if (app->m_appName.IsEmpty()) {
        CString full = AfxGetModuleFileName();
        const wchar_t* name = full.GetString();
        for (const wchar_t* p = name; *p; ++p)
            if (*p == L'\\' || *p == L'/') name = p + 1;
        CString base(name);
        const wchar_t* dot = wcsrchr(base.GetString(), L'.');
        app->m_appName = dot ? base.Left(static_cast<int>(dot - base.GetString())) : base;
    }
    app->m_pszAppName = app->m_appName.GetString();
    AfxRegisterFrameworkClasses();

    int code = 0;
    try {
        if (!app->InitInstance()) {
            if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd)
                app->m_pMainWnd->DestroyWindow();
            code = app->ExitInstance();
        } else {
            code = app->Run();
        }
    } catch (...) {
        OutputDebugStringA("Selvane: the application object let an exception escape\n");
        code = -1;
    }
    AfxOleTerm();
    return code;
}
