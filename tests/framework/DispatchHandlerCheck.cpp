// Compiled by the tests, never linked: with SELVANE_MISMATCH=1 a handler
// whose parameters do not match its VTS_ string must not compile; with 0 the
// same map, matching, must.
#include "framework/CCmdTarget.h"

class Target : public CCmdTarget {
public:
    void OnTwo(const VARIANT&, const VARIANT&) {}
    DECLARE_DISPATCH_MAP()
};

BEGIN_DISPATCH_MAP(Target, CCmdTarget)
#if SELVANE_MISMATCH
    DISP_FUNCTION(Target, "two", OnTwo, VT_EMPTY, VTS_VARIANT)
#else
    DISP_FUNCTION(Target, "two", OnTwo, VT_EMPTY, VTS_VARIANT VTS_VARIANT)
#endif
END_DISPATCH_MAP()
