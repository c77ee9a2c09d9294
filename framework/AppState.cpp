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

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    return GetModuleHandleW(nullptr);
}
