// Plays a page: Wine's real JScript engine runs a script whose `external` is
// the object a browser host handed out as window.external, exactly as a page's
// script reaches it.
#pragma once

#include "framework/Afx.h"

#include <string>
#include <vector>

namespace test {

// Runs `script` with `external` as its named item "external" (and "window",
// whose `external` member is the same object, so page code reads as it
// would: window.external.outLink(...)). Returns the script errors it raised.
std::vector<std::wstring> RunPageScript(IDispatch* external, const wchar_t* script);

// The page's window.external as the host of the browser control `control`
// hands it out (IDocHostUIHandler::GetExternal on the control's site), or
// null.
IDispatch* ExternalOf(HWND control);

}  // namespace test
