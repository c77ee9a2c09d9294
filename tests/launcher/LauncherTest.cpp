// The real Selvane.exe, run under Wine in Xvfb and observed from outside as
// a player would: its windows, the pixels on screen, the pointer, and what it
// hands the shell. The "browser" the shell starts is a recorder
// (tools/UrlRecorder.cpp) registered for http in the test prefix.
#include "support/TestSupport.h"

#include "framework/ScopedGdiplus.h"

#include <string>
#include <vector>

namespace {

const int kWidth = 1172, kHeight = 745;

struct ButtonPlace {
    const char* name;
    int id;
    int x, y, cx, cy;
    UINT normal, hot;
};
const ButtonPlace kButtons[] = {
    {"home", 1006, 533, 78, 99, 28, 139, 140},
    {"recharge", 1008, 634, 78, 99, 28, 143, 144},
    {"service", 1009, 735, 78, 99, 28, 145, 147},
    {"forum", 1010, 836, 78, 99, 28, 141, 142},
    {"close", 1004, 988, 78, 40, 40, 138, 137},
    {"minimise", 1012, 953, 85, 35, 35, 159, 160},
};
const ButtonPlace& Button(const char* name)
{
    for (const ButtonPlace& b : kButtons)
        if (strcmp(b.name, name) == 0) return b;
    return kButtons[0];
}

struct Windows {
    HWND background = nullptr;
    HWND panel = nullptr;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM param)
{
    auto* found = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == found->first) found->second.push_back(hwnd);
    return TRUE;
}

class Launcher : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_gdiplus.Ok());
        m_dir = test::ExeDirectory() + L"run\\";
        CreateDirectoryW(m_dir.c_str(), nullptr);
        for (const wchar_t* name : {L"config.ini", L"recorded.txt"})
            DeleteFileW((m_dir + name).c_str());
        ASSERT_TRUE(CopyFileW(test::SelvaneExePath().c_str(), (m_dir + L"Selvane.exe").c_str(), FALSE));
        std::wstring recorder = test::ExeDirectory() + L"url_recorder.exe";
        ASSERT_TRUE(CopyFileW(recorder.c_str(), (m_dir + L"url_recorder.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileW(recorder.c_str(), (m_dir + L"ERROR.exe").c_str(), FALSE));
        // Wine looks up the http and https handlers in HKLM's classes.
        std::wstring command = L"\"" + m_dir + L"url_recorder.exe\" \"%1\"";
        for (const wchar_t* scheme : {L"http", L"https"}) {
            HKEY key;
            std::wstring path = std::wstring(L"Software\\Classes\\") + scheme + L"\\shell\\open\\command";
            ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                      nullptr), ERROR_SUCCESS);
            RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                           static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
            RegCloseKey(key);
        }
        test::MovePointer(5, 1015);
    }

    void TearDown() override
    {
        if (m_process) {
            if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) TerminateProcess(m_process, 99);
            WaitForSingleObject(m_process, 10000);
            CloseHandle(m_process);
        }
    }

    void WriteConfig(const std::string& text) { ASSERT_TRUE(test::WriteFileBytes(m_dir + L"config.ini", text)); }

    // Starts Selvane.exe and waits for its first frame: both windows shown.
    void Start()
    {
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        std::wstring exe = m_dir + L"Selvane.exe";
        std::wstring line = L"\"" + exe + L"\"";
        ASSERT_TRUE(CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, m_dir.c_str(), &si, &pi));
        CloseHandle(pi.hThread);
        m_process = pi.hProcess;
        m_pid = pi.dwProcessId;
        ASSERT_TRUE(test::PumpUntil([&] {
            m_windows = Find();
            return m_windows.background && m_windows.panel && IsWindowVisible(m_windows.background) &&
                   IsWindowVisible(m_windows.panel) && GetDlgItem(m_windows.panel, 1012);
        }, 30000)) << "the launcher did not appear";
        // Let it finish its first paint and its key region.
        Sync();
        test::PumpUntil([] { return false; }, 500);
    }

    Windows Find() const
    {
        std::pair<DWORD, std::vector<HWND>> found(m_pid, {});
        EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&found));
        Windows w;
        for (HWND h : found.second) {
            wchar_t title[64] = L"";
            GetWindowTextW(h, title, 64);
            if (!GetWindow(h, GW_OWNER) && wcscmp(title, L"Selvane") == 0) w.background = h;
        }
        for (HWND h : found.second)
            if (w.background && GetWindow(h, GW_OWNER) == w.background && GetDlgItem(h, 1005)) w.panel = h;
        return w;
    }

    // A round trip through the launcher's queue: what it was sent is done.
    void Sync()
    {
        DWORD_PTR result;
        if (m_windows.panel) SendMessageTimeoutW(m_windows.panel, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &result);
    }

    bool Exited(DWORD timeoutMs, DWORD* code = nullptr)
    {
        bool done = test::PumpUntil([&] { return WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0; }, timeoutMs);
        if (done && code) GetExitCodeProcess(m_process, code);
        return done;
    }

    RECT ScreenRectOf(const ButtonPlace& b) const
    {
        RECT r;
        GetWindowRect(GetDlgItem(m_windows.panel, b.id), &r);
        return r;
    }

    // A click on a button. A second click within the double-click time would
    // be a double click, which an owner-drawn button reports as such, not
    // as a click: wait that long after the last one.
    void Click(const ButtonPlace& b)
    {
        const DWORD gap = GetDoubleClickTime() + 50;
        test::PumpUntil([&] { return GetTickCount() - m_lastClick > gap; }, gap + 100);
        RECT r = ScreenRectOf(b);
        ASSERT_TRUE(test::MovePointer((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        ASSERT_TRUE(test::ClickPointer());
        m_lastClick = GetTickCount();
    }

    std::vector<std::string> Recorded()
    {
        std::string text;
        test::ReadFileBytes(m_dir + L"recorded.txt", text);
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
            lines.push_back(text.substr(start, nl - start));
        return lines;
    }

    // Waits until `count` addresses have been recorded.
    std::vector<std::string> WaitForRecorded(size_t count)
    {
        std::vector<std::string> lines;
        test::PumpUntil([&] { return (lines = Recorded()).size() >= count; }, 15000);
        return lines;
    }

    ScopedGdiplus m_gdiplus;
    std::wstring m_dir;
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
    DWORD m_lastClick = 0;
    Windows m_windows;
};

RECT RectOf(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

TEST_F(Launcher, GeometryOfTheWindowsAndControls)
{
    Start();
    RECT bg = RectOf(m_windows.background);
    EXPECT_EQ(bg.right - bg.left, kWidth);
    EXPECT_EQ(bg.bottom - bg.top, kHeight);
    EXPECT_EQ(GetWindow(m_windows.background, GW_OWNER), nullptr) << "the launcher has no owner";
    std::pair<DWORD, std::vector<HWND>> all(m_pid, {});
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&all));
    int unownedVisible = 0;
    for (HWND h : all.second)
        if (IsWindowVisible(h) && !GetWindow(h, GW_OWNER)) ++unownedVisible;
    EXPECT_EQ(unownedVisible, 1) << "one top-level launcher window";
    EXPECT_FALSE(GetWindowLongW(m_windows.background, GWL_STYLE) & WS_CAPTION);
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_NEAR((bg.left + bg.right) / 2, (area.left + area.right) / 2, 1) << "centred on the work area";
    EXPECT_NEAR((bg.top + bg.bottom) / 2, (area.top + area.bottom) / 2, 1);

    RECT panel = RectOf(m_windows.panel);
    EXPECT_TRUE(EqualRect(&bg, &panel)) << "the panel lies exactly over the artwork";

    struct Child { const char* name; int id; RECT at; };
    std::vector<Child> children = {{"browser", 1005, {488, 167, 488 + 492, 167 + 294}}};
    for (const ButtonPlace& b : kButtons)
        children.push_back({b.name, b.id, {b.x, b.y, b.x + b.cx, b.y + b.cy}});
    for (const Child& c : children) {
        SCOPED_TRACE(c.name);
        HWND h = GetDlgItem(m_windows.panel, c.id);
        ASSERT_NE(h, nullptr);
        RECT r = RectOf(h);
        OffsetRect(&r, -panel.left, -panel.top);
        EXPECT_TRUE(EqualRect(&r, &c.at)) << r.left << "," << r.top << " " << r.right - r.left << "x"
                                          << r.bottom - r.top;
    }
    for (int hidden : {104, 105})
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(m_windows.panel, hidden))) << "button " << hidden << " stays hidden";
}

TEST_F(Launcher, DraggingTheArtMovesBothWindows)
{
    Start();
    RECT before = RectOf(m_windows.background);
    // The moon crest: opaque art, and key colour on the panel above it.
    int x = before.left + 200, y = before.top + 420;
    char script[256];
    wsprintfA(script, "xdotool mousemove %d %d mousedown 1 sleep 0.3 mousemove %d %d sleep 0.3 mousemove %d %d "
                      "sleep 0.3 mouseup 1", x, y, x + 20, y + 10, x + 40, y + 25);
    ASSERT_EQ(test::RunHostCommand(script), 0);
    EXPECT_TRUE(test::PumpUntil([&] { return RectOf(m_windows.background).left == before.left + 40; }));
    RECT after = RectOf(m_windows.background), panel = RectOf(m_windows.panel);
    EXPECT_EQ(after.left, before.left + 40);
    EXPECT_EQ(after.top, before.top + 25);
    EXPECT_TRUE(EqualRect(&after, &panel)) << "the panel followed";
}

COLORREF PicturePixel(UINT id, int x, int y, BYTE* alpha = nullptr)
{
    return test::PicturePixel(nullptr, id, x, y, alpha);
}

bool Near(COLORREF a, COLORREF b)
{
    return test::ColourNear(a, b, 3);
}

using test::Hex;

TEST_F(Launcher, ArtAndPanelPixels)
{
    Start();
    // The background window holds the artwork, premultiplied.
    test::Capture art;
    ASSERT_TRUE(test::CaptureWindow(m_windows.background, art));
    ASSERT_EQ(art.width, kWidth);
    struct Point { const char* what; int x, y; };
    const Point points[] = {
        {"transparent margin", 2, 2}, {"inside the page frame", 700, 200}, {"the moon", 150, 200},
        {"the mountains", 300, 620}, {"soft shadow edge", 600, 705},
    };
    for (const Point& p : points) {
        SCOPED_TRACE(p.what);
        COLORREF want = PicturePixel(158, p.x, p.y);
        EXPECT_TRUE(Near(art.At(p.x, p.y), want)) << Hex(art.At(p.x, p.y)) << " vs " << Hex(want);
    }

    // No key green anywhere on screen; the panel shows only its controls.
    RECT bg = RectOf(m_windows.background);
    test::Capture screen;
    ASSERT_TRUE(test::CaptureScreen(bg, screen));
    int green = 0;
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x)
            if (screen.At(x, y) == RGB(0, 255, 0)) ++green;
    EXPECT_EQ(green, 0) << "pure-green key pixels visible";
}

bool s_caught = false;

LRESULT CALLBACK CatcherProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_LBUTTONDOWN) s_caught = true;
    return DefWindowProcW(h, m, w, l);
}

TEST_F(Launcher, AClickOnTheTransparentMarginGoesThrough)
{
    // A window of ours under the launcher catches what falls through.
    s_caught = false;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = CatcherProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = L"Catcher";
    RegisterClassW(&wc);
    HWND catcher = CreateWindowExW(0, L"Catcher", L"", WS_POPUP | WS_VISIBLE, 0, 0, 1280, 1024, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(catcher, nullptr);
    test::PumpUntil([] { return false; }, 300);
    Start();
    RECT bg = RectOf(m_windows.background);
    ASSERT_TRUE(test::MovePointer(bg.left + 3, bg.top + 3));
    ASSERT_TRUE(test::ClickPointer());
    EXPECT_TRUE(test::PumpUntil([] { return s_caught; })) << "the click reached the window below";
    DestroyWindow(catcher);
}

TEST_F(Launcher, ButtonsShowTheirHotPictures)
{
    Start();
    for (const ButtonPlace& b : kButtons) {
        SCOPED_TRACE(b.name);
        RECT r = ScreenRectOf(b);
        // A point of the picture away from its label: (3, 5) of the picture,
        // which is drawn centred in the button.
        BYTE alpha = 0;
        int pw = b.cx == 99 ? 99 : (b.id == 1004 ? 30 : 21), ph = b.cx == 99 ? 29 : (b.id == 1004 ? 31 : 21);
        int px = b.cx == 99 ? 3 : pw / 2, py = b.cx == 99 ? 5 : 3;
        int sx = r.left + (b.cx - pw) / 2 + px, sy = r.top + (b.cy - ph) / 2 + py;
        COLORREF normal = PicturePixel(b.normal, px, py, &alpha);
        COLORREF hot = PicturePixel(b.hot, px, py);
        ASSERT_EQ(alpha, 255);
        auto at = [&] {
            test::Capture c;
            RECT one = {sx, sy, sx + 1, sy + 1};
            return test::CaptureScreen(one, c) ? c.At(0, 0) : CLR_INVALID;
        };
        COLORREF seen = at();
        EXPECT_TRUE(Near(seen, normal)) << "normal: " << Hex(seen) << " vs " << Hex(normal);

        ASSERT_TRUE(test::MovePointer(sx, sy));
        EXPECT_TRUE(test::PumpUntil([&] { return Near(seen = at(), hot); })) << "hot: " << Hex(seen) << " vs " << Hex(hot);

        ASSERT_TRUE(test::MovePointer(5, 1015));
        EXPECT_TRUE(test::PumpUntil([&] { return Near(seen = at(), normal); })) << "back: " << Hex(seen);
    }
}

TEST_F(Launcher, LinkButtonsOpenTheirConfiguredAddresses)
{
    struct Case {
        const char* context;
        std::string config;
        const char* button;
        const char* expected;   // what the shell was handed; null: nothing
    };
    const Case cases[] = {
        {"configured", "[tamb]\r\nhome_url=http://home.example.test/start\r\n", "home", "http://home.example.test/start"},
        {"no config.ini: built-in", "", "home", "http://www.selvane-game.test/"},
        {"missing key: built-in", "[tamb]\r\nhome_url=http://x.test/\r\n", "recharge", "http://pay.selvane-online.test/3372.htm"},
        {"exactly error: built-in", "[tamb]\r\nservice_url=error\r\n", "service", "http://www.selvane-online.test/faq/"},
        {"the forum", "[tamb]\r\nforum_url=http://bbs.example.test/f\r\n", "forum", "http://bbs.example.test/f"},
        {"HTTPS in capitals is a web address", "[tamb]\r\nrecharge_url=HTTPS://pay.example.test/\r\n", "recharge",
         "HTTPS://pay.example.test/"},
        // Anything but a web page opens nothing: the shell would start it.
        {"ERROR is no address", "[tamb]\r\nforum_url=ERROR\r\n", "forum", nullptr},
        {"a program's path", "[tamb]\r\nservice_url=C:\\windows\\system32\\notepad.exe\r\n", "service", nullptr},
        {"a program's name", "[tamb]\r\nforum_url=cmd.exe\r\n", "forum", nullptr},
        {"a file address", "[tamb]\r\nhome_url=file:///C:/windows/notepad.exe\r\n", "home", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.context);
        TearDown();
        m_process = nullptr;
        SetUp();
        // A second button with a known address follows every click, so that
        // "nothing" is told apart from "not yet".
        const char* marker = strcmp(c.button, "recharge") == 0 ? "service" : "recharge";
        std::string config = c.config.empty() ? std::string() : c.config;
        if (!config.empty())
            config += std::string(marker) + "_url=http://marker.test/\r\n";
        if (!config.empty()) WriteConfig(config);
        Start();
        Click(Button(c.button));
        if (!config.empty()) Click(Button(marker));
        std::vector<std::string> expected;
        if (c.expected) expected.push_back(c.expected);
        if (!config.empty()) expected.push_back("http://marker.test/");
        EXPECT_EQ(WaitForRecorded(expected.size()), expected);
    }
}

TEST_F(Launcher, AnEditAppliesAtTheNextClickAndAnEmptyValueIsPassedOnEmpty)
{
    WriteConfig("[tamb]\r\nhome_url=\r\nforum_url=http://first.test/\r\n");
    Start();
    Click(Button("forum"));
    EXPECT_EQ(WaitForRecorded(1), std::vector<std::string>{"http://first.test/"});
    // An edit made while the launcher is open counts at the next click.
    WriteConfig("[tamb]\r\nhome_url=\r\nforum_url=http://second.test/\r\n");
    Click(Button("forum"));
    EXPECT_EQ(WaitForRecorded(2), (std::vector<std::string>{"http://first.test/", "http://second.test/"}));

    // The empty address is no web page: nothing opens - in particular not
    // the built-in home page. (The last click comes as a message all the
    // same, as it did when the shell showed something for it.)
    Click(Button("home"));
    HWND forum = GetDlgItem(m_windows.panel, Button("forum").id);
    PostMessageW(m_windows.panel, WM_COMMAND, MAKEWPARAM(Button("forum").id, BN_CLICKED), reinterpret_cast<LPARAM>(forum));
    EXPECT_EQ(WaitForRecorded(3), (std::vector<std::string>{"http://first.test/", "http://second.test/",
                                                             "http://second.test/"}));
}

TEST_F(Launcher, TheCloseButtonEndsTheProgram)
{
    Start();
    Click(Button("close"));
    DWORD code = 1234;
    ASSERT_TRUE(Exited(30000, &code));
    EXPECT_EQ(code, 0u);
}

TEST_F(Launcher, EnterKeepsTheLauncherAndEscapeClosesIt)
{
    Start();
    HWND home = GetDlgItem(m_windows.panel, 1006);
    // Keys as the panel's message loop receives them.
    PostMessageW(home, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(home, WM_KEYUP, VK_RETURN, 0);
    // Idle again: the keys have been through its loop.
    WaitForInputIdle(m_process, 5000);
    Sync();
    EXPECT_EQ(WaitForSingleObject(m_process, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "Enter closed the launcher";
    EXPECT_TRUE(IsWindowVisible(m_windows.background));
    PostMessageW(home, WM_KEYDOWN, VK_ESCAPE, 0);
    DWORD code = 1234;
    ASSERT_TRUE(Exited(30000, &code)) << "Esc did not close it";
    EXPECT_EQ(code, 0u);
}

TEST_F(Launcher, MinimiseMinimisesBothWindows)
{
    Start();
    Click(Button("minimise"));
    EXPECT_TRUE(test::PumpUntil([&] { return IsIconic(m_windows.panel) && IsIconic(m_windows.background); }));
}

}  // namespace
