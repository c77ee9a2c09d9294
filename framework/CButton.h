// A push button, check box or radio button of the system's Button class.
#pragma once

#include "CWnd.h"

class CButton : public CWnd {
public:
    BOOL Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::CreateEx(0, L"Button", lpszCaption, dwStyle | WS_CHILD, rect, pParentWnd, nID);
    }
    UINT GetState() const { return m_hWnd ? static_cast<UINT>(::SendMessageW(m_hWnd, BM_GETSTATE, 0, 0)) : 0; }
    void SetState(BOOL bHighlight) { if (m_hWnd) ::SendMessageW(m_hWnd, BM_SETSTATE, bHighlight, 0); }
};
