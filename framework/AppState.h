// Process-wide framework state that exists before (and without) an
// application object: the module whose resources the framework loads.
#pragma once

#include "Afx.h"
#include "CString.h"

// The module searched for templates, pictures and pages: the executable
// itself unless AfxSetResourceHandle chose another.
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE module);
HINSTANCE AFXAPI AfxGetInstanceHandle();

// The full path of a module (null: the executable), however long; empty
// when the system cannot give it.
CString AFXAPI AfxGetModuleFileName(HMODULE module = nullptr);
