// GdiplusStartup / GdiplusShutdown for a scope (tests and tools; the
// application object keeps its own token).
#pragma once

#include "ScopedWin.h"
#include <gdiplus.h>

class ScopedGdiplus {
public:
    ScopedGdiplus()
    {
        Gdiplus::GdiplusStartupInput input;
        m_status = Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
    }
    ~ScopedGdiplus() { if (m_status == Gdiplus::Ok) Gdiplus::GdiplusShutdown(m_token); }
    SELVANE_NO_COPY(ScopedGdiplus);
    bool Ok() const { return m_status == Gdiplus::Ok; }
private:
    ULONG_PTR m_token = 0;
    Gdiplus::Status m_status;
};
