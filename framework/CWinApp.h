// The application object. Exactly one exists, as a static object; the
// program's entry point finds it and runs InitInstance. When InitInstance
// returns FALSE, ExitInstance runs at once and its result is the process's
// exit code; otherwise Run's message loop runs until the quit message.
#pragma once

#include "CCmdTarget.h"
#include "CString.h"

class CWnd;

#define ID_HELP 0xE146

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(LPCWSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();

    // The object of the program's current top-level window. When that
    // window is destroyed, the framework clears this and posts a quit
    // message (exit code 0).
    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    // The application's name: the one given, else the executable's name.
    LPCWSTR m_pszAppName = nullptr;

    void OnHelp();

protected:
    // Exit code carried by the last quit message the framework saw.
    int m_nExitCode = 0;

private:
    CString m_appName;
    friend int AfxWinMain(HINSTANCE, HINSTANCE, LPWSTR, int);
    friend class CDialog;   // a modal loop that sees the quit message records its code

    DECLARE_MESSAGE_MAP()
};

CWinApp* AFXAPI AfxGetApp();
CWnd* AFXAPI AfxGetMainWnd();

// The program's entry, called from wWinMain.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
