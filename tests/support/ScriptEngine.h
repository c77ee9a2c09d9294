// Runs a page's script the way a browser does: Wine's real JScript engine,
// with `window` (whose `external` member is the given object) and `external`
// as global names. Free of the test framework, so that a stand-in page inside
// another program can use it too.
#pragma once

#include "framework/Afx.h"

#include <string>
#include <vector>

namespace test {

struct ScriptRun {
    bool engineMissing = false;    // no JScript, or no parser of this architecture
    std::vector<std::wstring> errors;
    bool hostReleased = false;     // the engine let go of everything it was given
};

ScriptRun RunScript(IDispatch* external, const wchar_t* script);
// A page's script blocks, in order, in one engine: they share their globals,
// and an error in one does not stop the next, as in a browser.
ScriptRun RunScripts(IDispatch* external, const std::vector<std::wstring>& scripts);

}  // namespace test
