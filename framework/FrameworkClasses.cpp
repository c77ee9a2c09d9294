#include "FrameworkClasses.h"

#include "AppState.h"
#include "CMFCButton.h"
#include "CWnd.h"

const wchar_t kFrameworkWindowClass[] = L"SelvaneWnd";

void AfxRegisterFrameworkClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcW;   // objects subclass their windows at creation
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));   // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kFrameworkWindowClass;
    RegisterClassExW(&wc);

    CMFCButton::RegisterWindowClass();
}
