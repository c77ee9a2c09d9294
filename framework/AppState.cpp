#include "AppState.h"

namespace {
HINSTANCE g_resourceModule = nullptr;
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    return g_resourceModule ? g_resourceModule : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE module)
{
    g_resourceModule = module;
}

CString AFXAPI AfxGetModuleFileName(HMODULE module)
{
    // A path may be longer than MAX_PATH (up to 32767 characters with the
    // long-path prefix). GetModuleFileNameW says so only by filling the
    // whole buffer, so grow it until the path fits with room to spare.
    CString path;
    for (DWORD size = MAX_PATH; size <= 65536; size *= 2) {
        wchar_t* buffer = path.GetBuffer(static_cast<int>(size));
        DWORD n = GetModuleFileNameW(module, buffer, size);
        if (n == 0) {
            path.ReleaseBuffer(0);
            return path;
        }
        if (n < size) {
            path.ReleaseBuffer(static_cast<int>(n));
            return path;
        }
    }
    path.ReleaseBuffer(0);
    return path;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    return GetModuleHandleW(nullptr);
}
