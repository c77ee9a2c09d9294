// The application object: starts control hosting and GDI+, runs the
// launcher as the main window, and shuts GDI+ down once every window object
// is gone.
#pragma once

#include "framework/CWinApp.h"

class CTranslucentApp : public CWinApp {
public:
    CTranslucentApp();
    ~CTranslucentApp() override;

    // Runs the first launcher modally; always FALSE, so the program ends
    // (through ExitInstance) when that launcher's loop does.
    BOOL InitInstance() override;
    int ExitInstance() override;

protected:
    DECLARE_MESSAGE_MAP()
};

// The token of the program's GDI+ session.
extern ULONG_PTR g_gdiplusToken;
