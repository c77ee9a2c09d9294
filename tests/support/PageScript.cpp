#include "support/PageScript.h"

#include "support/ScriptEngine.h"

#include "framework/COleControlSite.h"
#include "framework/ScopedWin.h"

#include <gtest/gtest.h>

#include <mshtmhst.h>

namespace test {

std::vector<std::wstring> RunPageScript(IDispatch* external, const wchar_t* script)
{
    ScriptRun run = RunScript(external, script);
    EXPECT_FALSE(run.engineMissing) << "no JScript engine, or no script parser of this architecture";
    if (run.engineMissing) return {L"no engine"};
    EXPECT_TRUE(run.hostReleased) << "the engine let go of the host and the window";
    return run.errors;
}

IDispatch* ExternalOf(HWND control)
{
    COleControlSite* site = COleControlSite::FromWindow(control);
    if (!site) return nullptr;
    ComPtr<IDocHostUIHandler> handler;
    if (FAILED(site->QueryInterface(IID_IDocHostUIHandler, handler.OutVoid())) || !handler) return nullptr;
    IDispatch* external = nullptr;
    if (handler->GetExternal(&external) != S_OK) return nullptr;
    return external;
}

}  // namespace test
