// A GDI brush owned by its object; deleted with it.
#pragma once

#include "Afx.h"

class CBrush {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    ~CBrush() { DeleteObject(); }
    CBrush(const CBrush&) = delete;
    CBrush& operator=(const CBrush&) = delete;

    // Refused while the object holds a brush: the old one would be lost, or
    // the new one leaked.
    BOOL CreateSolidBrush(COLORREF color)
    {
        if (m_hObject) return FALSE;
        return Attach(::CreateSolidBrush(color));
    }
    BOOL Attach(HBRUSH brush)
    {
        if (m_hObject || !brush) return FALSE;
        m_hObject = brush;
        return TRUE;
    }
    HBRUSH Detach()
    {
        HBRUSH b = m_hObject;
        m_hObject = nullptr;
        return b;
    }
    BOOL DeleteObject()
    {
        if (!m_hObject) return FALSE;
        ::DeleteObject(m_hObject);
        m_hObject = nullptr;
        return TRUE;
    }
    HBRUSH GetSafeHandle() const { return m_hObject; }
    operator HBRUSH() const { return m_hObject; }

    HBRUSH m_hObject = nullptr;
};
