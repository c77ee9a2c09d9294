// An item composed over a translucent dialog's artwork. The dialog draws the
// visible items in list order after the background, in its own pixel
// coordinates; it never creates, owns or deletes them.
#pragma once

#include "framework/Afx.h"
#include <gdiplus.h>

class CLayeredChild {
public:
    virtual ~CLayeredChild() = default;
    virtual void Render(Gdiplus::Graphics& graphics) = 0;

    // Drawn in a normal render only while set.
    bool m_bVisible = true;
};
