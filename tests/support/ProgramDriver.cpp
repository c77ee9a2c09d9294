#include "support/ProgramDriver.h"

#include "support/PageScript.h"

#include "framework/ScopedWin.h"

namespace test {

void PageCall(const wchar_t* script, std::vector<std::wstring>* errors, bool* returned)
{
    LauncherWindows w;
    ASSERT_TRUE(LauncherReady(&w));
    ComPtr<IDispatch> external = ComPtr<IDispatch>::Adopt(ExternalOf(w.browser));
    ASSERT_TRUE(external) << "the panel's site hands out window.external";
    *errors = RunPageScript(external.Get(), script);
    *returned = true;
}

void ClickLauncherClose(HWND panel)
{
    PostMessageW(panel, WM_COMMAND, MAKEWPARAM(1004, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(panel, 1004)));
}

}  // namespace test
