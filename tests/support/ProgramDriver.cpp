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

void RoundTrips::ArmLauncher()
{
    m_driver.Run({{"a launcher", [] { return LauncherReady() && !GameReady(); }, [this] {
                       if (atLauncher) atLauncher(m_made);
                       LauncherWindows w;
                       LauncherReady(&w);
                       if (m_made == m_trips) {
                           ClickLauncherClose(w.panel);
                           return;
                       }
                       ++m_made;
                       m_leaving = w.background;
                       ArmGame();
                       std::vector<std::wstring> errors;
                       bool returned = false;
                       ++m_calls;
                       PageCall(m_script, &errors, &returned);
                       if (returned && errors.empty()) ++m_clean;
                   }}});
}

void RoundTrips::ArmGame()
{
    // Closed only once the launcher it replaced is gone, as a player would.
    m_driver.Run({{"a game window, the launcher gone", [this] { return GameReady() && !IsWindow(m_leaving); }, [this] {
                       PostMessageW(CurrentGame()->m_hWnd, WM_CLOSE, 0, 0);
                       m_driver.Run({{"the question", [] { return CloseQuestion() != nullptr; }, [this] {
                                          ArmLauncher();
                                          PostMessageW(CloseQuestion(), WM_COMMAND, IDYES, 0);
                                      }}});
                   }}});
}

}  // namespace test
