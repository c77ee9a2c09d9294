// The translucent window and its colour-keyed companion, on screen under
// Wine in Xvfb, with test artwork of known pixels (res/translucent-art.png):
// x 0-79 opaque red, x 80-139 blue at alpha 128, x 140-199 fully
// transparent, one opaque white pixel at (150, 60).
#include "support/TestSupport.h"

#include "framework/CButton.h"
#include "framework/CDataExchange.h"
#include "framework/ScopedGdiplus.h"
#include "res/FrameworkTestIds.h"
#include "translucent/CTranslucentDialog.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

const COLORREF kKey = RGB(0, 255, 0);
const COLORREF kOffKey = RGB(0, 254, 0);
std::vector<std::string> g_events;

class TestCompanion : public CStandardDialog {
public:
    explicit TestCompanion(CWnd* parent) : CStandardDialog(IDD_COMPANION, kKey, parent) { ++s_alive; }
    ~TestCompanion() override { --s_alive; g_events.push_back("companion deleted"); }

    BOOL OnInitDialog() override
    {
        g_events.push_back("companion OnInitDialog");
        BOOL r = CStandardDialog::OnInitDialog();
        // A control that paints itself one step off the key colour.
        ::MoveWindow(::GetDlgItem(m_hWnd, IDC_OFFKEY), 120, 40, 30, 30, TRUE);
        m_offKey.CreateSolidBrush(kOffKey);
        return r;
    }
    HBRUSH OnCtlColor(HDC hdc, CWnd* pWnd, UINT nCtlColor)
    {
        if (nCtlColor == CTLCOLOR_STATIC && pWnd && pWnd->GetDlgCtrlID() == IDC_OFFKEY) {
            SetBkColor(hdc, kOffKey);
            return m_offKey;
        }
        return CStandardDialog::OnCtlColor(hdc, pWnd, nCtlColor);
    }
    void OnButton() { g_events.push_back("companion button"); }
    void OnPatch() { g_events.push_back("companion patch"); }

    CBrush m_offKey;
    static int s_alive;
    DECLARE_MESSAGE_MAP()
};
int TestCompanion::s_alive = 0;

BEGIN_MESSAGE_MAP(TestCompanion, CStandardDialog)
    ON_BN_CLICKED(IDC_COMPANION_BUTTON, OnButton)
    ON_CONTROL(STN_CLICKED, IDC_OFFKEY, OnPatch)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

class TestItem : public CLayeredChild {
public:
    TestItem(int x, bool visible) : m_x(x) { m_bVisible = visible; }
    ~TestItem() override { g_events.push_back("item deleted"); }
    void Render(Gdiplus::Graphics& g) override
    {
        ++m_renders;
        Gdiplus::SolidBrush white(Gdiplus::Color(255, 255, 255, 255));
        g.FillRectangle(&white, m_x, 100, 10, 10);
    }
    int m_x;
    int m_renders = 0;
};

class TestTranslucent : public CTranslucentDialog {
public:
    explicit TestTranslucent(bool withCompanion = true, UINT image = IDB_TEST_ART)
        : CTranslucentDialog(IDD_BACKGROUND, image, L"PNG", nullptr, nullptr), m_withCompanion(withCompanion)
    {
    }
    CStandardDialog* CreateCompanionDialog() override
    {
        g_events.push_back("CreateCompanionDialog");
        return m_withCompanion ? new TestCompanion(this) : nullptr;
    }
    void InitLayeredItems() override
    {
        g_events.push_back("InitLayeredItems");
        for (TestItem* item : m_items) m_children.push_back(item);
    }
    BOOL OnInitDialog() override
    {
        g_events.push_back(std::string("OnInitDialog, companion ") +
                           (m_pCompanion && m_pCompanion->IsWindowVisible() ? "shown" : "absent"));
        return CTranslucentDialog::OnInitDialog();
    }
    void OnLButtonDownRecorded(UINT flags, POINT pt)
    {
        g_events.push_back("background button down");
        CTranslucentDialog::OnLButtonDown(flags, pt);
    }
    void OnKeyDown(UINT ch, UINT, UINT) { g_events.push_back("key " + std::to_string(ch)); }
    void OnCancel() override { g_events.push_back("OnCancel"); CTranslucentDialog::OnCancel(); }
    void OnOK() override { g_events.push_back("OnOK"); CTranslucentDialog::OnOK(); }

    // Test access to the protected switches.
    bool& Drag() { return m_bDragEnabled; }
    bool& CenterOnCreate() { return m_bCenterOnCreate; }
    bool& IgnoreRenderEvents() { return m_bIgnoreRenderEvents; }
    bool& ItemsOnly() { return m_bItemsOnly; }
    std::list<CLayeredChild*>& Children() { return m_children; }
    Gdiplus::Image* Image() const { return m_pImage; }

    std::vector<TestItem*> m_items;
    bool m_withCompanion;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestTranslucent, CTranslucentDialog)
    AFX_MSG_ENTRY(WM_LBUTTONDOWN, POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                  self->OnLButtonDownRecorded(static_cast<UINT>(wParam), pt); return 0;)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

class Translucent : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_gdiplus.Ok());
        g_events.clear();
        test::MovePointer(1270, 1010);
    }
    // Creates the pair modeless at a known place, shown, and lets it settle.
    void Open(TestTranslucent& dlg, int x = 200, int y = 150)
    {
        dlg.CenterOnCreate() = false;
        ASSERT_TRUE(dlg.Create(IDD_BACKGROUND));
        dlg.SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        test::PumpUntil([] { return false; }, 300);
    }
    ScopedGdiplus m_gdiplus;
};

RECT WindowRect(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

TEST_F(Translucent, WindowIsExactlyTheArtAndTheCompanionLiesOverIt)
{
    TestTranslucent dlg;
    Open(dlg);
    RECT r = WindowRect(dlg.m_hWnd);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 120);
    DWORD style = dlg.GetStyle();
    EXPECT_FALSE(style & WS_CAPTION) << "no caption";
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_TRUE(dlg.GetExStyle() & WS_EX_LAYERED);

    CStandardDialog* companion = dlg.Companion();
    ASSERT_NE(companion, nullptr);
    ASSERT_NE(companion->m_hWnd, nullptr);
    RECT c = WindowRect(companion->m_hWnd);
    EXPECT_TRUE(EqualRect(&r, &c)) << "companion at " << c.left << "," << c.top << " " << c.right - c.left << "x"
                                   << c.bottom - c.top;
    EXPECT_EQ(GetWindow(companion->m_hWnd, GW_OWNER), dlg.m_hWnd);
    EXPECT_TRUE(companion->GetExStyle() & WS_EX_LAYERED);
    EXPECT_TRUE(companion->IsWindowVisible());

    // Creation order: the companion exists and is shown before the dialog's
    // own initialisation, which registers items and renders.
    EXPECT_EQ(g_events, (std::vector<std::string>{"CreateCompanionDialog", "companion OnInitDialog",
                                                  "OnInitDialog, companion shown", "InitLayeredItems"}));
    dlg.DestroyWindow();
}

TEST_F(Translucent, ScreenShowsThePremultipliedArt)
{
    TestTranslucent dlg;
    Open(dlg);
    test::Capture cap;
    ASSERT_TRUE(test::CaptureWindow(dlg.m_hWnd, cap));
    ASSERT_EQ(cap.width, 200);
    ASSERT_EQ(cap.height, 120);
        // The window's own pixels are the composed picture, premultiplied: the
    // X window keeps colour only, alpha goes to the compositor.
    struct Case { const char* context; int x, y; COLORREF rgb; };
    const Case cases[] = {
        {"opaque red", 60, 100, RGB(255, 0, 0)},
        {"blue at half alpha, premultiplied", 110, 100, RGB(0, 0, 128)},
        {"transparent", 170, 100, RGB(0, 0, 0)},
        {"the single white pixel", 150, 60, RGB(255, 255, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.context);
        COLORREF got = cap.At(c.x, c.y);
        EXPECT_NEAR(GetRValue(got), GetRValue(c.rgb), 2);
        EXPECT_NEAR(GetGValue(got), GetGValue(c.rgb), 2);
        EXPECT_NEAR(GetBValue(got), GetBValue(c.rgb), 2);
    }
    dlg.DestroyWindow();
}

TEST_F(Translucent, KeyColourIsClickThroughAndOffKeyIsNot)
{
    TestTranslucent dlg;
    dlg.Drag() = false;
    Open(dlg, 200, 150);

    // Under Wine the key is cut out with a window region (its X11 driver
    // would paint the key black); the region is the pixels that are not key.
    HWND companion = dlg.Companion()->m_hWnd;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_TRUE(test::PumpUntil([&] { return GetWindowRgn(companion, region) != ERROR; }));
    EXPECT_FALSE(PtInRegion(region, 60, 100)) << "key pixel cut out";
    EXPECT_TRUE(PtInRegion(region, 135, 55)) << "off-key pixel kept";
    EXPECT_TRUE(PtInRegion(region, 10, 8)) << "the button kept";
    DeleteObject(region);

    test::Capture screen;
    RECT area = {200, 150, 400, 270};
    ASSERT_TRUE(test::CaptureScreen(area, screen));
    EXPECT_EQ(screen.At(135, 55), kOffKey) << "one step off the key stays visible";
    // (The art beneath is a 32-bit window; without a compositor the root
    // window's image of it is undefined, so it is read per window elsewhere.)
    int green = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 200; ++x)
            if (screen.At(x, y) == kKey && green++ == 0) {
                firstX = x;
                firstY = y;
            }
    EXPECT_EQ(green, 0) << "key colour visible, first at " << firstX << "," << firstY;

    // The companion's own clicks first: activating the background window
    // lets Wine's X11 driver (with no window manager) stack it over its
    // owned companion, which Windows never does.
    struct Case { const char* context; int x, y; const char* event; };
    const Case cases[] = {
        {"a button on the companion", 10, 8, "companion button"},
        {"off-key pixel: the companion", 135, 55, "companion patch"},
        {"key pixel over opaque art: the background window", 60, 100, "background button down"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.context);
        g_events.clear();
        ASSERT_TRUE(test::MovePointer(200 + c.x, 150 + c.y));
        ASSERT_TRUE(test::ClickPointer());
        EXPECT_TRUE(test::PumpUntil([&] { return !g_events.empty(); }));
        EXPECT_EQ(g_events, std::vector<std::string>{c.event});
    }
    dlg.DestroyWindow();
}

TEST_F(Translucent, LeftButtonDragMovesBothWindows)
{
    TestTranslucent dlg;
    Open(dlg, 200, 150);
    // The press starts the system's move loop on this thread, so the
    // pointer is driven from a script that runs on its own.
    ASSERT_TRUE(test::StartHostCommand(
        "xdotool mousemove --sync 260 250 mousedown 1 sleep 0.3 mousemove --sync 300 270 sleep 0.3 "
        "mousemove --sync 340 290 sleep 0.3 mouseup 1"));
    EXPECT_TRUE(test::PumpUntil([&] { return WindowRect(dlg.m_hWnd).left == 280; }, 8000));
    RECT r = WindowRect(dlg.m_hWnd), c = WindowRect(dlg.Companion()->m_hWnd);
    EXPECT_EQ(r.left, 280);
    EXPECT_EQ(r.top, 190);
    EXPECT_TRUE(EqualRect(&r, &c)) << "companion at " << c.left << "," << c.top;
    test::WaitHostCommands();
    dlg.DestroyWindow();
}

// For comparison: a plain dialog ends on Esc.
class PlainDialog : public CDialog {
public:
    PlainDialog() : CDialog(IDD_POSITIONED) {}
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        return TRUE;
    }
};

class KeyedTranslucent : public TestTranslucent {
public:
    BOOL OnInitDialog() override
    {
        TestTranslucent::OnInitDialog();
        // Through the modal loop, as a key press would come.
        PostMessage(WM_KEYDOWN, VK_RETURN, 0);
        PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessage(WM_KEYUP, VK_ESCAPE, 0);
        PostMessage(WM_APP + 1);
        return TRUE;
    }
    LRESULT OnDone(WPARAM, LPARAM) { EndDialog(42); return 0; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(KeyedTranslucent, TestTranslucent)
    ON_MESSAGE(WM_APP + 1, OnDone)
END_MESSAGE_MAP()

TEST_F(Translucent, EnterAndEscapeDoNotEndTheDialog)
{
    KeyedTranslucent dlg;
    dlg.CenterOnCreate() = false;
    EXPECT_EQ(dlg.DoModal(), 42);
    std::vector<std::string> keys;
    for (const std::string& e : g_events)
        if (e.rfind("key", 0) == 0 || e == "OnOK" || e == "OnCancel") keys.push_back(e);
    EXPECT_EQ(keys, (std::vector<std::string>{"key 13", "key 27"})) << "delivered to the window, not as OK/Cancel";

    PlainDialog plain;
    EXPECT_EQ(plain.DoModal(), IDCANCEL) << "the same key ends a plain dialog";
}

TEST_F(Translucent, RequestRenderHonoursTheIgnoreSwitch)
{
    TestTranslucent dlg;
    TestItem item(20, true);
    dlg.m_items.push_back(&item);
    Open(dlg);
    ASSERT_EQ(item.m_renders, 1) << "the first render ends OnInitDialog";
    int sender = 0;
    struct Case { const char* context; bool ignore; void* sender; int renders; };
    const Case cases[] = {
        {"null sender", false, nullptr, 1},
        {"some sender", false, &sender, 1},
        {"ignored", true, &sender, 0},
        {"ignored, null sender", true, nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.context);
        dlg.IgnoreRenderEvents() = c.ignore;
        int before = item.m_renders;
        static_cast<IRenderListener&>(dlg).RequestRender(c.sender);
        EXPECT_EQ(item.m_renders - before, c.renders);
    }
    dlg.DestroyWindow();
}

TEST_F(Translucent, ItemsOnlyModeDrawsEveryItemAndLeavesTheCompanion)
{
    TestTranslucent dlg;
    TestItem shown(20, true), hidden(40, false);
    dlg.m_items = {&shown, &hidden};
    Open(dlg, 200, 150);
    test::Capture cap;
    ASSERT_TRUE(test::CaptureWindow(dlg.m_hWnd, cap));
    EXPECT_EQ(cap.At(25, 105), RGB(255, 255, 255)) << "visible item";
    EXPECT_EQ(cap.At(45, 105), RGB(255, 0, 0)) << "hidden item not drawn, art beneath";
    EXPECT_EQ(hidden.m_renders, 0);

    dlg.ItemsOnly() = true;
    dlg.RenderLayeredWindow();
    ASSERT_TRUE(test::CaptureWindow(dlg.m_hWnd, cap));
    EXPECT_EQ(cap.At(25, 105), RGB(255, 255, 255));
    EXPECT_EQ(cap.At(45, 105), RGB(255, 255, 255)) << "every item, whatever its flag";
    EXPECT_EQ(cap.At(60, 60), RGB(0, 0, 0)) << "no art beyond the origin pixel";

    RECT before = WindowRect(dlg.Companion()->m_hWnd);
    dlg.SetWindowPos(nullptr, 260, 170, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT moved = WindowRect(dlg.Companion()->m_hWnd);
    EXPECT_EQ(moved.left, before.left) << "moves leave the companion";
    EXPECT_EQ(moved.top, before.top);
    dlg.SetWindowPos(nullptr, 0, 0, 150, 100, SWP_NOMOVE | SWP_NOZORDER);
    RECT sized = WindowRect(dlg.Companion()->m_hWnd);
    EXPECT_EQ(sized.right - sized.left, 150) << "sizes still reach it";
    EXPECT_EQ(sized.bottom - sized.top, 100);
    dlg.DestroyWindow();
}

TEST_F(Translucent, WorksWithoutACompanion)
{
    TestTranslucent dlg(false);
    Open(dlg, 220, 160);
    EXPECT_EQ(dlg.Companion(), nullptr);
    RECT r = WindowRect(dlg.m_hWnd);
    EXPECT_EQ(r.left, 220);
    EXPECT_EQ(r.right - r.left, 200);
    dlg.SetWindowPos(nullptr, 0, 0, 120, 80, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(WindowRect(dlg.m_hWnd).right - WindowRect(dlg.m_hWnd).left, 120);
    dlg.DestroyWindow();
}

TEST(TranslucentCentring, HalvesTruncateTowardZero)
{
    struct Case { const char* context; RECT work; int w, h; LONG x, y; };
    const Case cases[] = {
        {"frame wider than the work area", {0, 0, 1025, 768}, 1178, 751, -76, 8},
        {"fits", {0, 0, 1280, 1024}, 1178, 751, 51, 136},
        {"work area with an offset", {100, 40, 1124, 808}, 200, 120, 512, 364},
        {"odd remainder", {0, 0, 1001, 601}, 200, 100, 400, 250},
        {"negative odd remainder", {0, 0, 100, 100}, 201, 203, -50, -51},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.context);
        POINT p = CTranslucentDialog::CenteredOrigin(c.work, c.w, c.h);
        EXPECT_EQ(p.x, c.x);
        EXPECT_EQ(p.y, c.y);
    }
}

class PlacementRecorder : public TestTranslucent {
public:
    BOOL OnInitDialog() override
    {
        GetWindowRect(&m_atInit);
        return TestTranslucent::OnInitDialog();
    }
    RECT m_atInit = {};
};

TEST_F(Translucent, CreateCentresTheCaptionedFrameThenPostInitCentresTheWindow)
{
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    {
        SCOPED_TRACE("centred in OnCreate");
        PlacementRecorder dlg;
        ASSERT_TRUE(dlg.Create(IDD_BACKGROUND));
        RECT frame = {0, 0, 200, 120};
        AdjustWindowRect(&frame, WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_FIXEDSYS, FALSE);
        POINT expected = CTranslucentDialog::CenteredOrigin(work, frame.right - frame.left, frame.bottom - frame.top);
        EXPECT_EQ(dlg.m_atInit.left, expected.x);
        EXPECT_EQ(dlg.m_atInit.top, expected.y);
        // Then the framework's step after WM_INITDIALOG centres the window
        // itself, since nothing else placed it.
        RECT r = WindowRect(dlg.m_hWnd);
        EXPECT_EQ(r.left, (work.left + work.right) / 2 - 100);
        EXPECT_EQ(r.top, (work.top + work.bottom) / 2 - 60);
        RECT c = WindowRect(dlg.Companion()->m_hWnd);
        EXPECT_TRUE(EqualRect(&r, &c));
        dlg.DestroyWindow();
    }
    {
        SCOPED_TRACE("kept at the creation position");
        PlacementRecorder dlg;
        dlg.CenterOnCreate() = false;
        ASSERT_TRUE(dlg.Create(IDD_BACKGROUND));
        EXPECT_EQ(dlg.m_atInit.left, 0);
        EXPECT_EQ(dlg.m_atInit.top, 0);
        EXPECT_EQ(dlg.m_atInit.right, 200) << "sized to the art all the same";
        dlg.DestroyWindow();
    }
}

TEST_F(Translucent, DestructionDeletesCompanionAndArtButNoItem)
{
    auto item = std::make_unique<TestItem>(20, true);
    auto dlg = std::make_unique<TestTranslucent>();
    dlg->m_items.push_back(item.get());
    Open(*dlg);
    EXPECT_EQ(TestCompanion::s_alive, 1);
    HWND companion = dlg->Companion()->m_hWnd;
    dlg->DestroyWindow();
    EXPECT_FALSE(IsWindow(companion)) << "the companion's window goes with its owner";
    g_events.clear();
    dlg.reset();
    EXPECT_EQ(TestCompanion::s_alive, 0);
    EXPECT_EQ(g_events, std::vector<std::string>{"companion deleted"}) << "the item is still ours and alive";
    item.reset();
    EXPECT_EQ(g_events, (std::vector<std::string>{"companion deleted", "item deleted"}));
}

TEST_F(Translucent, ArtThatCannotBeLoadedLeavesAnEmptyWindow)
{
    TestTranslucent dlg(true, 146);   // no such picture
    dlg.CenterOnCreate() = false;
    ASSERT_TRUE(dlg.Create(IDD_BACKGROUND));
    RECT r = WindowRect(dlg.m_hWnd);
    EXPECT_EQ(r.right - r.left, 0);
    EXPECT_EQ(r.bottom - r.top, 0);
    RECT c = WindowRect(dlg.Companion()->m_hWnd);
    EXPECT_EQ(c.right - c.left, 0);
    dlg.RenderLayeredWindow();   // nothing to draw, nothing breaks
    dlg.DestroyWindow();
}

TEST(StandardDialog, AnswersOnlyTheDialogColourWithTheKeyBrush)
{
    ScopedGdiplus gdiplus;
    TestCompanion companion(nullptr);
    ASSERT_TRUE(companion.Create(IDD_COMPANION));
    HWND button = GetDlgItem(companion.m_hWnd, IDC_COMPANION_BUTTON);
    HDC dc = GetDC(companion.m_hWnd);
    LRESULT dlgBrush = SendMessageW(companion.m_hWnd, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(companion.m_hWnd));
    LOGBRUSH lb = {};
    ASSERT_TRUE(GetObjectW(reinterpret_cast<HBRUSH>(dlgBrush), sizeof(lb), &lb));
    EXPECT_EQ(lb.lbColor, kKey);
    for (UINT msg : {WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX}) {
        SCOPED_TRACE(testing::Message() << "message 0x" << std::hex << msg);
        LRESULT brush = SendMessageW(companion.m_hWnd, msg, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(button));
        EXPECT_NE(brush, dlgBrush);
    }
    ReleaseDC(companion.m_hWnd, dc);
    // No browser of the HTML dialog's own.
    EXPECT_EQ(GetDlgItem(companion.m_hWnd, 102), nullptr);

    // Cancel without a parent only ends the companion.
    g_events.clear();
    companion.ShowWindow(SW_SHOW);
    SendMessageW(companion.m_hWnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(companion.IsWindowVisible());
    EXPECT_TRUE(IsWindow(companion.m_hWnd));
    companion.DestroyWindow();
}

TEST_F(Translucent, CancelOnTheCompanionClosesTheOwner)
{
    TestTranslucent dlg;
    Open(dlg);
    HWND owner = dlg.m_hWnd;
    SendMessageW(dlg.Companion()->m_hWnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(dlg.Companion()->IsWindowVisible()) << "the companion ends (hidden)";
    EXPECT_TRUE(test::PumpUntil([&] {
        return std::find(g_events.begin(), g_events.end(), "OnCancel") != g_events.end();
    })) << "the owner's close became its cancel";
    EXPECT_TRUE(IsWindow(owner));
    dlg.DestroyWindow();
}

}  // namespace
