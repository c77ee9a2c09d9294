// Drives the whole program from inside its own nested message loops, for the
// tests and the benchmarks that run it in their process: steps that wait for
// a condition and then act, and the facts they look at.
#pragma once

#include "app/CTranslucentApp.h"
#include "game/CKeltGameDlg.h"
#include "launcher/CKeltTranslucentDlg.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace test {

// One step of a scenario: once `ready` holds, `action` runs.
struct Step {
    const char* what;
    std::function<bool()> ready;
    std::function<void()> action;
};

// Runs a scenario's steps in order, each inside whatever message loop is
// innermost when its condition comes true: steps wait on a timer of a hidden
// window of the test, which every modal loop (message boxes included)
// dispatches like any other message. The next step is armed before an action
// runs, since an action (the page's call) may not return until the program
// ends. A step that waits too long fails the test and runs all the same, so
// that the program still ends.
class ProgramDriver {
public:
    ProgramDriver()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SelvaneTestDriver";
        RegisterClassW(&wc);
        m_hwnd = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~ProgramDriver() { DestroyWindow(m_hwnd); }

    void Run(std::vector<Step> steps, DWORD timeoutMs = 15000)
    {
        m_steps = std::move(steps);
        m_next = 0;
        m_timeout = timeoutMs;
        Arm();
    }
    size_t Done() const { return m_next; }
    size_t Total() const { return m_steps.size(); }

private:
    void Arm()
    {
        m_start = GetTickCount();
        if (m_next < m_steps.size()) SetTimer(m_hwnd, 1, 10, nullptr);
    }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<ProgramDriver*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (msg != WM_TIMER || !self) return DefWindowProcW(hwnd, msg, wParam, lParam);
        if (self->m_next >= self->m_steps.size()) {
            KillTimer(hwnd, 1);
            return 0;
        }
        const Step& step = self->m_steps[self->m_next];
        bool ready = !step.ready || step.ready();
        if (!ready && GetTickCount() - self->m_start < self->m_timeout) return 0;
        KillTimer(hwnd, 1);
        EXPECT_TRUE(ready) << "timed out waiting for: " << step.what;
        // Slow steps are worth knowing about, even when they pass.
        if (GetTickCount() - self->m_start > 2000)
            printf("step \"%s\" took %lu ms\n", step.what, GetTickCount() - self->m_start);

        std::function<void()> action = step.action;
        ++self->m_next;
        self->Arm();
        if (action) action();
        return 0;
    }
    HWND m_hwnd = nullptr;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    DWORD m_start = 0, m_timeout = 15000;
};

inline CKeltTranslucentDlg* CurrentLauncher()
{
    return dynamic_cast<CKeltTranslucentDlg*>(AfxGetMainWnd());
}

inline CKeltGameDlg* CurrentGame()
{
    return dynamic_cast<CKeltGameDlg*>(AfxGetMainWnd());
}

// The launcher on screen, with its three windows.
struct LauncherWindows {
    HWND background = nullptr, panel = nullptr, browser = nullptr;
};

inline bool LauncherReady(LauncherWindows* out = nullptr)
{
    CKeltTranslucentDlg* launcher = CurrentLauncher();
    if (!launcher || !launcher->m_hWnd || !launcher->Companion() || !launcher->Companion()->m_hWnd) return false;
    LauncherWindows w{launcher->m_hWnd, launcher->Companion()->m_hWnd, nullptr};
    w.browser = GetDlgItem(w.panel, 1005);
    if (!IsWindowVisible(w.background) || !IsWindowVisible(w.panel) || !w.browser) return false;
    if (out) *out = w;
    return true;
}

inline bool GameReady()
{
    CKeltGameDlg* game = CurrentGame();
    return game && game->m_hWnd && IsWindowVisible(game->m_hWnd);
}

// The game window's close question, while it is on screen.
inline BOOL CALLBACK FindQuestion(HWND hwnd, LPARAM found)
{
    wchar_t title[32] = L"";
    GetWindowTextW(hwnd, title, 32);
    if (IsWindowVisible(hwnd) && wcscmp(title, L"退出游戏") == 0) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// This thread's visible close question, whatever other window shares its title.
inline HWND CloseQuestion()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindQuestion, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Makes the current launcher's page call `script` through the window.external
// its panel's control site hands out; returns when the call does (which, for
// a call that opens the game, is as the program ends).
void PageCall(const wchar_t* script, std::vector<std::wstring>* errors, bool* returned);

// Clicks the current launcher's close button, as its panel receives it.
void ClickLauncherClose(HWND panel);

// Round trips as a player makes them: at each launcher the page calls
// `script` (which opens the game window), the game window is closed and the
// question answered Yes, which brings the next launcher. After `trips` trips
// the launcher's close button ends the program. Arm it, then run the program.
class RoundTrips {
public:
    RoundTrips(ProgramDriver& driver, int trips, const wchar_t* script) : m_driver(driver), m_trips(trips), m_script(script)
    {
    }
    // Runs at each launcher before its page's call, with the trips made so far.
    std::function<void(int)> atLauncher;

    void Arm() { ArmLauncher(); }
    int Made() const { return m_made; }
    int Calls() const { return m_calls; }
    // Calls that returned (as the program ended) without a script error.
    int CleanReturns() const { return m_clean; }

private:
    void ArmLauncher();
    void ArmGame();
    ProgramDriver& m_driver;
    int m_trips;
    const wchar_t* m_script;
    int m_made = 0, m_calls = 0, m_clean = 0;
    HWND m_leaving = nullptr;   // the launcher the last call left
};

}  // namespace test
