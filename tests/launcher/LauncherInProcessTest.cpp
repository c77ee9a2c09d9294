// The launcher's classes run in the test's own process, where only the
// inside can be seen: the main-window pointer, the owner, the page address
// the browser was given, the cursor handle and the order of the minimise.
#include "support/TestSupport.h"

#include "framework/COleControlContainer.h"
#include "framework/COleControlSite.h"
#include "framework/CWinApp.h"
#include "framework/ScopedGdiplus.h"
#include "launcher/CKeltTranslucentDlg.h"

#include <exdisp.h>

#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<std::pair<HWND, std::string>> g_sizes;
HHOOK g_hook = nullptr;

LRESULT CALLBACK RecordMinimise(int code, WPARAM wParam, LPARAM lParam)
{
    auto* msg = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && msg->message == WM_SIZE && msg->wParam == SIZE_MINIMIZED)
        g_sizes.emplace_back(msg->hwnd, "minimised");
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

// The launcher, with a probe that runs inside its modal loop.
class ObservedLauncher : public CKeltTranslucentDlg {
public:
    explicit ObservedLauncher(std::function<void(ObservedLauncher&)> probe)
        : CKeltTranslucentDlg(158, L"PNG", nullptr, nullptr), m_probe(std::move(probe))
    {
    }
    BOOL OnInitDialog() override
    {
        BOOL r = CKeltTranslucentDlg::OnInitDialog();
        PostMessage(WM_APP + 7);
        return r;
    }
    LRESULT OnProbe(WPARAM, LPARAM)
    {
        m_probe(*this);
        // End the launcher as its close button does.
        if (m_hWnd) ::SendMessageW(m_hWnd, WM_CLOSE, 0, 0);
        return 0;
    }
    HWND Panel() const { return m_pCompanion ? m_pCompanion->m_hWnd : nullptr; }

    std::function<void(ObservedLauncher&)> m_probe;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ObservedLauncher, CKeltTranslucentDlg)
    ON_MESSAGE(WM_APP + 7, OnProbe)
END_MESSAGE_MAP()

class LauncherInside : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_gdiplus.Ok());
        AfxEnableControlContainer();
        DeleteFileW(ConfigPath().c_str());
        test::MovePointer(5, 1015);
    }
    void TearDown() override { DeleteFileW(ConfigPath().c_str()); }
    static std::wstring ConfigPath() { return test::ExeDirectory() + L"config.ini"; }

    // Runs a launcher modally as the application object does.
    INT_PTR Run(std::function<void(ObservedLauncher&)> probe)
    {
        ObservedLauncher launcher(std::move(probe));
        m_app.m_pMainWnd = &launcher;
        INT_PTR r = launcher.DoModal();
        // Its window went as the main window: the quit message that ends a
        // program is waiting; this test goes on.
        MSG msg;
        PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        return r;
    }

    ScopedGdiplus m_gdiplus;
    CWinApp m_app;
};

std::string NavigatedAddress(HWND panel)
{
    COleControlSite* site = COleControlSite::FromWindow(GetDlgItem(panel, 1005));
    if (!site) return "(no browser)";
    ComPtr<IWebBrowser2> browser = site->QueryControl<IWebBrowser2>(IID_IWebBrowser2);
    ScopedBstr url;
    if (!browser || FAILED(browser->get_LocationURL(url.Out())) || !url.Get()) return "(none)";
    return test::Narrow(url.Get());
}

TEST_F(LauncherInside, StartUpFacts)
{
    struct Case { const char* context; std::string config; std::string address; };
    const Case cases[] = {
        {"configured page", "[tamb]\r\nclient_web=http://127.0.0.1:9/configured/\r\n", "http://127.0.0.1:9/configured/"},
        {"no config.ini: the built-in embed page", "", "http://www.selvane-game.test/embed/3372/"},
        {"exactly error: the built-in embed page", "[tamb]\r\nclient_web=error\r\n",
         "http://www.selvane-game.test/embed/3372/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.context);
        if (c.config.empty()) DeleteFileW(ConfigPath().c_str());
        else ASSERT_TRUE(test::WriteFileBytes(ConfigPath(), c.config));
        bool probed = false;
        Run([&](ObservedLauncher& launcher) {
            probed = true;
            EXPECT_EQ(AfxGetMainWnd(), &launcher) << "the main window is the background window";
            EXPECT_EQ(::GetWindow(launcher.m_hWnd, GW_OWNER), nullptr) << "unowned";
            EXPECT_EQ(::GetWindow(launcher.Panel(), GW_OWNER), launcher.m_hWnd) << "the panel is owned by it";
            std::string address;
            test::PumpUntil([&] { return (address = NavigatedAddress(launcher.Panel())) == c.address; });
            EXPECT_EQ(address, c.address);
        });
        EXPECT_TRUE(probed);
        EXPECT_EQ(m_app.m_pMainWnd, nullptr) << "cleared when the main window went";
    }
}

TEST_F(LauncherInside, TheHandOverButtonsAndThePanelMinimisesFirst)
{
    Run([&](ObservedLauncher& launcher) {
        HWND panel = launcher.Panel();
        HCURSOR hand = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));
        for (int id : {1006, 1008, 1009, 1010, 1004, 1012}) {
            SCOPED_TRACE(testing::Message() << "button " << id);
            RECT r;
            GetWindowRect(GetDlgItem(panel, id), &r);
            ASSERT_TRUE(test::MovePointer((r.left + r.right) / 2, (r.top + r.bottom) / 2));
            CURSORINFO ci = {};
            ci.cbSize = sizeof(ci);
            EXPECT_TRUE(test::PumpUntil([&] { return GetCursorInfo(&ci) && ci.hCursor == hand; }));
        }

        g_sizes.clear();
        g_hook = SetWindowsHookExW(WH_CALLWNDPROC, RecordMinimise, nullptr, GetCurrentThreadId());
        RECT m;
        GetWindowRect(GetDlgItem(panel, 1012), &m);
        ASSERT_TRUE(test::MovePointer((m.left + m.right) / 2, (m.top + m.bottom) / 2));
        ASSERT_TRUE(test::ClickPointer());
        EXPECT_TRUE(test::PumpUntil([&] { return g_sizes.size() >= 2; }));
        UnhookWindowsHookEx(g_hook);
        ASSERT_EQ(g_sizes.size(), 2u);
        EXPECT_EQ(g_sizes[0].first, panel) << "the panel first";
        EXPECT_EQ(g_sizes[1].first, launcher.m_hWnd) << "then the main window";
        EXPECT_TRUE(IsIconic(panel) && IsIconic(launcher.m_hWnd));
    });
}

}  // namespace
