// The application object: starts control hosting and GDI+, runs the
// launcher as the main window, switches between launcher and game window,
// and shuts GDI+ down once every window object is gone.
//
// Every top-level window is a modal dialog whose object is a local of the
// function that runs it. A switch runs the next window's modal loop from
// inside a handler of the current one, so the loops nest one level per
// switch; the window left behind is handed over (CWnd::CloseDetached) and
// destroyed by the new loop. Only closing the launcher on screen ends the
// program: its window is then the main window, so its destruction posts the
// quit message, and every level unwinds from the inside out.
#pragma once

#include "framework/CWinApp.h"

class CDialog;

class CTranslucentApp : public CWinApp {
public:
    CTranslucentApp();
    ~CTranslucentApp() override;

    // Runs the first launcher modally; always FALSE, so the program ends
    // (through ExitInstance) when that launcher's loop does. A launcher that
    // cannot be created ends the program with exit code 1.
    BOOL InitInstance() override;
    int ExitInstance() override;

    // Launcher -> game window, from the launcher page's call. Returns only
    // as the program ends.
    void SwitchToGameWindow(CString url, CString title);
    // Game window -> a fresh launcher, after a confirmed close. Returns only
    // as the program ends.
    void ReturnToLauncher();

    // What a window that could not be created leaves as the exit code.
    static constexpr int kExitWindowFailed = 1;

protected:
    DECLARE_MESSAGE_MAP()

private:
    // Runs a window as the main window; ends the program when it cannot be
    // created (nothing else is left on screen by then).
    void RunMainWindow(CDialog& dialog);
    // Hands the current main window over to the next one's loop.
    void LeaveMainWindow();
};

// The token of the program's GDI+ session.
extern ULONG_PTR g_gdiplusToken;
