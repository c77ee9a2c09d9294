// Data exchange between a dialog and its member objects (DoDataExchange).
// The system only binds controls: DDX_Control subclasses a dialog control
// into a member object the first time data is exchanged.
#pragma once

#include "CWnd.h"

// Thrown by a failed exchange; UpdateData catches it and returns FALSE.
struct CUserException {};

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_pDlgWnd(pDlgWnd), m_bSaveAndValidate(bSaveAndValidate) {}

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;

    // The control with this id; fails the exchange when there is none.
    HWND PrepareCtrl(int nIDC);
    [[noreturn]] void Fail();
};

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
