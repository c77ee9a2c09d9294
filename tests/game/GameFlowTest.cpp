// The whole program in the test's own process: the application object runs
// the launcher, Wine's JScript engine plays the launcher's page and calls the
// window.external that the panel's real control site hands out, and the game
// window, its keys, its icon and the way back to a fresh launcher are driven
// from inside the nested modal loops, as a player's input would arrive.
#include "support/PageScript.h"
#include "support/ProgramDriver.h"
#include "support/TestSupport.h"

#include "app/CTranslucentApp.h"
#include "framework/CHandleMap.h"
#include "game/CKeltGameDlg.h"
#include "launcher/CKeltTranslucentDlg.h"

#include <exdisp.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using test::Step;
using test::LauncherWindows;
using test::LauncherReady;
using test::GameReady;
using test::CurrentGame;
using test::CloseQuestion;

const wchar_t kGameUrl[] = L"http://127.0.0.1:1/play";
const wchar_t kLegend[] = L"  【F5刷新】【F11全屏】【F12最小托盘】";

std::wstring Caption(HWND hwnd)
{
    wchar_t text[512] = L"";
    GetWindowTextW(hwnd, text, 512);
    return text;
}

// Whether the shell holds an icon 155 for `hwnd`: changing one that does not
// exist fails.
bool TrayIconOf(HWND hwnd)
{
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = hwnd;
    data.uID = 155;
    data.uFlags = NIF_TIP;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

std::wstring QuestionText(HWND box)
{
    std::wstring all;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) all += Caption(c) + L"|";
    return all;
}

// Records the order in which windows are destroyed.
std::vector<HWND> g_destroyed;
LRESULT CALLBACK RecordDestroy(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_DESTROYWND) g_destroyed.push_back(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void PostKey(HWND hwnd, UINT vk)
{
    PostMessageW(hwnd, WM_KEYDOWN, vk, 1);
}

bool Framed(HWND hwnd)
{
    DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    return (style & WS_CAPTION) == WS_CAPTION && (style & WS_THICKFRAME) && IsZoomed(hwnd);
}

// No caption or sizing frame, and the page (the client area) is the whole
// screen; the template's thin modal frame lies just outside it.
bool CoversScreen(HWND hwnd)
{
    DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    RECT r;
    GetClientRect(hwnd, &r);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return !(style & WS_CAPTION) && !(style & WS_THICKFRAME) && r.left == 0 && r.top == 0 &&
           r.right == GetSystemMetrics(SM_CXSCREEN) && r.bottom == GetSystemMetrics(SM_CYSCREEN);
}

// Counts the WM_KEYDOWN messages that reach a window.
struct KeyCounter {
    static std::map<HWND, std::pair<WNDPROC, int>>& Map()
    {
        static std::map<HWND, std::pair<WNDPROC, int>> m;
        return m;
    }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        auto& entry = Map()[hwnd];
        if (msg == WM_KEYDOWN && wParam == VK_RETURN) ++entry.second;
        return CallWindowProcW(entry.first, hwnd, msg, wParam, lParam);
    }
    static void Watch(HWND hwnd)
    {
        Map()[hwnd] = {reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc))), 0};
    }
    static int Count(HWND hwnd) { return Map()[hwnd].second; }
};

class GameFlow : public testing::Test {
protected:
    void SetUp() override
    {
        DeleteFileW((test::ExeDirectory() + L"config.ini").c_str());
        g_destroyed.clear();
    }

    // Runs the program to its end; returns the exit code.
    int RunProgram()
    {
        int code;
        {
            CTranslucentApp app;
            app.InitInstance();
            m_mainAfterwards = app.m_pMainWnd;
            code = app.ExitInstance();
        }
        MSG msg;
        PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        return code;
    }

    void PageCall(const wchar_t* script, std::vector<std::wstring>* errors, bool* returned)
    {
        test::PageCall(script, errors, returned);
    }

    test::ProgramDriver m_driver;
    CWnd* m_mainAfterwards = reinterpret_cast<CWnd*>(1);
};

TEST_F(GameFlow, OutLinkOpensTheGameWindowAndAConfirmedCloseBringsAFreshLauncher)
{
    std::vector<std::wstring> errors;
    bool returned = false;
    LauncherWindows first, second;
    HWND game = nullptr, browser = nullptr;
    HHOOK hook = nullptr;
    auto location = [] {
        ScopedBstr url;
        if (CurrentGame() && CurrentGame()->Browser()) CurrentGame()->Browser()->get_LocationURL(url.Out());
        return std::wstring(url.Get() ? url.Get() : L"");
    };
    auto fullScreen = [&] { return CoversScreen(game) && IsZoomed(game) && CurrentGame()->IsFullScreen(); };
    auto framed = [&] { return Framed(game) && !CurrentGame()->IsFullScreen(); };

    m_driver.Run({
        {"the first launcher", [&] { return LauncherReady(&first); }, [&] {
             hook = SetWindowsHookExW(WH_CBT, RecordDestroy, nullptr, GetCurrentThreadId());
             PageCall(L"window.external.outLink('My Game', 'http://127.0.0.1:1/play')", &errors, &returned);
         }},
        {"the game window, the launcher gone", [&] { return GameReady() && !IsWindow(first.background); }, [&] {
             UnhookWindowsHookEx(hook);
             game = CurrentGame()->m_hWnd;
             browser = GetDlgItem(game, 102);
             EXPECT_FALSE(returned) << "the page's call has not returned";
             EXPECT_TRUE(Framed(game)) << "maximised, with caption and frame";
             EXPECT_EQ(test::Narrow(Caption(game)), test::Narrow(std::wstring(L"My Game") + kLegend));
             EXPECT_EQ(GetWindow(game, GW_OWNER), nullptr) << "an unowned top-level window";
             EXPECT_TRUE(IsWindowEnabled(game));
             EXPECT_EQ(test::Narrow(CurrentGame()->GameUrl().GetString()), test::Narrow(kGameUrl));
             EXPECT_TRUE(TrayIconOf(game)) << "the notification-area icon is there";
             std::vector<HWND> order;
             for (HWND h : g_destroyed)
                 if (h == first.browser || h == first.panel || h == first.background) order.push_back(h);
             EXPECT_EQ(order, (std::vector<HWND>{first.browser, first.panel, first.background}))
                 << "browser, panel, background";
             ASSERT_NE(browser, nullptr);
             PostKey(browser, VK_F11);
         }},
        {"full screen after F11", fullScreen, [&] { PostKey(browser, VK_F11); }},
        {"framed and maximised after F11 again", framed, [&] {
             PostKey(browser, VK_ESCAPE);   // framed: no effect
             PostKey(browser, VK_F11);
         }},
        {"full screen, Esc in framed mode changed nothing", fullScreen, [&] { PostKey(browser, VK_ESCAPE); }},
        {"framed after Esc", framed, [&] { PostKey(browser, VK_F11); }},
        {"full screen before F12", fullScreen, [&] { PostKey(browser, VK_F12); }},
        {"hidden by F12", [&] { return !IsWindowVisible(game); }, [&] {
             EXPECT_TRUE(TrayIconOf(game)) << "the icon stays while hidden";
             PostMessageW(game, WM_USER + 1, 155, WM_RBUTTONUP);   // no effect
             PostMessageW(game, WM_USER + 1, 154, WM_LBUTTONUP);   // not our icon
         }},
        {"still hidden after clicks that do not count", [&] { return !IsWindowVisible(game); }, [&] {
             PostMessageW(game, WM_USER + 1, 155, WM_LBUTTONUP);
         }},
        {"shown by the icon, still full screen", [&] { return IsWindowVisible(game) && fullScreen(); }, [&] {
             PostKey(browser, VK_ESCAPE);
         }},
        {"framed after Esc", framed, [&] {
             KeyCounter::Watch(browser);
             PostKey(browser, VK_RETURN);
         }},
        {"Enter at the page", [&] { return KeyCounter::Count(browser) == 1; }, [&] {
             EXPECT_TRUE(IsWindowVisible(game)) << "Enter did not end the game";
             EXPECT_EQ(AfxGetMainWnd(), static_cast<CWnd*>(CurrentGame()));
             ScopedBstr elsewhere(L"http://127.0.0.1:1/elsewhere");
             CurrentGame()->Browser()->Navigate(elsewhere.Get(), nullptr, nullptr, nullptr, nullptr);
         }},
        {"the page elsewhere", [&] { return location() == L"http://127.0.0.1:1/elsewhere"; }, [&] {
             PostKey(browser, VK_F5);
         }},
        {"F5 back at the game address", [&] { return location() == kGameUrl; }, [&] {
             PostMessageW(game, WM_SYSCOMMAND, SC_CLOSE, 0);
         }},
        {"the close question", [] { return CloseQuestion() != nullptr; }, [&] {
             HWND box = CloseQuestion();
             EXPECT_NE(QuestionText(box).find(L"此操作将退出游戏，是否继续？"), std::wstring::npos)
                 << test::Narrow(QuestionText(box));
             EXPECT_EQ(GetWindow(box, GW_OWNER), game);
             PostMessageW(box, WM_COMMAND, IDNO, 0);
         }},
        {"No: the question gone", [] { return CloseQuestion() == nullptr; }, [&] {
             EXPECT_TRUE(IsWindowVisible(game) && Framed(game));
             EXPECT_TRUE(TrayIconOf(game));
             PostMessageW(game, WM_SYSKEYDOWN, VK_F4, (1 << 29) | 1);   // Alt+F4
         }},
        {"the question after Alt+F4", [] { return CloseQuestion() != nullptr; }, [&] {
             PostMessageW(CloseQuestion(), WM_COMMAND, IDYES, 0);
         }},
        {"Yes: a fresh launcher, the game window gone", [&] { return LauncherReady(&second) && !IsWindow(game); }, [&] {
             EXPECT_FALSE(TrayIconOf(game)) << "the icon went with Yes";
             EXPECT_NE(second.background, first.background);
             EXPECT_EQ(GetWindow(second.background, GW_OWNER), nullptr);
             EXPECT_FALSE(returned);
             // Its close button ends the program.
             test::ClickLauncherClose(second.panel);
         }},
    });

    int code = RunProgram();
    EXPECT_EQ(m_driver.Done(), m_driver.Total()) << "every step ran";
    EXPECT_TRUE(returned) << "the page's call returned as the program ended";
    EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : test::Narrow(errors[0]));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(m_mainAfterwards, nullptr);
    EXPECT_EQ(CHandleMap::PermanentCount(), 0u) << "no object is bound to a window any more";
}

// Calls the page may make that must leave the launcher exactly as it was:
// a script error for the page, no game window, the same three windows.
TEST_F(GameFlow, RefusedPageCallsLeaveTheLauncherAsItWas)
{
    const struct {
        const wchar_t* script;
    } cases[] = {
        {L"window.external.outLink('t', 'file:///C:/windows/system32/notepad.exe')"},
        {L"window.external.outLink('t', 'javascript:alert(1)')"},
        {L"window.external.outLink('t', 'res://Selvane.exe/106')"},
        {L"window.external.outLink('t', 'about:blank')"},
        {L"window.external.outLink('t', 'C:\\\\windows\\\\notepad.exe')"},
        {L"window.external.outLink('t', '')"},
        {L"window.external.outLink('t', ' http://127.0.0.1:1/')"},
        {L"window.external.outLink('t', null)"},
        {L"window.external.outLink(null, 'http://127.0.0.1:1/')"},
        {L"window.external.outLink('t')"},
        {L"window.external.outLink()"},
        {L"window.external.outLink(undefined, 'http://127.0.0.1:1/')"},
        {L"window.external.outLink('t', 'http://127.0.0.1:1/', 'third')"},
        {L"window.external.outLink({toString: function() { throw 1; }}, 'http://127.0.0.1:1/')"},
        {L"window.external.noSuchMember('t', 'http://127.0.0.1:1/')"},
    };
    LauncherWindows before;
    size_t refused = 0;
    m_driver.Run({
        {"the launcher", [&] { return LauncherReady(&before); }, [&] {
             for (const auto& c : cases) {
                 SCOPED_TRACE(test::Narrow(c.script));
                 std::vector<std::wstring> errors;
                 bool returned = false;
                 PageCall(c.script, &errors, &returned);
                 EXPECT_TRUE(returned);
                 EXPECT_FALSE(errors.empty()) << "the page gets a script error";
                 LauncherWindows now;
                 EXPECT_TRUE(LauncherReady(&now));
                 EXPECT_TRUE(now.background == before.background && now.panel == before.panel &&
                             now.browser == before.browser) << "the same launcher";
                 EXPECT_EQ(CurrentGame(), nullptr);
                 if (!errors.empty()) ++refused;
             }
             test::ClickLauncherClose(before.panel);
         }},
    });
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(refused, sizeof(cases) / sizeof(cases[0]));
}

// Round trips launcher -> game -> launcher, driven as a player does (the
// page's call, then a confirmed close), many times in one process: the loops
// nest one level per switch, and the program still ends cleanly.
// Disabled in the suite: in a newly made Wine prefix the run stops with the
// close question unanswered after a few trips, which is not understood yet.
// It passes in a prefix that has been used before; tools/run-bench makes
// hundreds of trips the same way.
TEST_F(GameFlow, DISABLED_ManyRoundTripsNestAndUnwind)
{
    const int kTrips = 20;
    test::RoundTrips trips(m_driver, kTrips, L"window.external.outLink('Trip', 'https://127.0.0.1:1/play')");
    trips.Arm();
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(trips.Made(), kTrips);
    EXPECT_EQ(trips.CleanReturns(), trips.Calls()) << "every page call returned, innermost first, without an error";
    EXPECT_EQ(CHandleMap::PermanentCount(), 0u);
}

}  // namespace
