// Process-wide framework state that exists before (and without) an
// application object: the module whose resources the framework loads.
#pragma once

#include "Afx.h"

// The module searched for templates, pictures and pages: the executable
// itself unless AfxSetResourceHandle chose another.
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE module);
HINSTANCE AFXAPI AfxGetInstanceHandle();
