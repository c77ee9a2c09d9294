// A program of the framework whose InitInstance returns FALSE: its
// ExitInstance's result must become the process's exit code.
#include "framework/CWinApp.h"

class ExitCodeApp : public CWinApp {
public:
    BOOL InitInstance() override { return FALSE; }
    int ExitInstance() override { return 7; }
};

ExitCodeApp theApp;
