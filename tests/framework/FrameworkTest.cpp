// The framework's windows, driven with real messages under Wine.
#include "support/TestSupport.h"

#include "framework/CBrush.h"

#include "framework/CButton.h"
#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "framework/CHandleMap.h"
#include "framework/CMFCButton.h"
#include "framework/CWinApp.h"
#include "framework/ScopedGdiplus.h"
#include "framework/ScopedWin.h"
#include "res/FrameworkTestIds.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_calls;

// ---------------------------------------------------------------------------
// Message maps

class BaseWnd : public CWnd {
public:
    int OnCreate(LPCREATESTRUCTW cs)
    {
        g_calls.push_back("Base::OnCreate");
        return CWnd::OnCreate(cs);
    }
    LRESULT OnOne(WPARAM, LPARAM) { g_calls.push_back("Base::One"); return 1; }
    LRESULT OnTwo(WPARAM, LPARAM) { g_calls.push_back("Base::Two"); return 2; }
    LRESULT OnThrow(WPARAM, LPARAM) { g_calls.push_back("Base::Throw"); throw std::runtime_error("boom"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_APP + 1, OnOne)
    ON_MESSAGE(WM_APP + 2, OnTwo)
    ON_MESSAGE(WM_APP + 5, OnThrow)
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd {
public:
    LRESULT OnTwoDerived(WPARAM, LPARAM) { g_calls.push_back("Derived::Two"); return 22; }
    LRESULT OnThree(WPARAM wParam, LPARAM lParam)
    {
        g_calls.push_back("Derived::Three");
        return static_cast<LRESULT>(wParam + lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
    ON_MESSAGE(WM_APP + 2, OnTwoDerived)
    ON_MESSAGE(WM_APP + 3, OnThree)
END_MESSAGE_MAP()

TEST(MessageMap, DispatchChainsToTheBaseAndEndsInDefaultProcessing)
{
    g_calls.clear();
    DerivedWnd wnd;
    RECT r = {0, 0, 100, 100};
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"map", WS_POPUP, r, nullptr, 0));
    EXPECT_EQ(g_calls, std::vector<std::string>{"Base::OnCreate"}) << "bound before WM_CREATE";
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);

    struct Case { UINT message; WPARAM wParam; LPARAM lParam; LRESULT result; const char* call; };
    const Case cases[] = {
        {WM_APP + 1, 0, 0, 1, "Base::One"},          // only the base handles it
        {WM_APP + 2, 0, 0, 22, "Derived::Two"},      // the derived entry wins
        {WM_APP + 3, 30, 12, 42, "Derived::Three"},  // parameters arrive
        {WM_APP + 4, 0, 0, 0, nullptr},              // nobody: DefWindowProc
        {WM_APP + 5, 0, 0, 0, "Base::Throw"},        // the exception stops at the boundary
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "message WM_APP+" << c.message - WM_APP);
        g_calls.clear();
        EXPECT_EQ(SendMessageW(wnd.m_hWnd, c.message, c.wParam, c.lParam), c.result);
        EXPECT_EQ(g_calls, c.call ? std::vector<std::string>{c.call} : std::vector<std::string>{});
    }
    // Default processing of a message no map names.
    SetWindowTextW(wnd.m_hWnd, L"abcd");
    EXPECT_EQ(SendMessageW(wnd.m_hWnd, WM_GETTEXTLENGTH, 0, 0), 4);

    HWND hwnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_hWnd, nullptr) << "unbound on WM_NCDESTROY";
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST(HandleMap, ForeignWindowsGetTemporaryObjects)
{
    HWND foreign = CreateWindowExW(0, L"STATIC", L"x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(foreign, nullptr);
    size_t before = CHandleMap::PermanentCount();
    CWnd* temp = CWnd::FromHandle(foreign);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hWnd, foreign);
    EXPECT_EQ(CWnd::FromHandle(foreign), temp) << "one temporary per handle";
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    EXPECT_EQ(CHandleMap::PermanentCount(), before);

    CWnd attached;
    ASSERT_TRUE(attached.Attach(foreign));
    EXPECT_EQ(CWnd::FromHandle(foreign), &attached) << "a permanent object replaces the temporary";
    EXPECT_FALSE(CWnd().Attach(foreign)) << "one object per window";
    EXPECT_EQ(attached.Detach(), foreign);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    DestroyWindow(foreign);
    CHandleMap::DeleteTemporaries();
}

// ---------------------------------------------------------------------------
// Detach

class RecordingDialog : public CDialog {
public:
    explicit RecordingDialog(UINT id) : CDialog(id) {}
    void OnClose() { g_calls.push_back("OnClose"); CDialog::OnClose(); }
    void OnDestroy() { g_calls.push_back("OnDestroy"); CDialog::OnDestroy(); }
    void OnCancel() override { g_calls.push_back("OnCancel"); CDialog::OnCancel(); }
    void PostNcDestroy() override { g_calls.push_back("PostNcDestroy"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingDialog, CDialog)
    ON_WM_CLOSE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

TEST(Detach, PostedCloseDestroysTheWindowWithoutTheObject)
{
    g_calls.clear();
    RecordingDialog dlg(IDD_POSITIONED);
    ASSERT_TRUE(dlg.Create(IDD_POSITIONED));
    HWND hwnd = dlg.m_hWnd;
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(dlg.Detach(), hwnd);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_TRUE(test::PumpUntil([&] { return !IsWindow(hwnd); })) << "default processing destroys it";
    EXPECT_TRUE(g_calls.empty()) << "a handler ran: " << (g_calls.empty() ? "" : g_calls[0]);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    // The object's operations now do nothing.
    dlg.ShowWindow(SW_SHOW);
    EXPECT_FALSE(dlg.PostMessage(WM_CLOSE));
}

TEST(Detach, WithoutDetachTheCloseGoesThroughTheHandlers)
{
    g_calls.clear();
    RecordingDialog dlg(IDD_POSITIONED);
    ASSERT_TRUE(dlg.Create(IDD_POSITIONED));
    dlg.ShowWindow(SW_SHOW);
    PostMessageW(dlg.m_hWnd, WM_CLOSE, 0, 0);
    // WM_CLOSE becomes the cancel command, which ends (hides) the dialog.
    EXPECT_TRUE(test::PumpUntil([&] { return g_calls.size() >= 2; }));
    EXPECT_EQ(g_calls, (std::vector<std::string>{"OnClose", "OnCancel"}));
    EXPECT_FALSE(IsWindowVisible(dlg.m_hWnd));
    g_calls.clear();
    dlg.DestroyWindow();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"OnDestroy", "PostNcDestroy"}));
}

// ---------------------------------------------------------------------------
// Modal loops

class NestedDialog : public CDialog {
public:
    NestedDialog(int level, std::vector<std::string>* log) : CDialog(IDD_POSITIONED), m_level(level), m_log(log) {}
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        PostMessage(WM_APP + 10);
        return TRUE;
    }
    LRESULT OnGo(WPARAM, LPARAM)
    {
        if (m_level < 3) {
            NestedDialog inner(m_level + 1, m_log);
            INT_PTR r = inner.DoModal();
            m_log->push_back("level " + std::to_string(m_level + 1) + " returned " + std::to_string(r) +
                             (inner.m_hWnd ? ", window left" : ""));
        } else {
            PostQuitMessage(7);
        }
        return 0;
    }
    int m_level;
    std::vector<std::string>* m_log;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NestedDialog, CDialog)
    ON_MESSAGE(WM_APP + 10, OnGo)
END_MESSAGE_MAP()

TEST(ModalLoop, ThreeNestedLoopsUnwindInOrderOnOneQuit)
{
    std::vector<std::string> log;
    NestedDialog outer(1, &log);
    INT_PTR r = outer.DoModal();
    log.push_back("level 1 returned " + std::to_string(r));
    EXPECT_EQ(log, (std::vector<std::string>{"level 3 returned -1", "level 2 returned -1", "level 1 returned -1"}));
    EXPECT_EQ(outer.m_hWnd, nullptr);
    // The outermost loop passed the quit on as well: it is waiting, code intact.
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

class EndingDialog : public CDialog {
public:
    explicit EndingDialog(UINT id, CWnd* parent = nullptr) : CDialog(id, parent) {}
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_owner = ::GetWindow(m_hWnd, GW_OWNER);
        m_ownerEnabled = m_owner && IsWindowEnabled(m_owner);
        PostMessage(WM_COMMAND, IDCANCEL);
        return TRUE;
    }
    HWND m_owner = nullptr;
    bool m_ownerEnabled = false;
};

TEST(ModalLoop, EndDialogEndsTheLoopWithItsResult)
{
    EndingDialog dlg(IDD_POSITIONED);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_hWnd, nullptr) << "the window goes when DoModal returns";
}

// A dialog whose window goes some way other than EndDialog, from inside its
// own loop.
class VanishingDialog : public CDialog {
public:
    enum How { Destroyed, HandedOver, HiddenThenLeft };
    explicit VanishingDialog(How how) : CDialog(IDD_POSITIONED), m_how(how) {}
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        // Shown by its initialisation, as the game window shows itself.
        if (m_how == HiddenThenLeft) ShowWindow(SW_SHOW);
        PostMessage(WM_APP + 11);
        return TRUE;
    }
    LRESULT OnGo(WPARAM, LPARAM)
    {
        m_hwnd = m_hWnd;
        if (m_how == Destroyed) {
            DestroyWindow();
        } else if (m_how == HandedOver) {
            CloseDetached();
        } else {
            // Hidden by the program: the loop must not show it again. Ended
            // later by a cancel, once the queue has run dry a few times.
            ShowWindow(SW_HIDE);
            SetTimer(m_hWnd, 1, 50, nullptr);
        }
        return 0;
    }
    void OnTimer(UINT_PTR)
    {
        m_stayedHidden = !IsWindowVisible();
        if (++m_ticks == 3) EndDialog(IDCANCEL);
    }
    How m_how;
    HWND m_hwnd = nullptr;
    int m_ticks = 0;
    bool m_stayedHidden = false;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(VanishingDialog, CDialog)
    ON_MESSAGE(WM_APP + 11, OnGo)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(ModalLoop, EndsWhenItsWindowGoesAnotherWayAndNeverReshowsAHiddenOne)
{
    struct Case { const char* context; VanishingDialog::How how; INT_PTR result; };
    const Case cases[] = {
        {"destroyed", VanishingDialog::Destroyed, -1},
        {"handed over: closed by the posted WM_CLOSE, the object unbound", VanishingDialog::HandedOver, -1},
        {"hidden, then cancelled", VanishingDialog::HiddenThenLeft, IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.context);
        VanishingDialog dlg(c.how);
        EXPECT_EQ(dlg.DoModal(), c.result);
        EXPECT_EQ(dlg.m_hWnd, nullptr);
        EXPECT_FALSE(dlg.ModalCreationFailed());
        if (c.how == VanishingDialog::HiddenThenLeft) {
            EXPECT_TRUE(dlg.m_stayedHidden);
        }
        // A handed-over window is destroyed by whatever loop runs next.
        test::PumpUntil([&] { return !IsWindow(dlg.m_hwnd); }, 2000);
        EXPECT_FALSE(IsWindow(dlg.m_hwnd));
    }
    CDialog missing(999);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_TRUE(missing.ModalCreationFailed()) << "no template 999";
}

TEST(ScopedBstr, TextIsCopiedAndOnlyABstrIsAdopted)
{
    wchar_t buffer[] = L"plain buffer";   // a wchar_t*, as a BSTR is, but no BSTR
    {
        ScopedBstr copy(buffer);
        ASSERT_NE(copy.Get(), buffer) << "copied, not adopted: freeing it would free the caller's memory";
        EXPECT_EQ(SysStringLen(copy.Get()), 12u);
    }
    EXPECT_STREQ(buffer, L"plain buffer");
    BSTR made = SysAllocString(L"made");
    ScopedBstr owner = ScopedBstr::Adopt(made);
    EXPECT_EQ(owner.Get(), made) << "a BSTR is taken over only when asked";
}

TEST(Brush, ASecondBrushIsRefusedNotLeaked)
{
    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(1, 2, 3)));
    HBRUSH first = brush;
    DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EXPECT_FALSE(brush.CreateSolidBrush(RGB(4, 5, 6)));
    EXPECT_EQ(static_cast<HBRUSH>(brush), first) << "the first brush is kept";
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before) << "no brush was made and lost";
}

TEST(ModalLoop, OwnerRule)
{
    CWinApp app;
    CWnd other;
    RECT r = {50, 50, 250, 150};
    ASSERT_TRUE(other.CreateEx(0, nullptr, L"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, r, nullptr, 0));
    CWnd child;
    RECT cr = {0, 0, 20, 20};
    ASSERT_TRUE(child.CreateEx(0, nullptr, L"child", WS_CHILD | WS_VISIBLE, cr, &other, 5));

    {
        SCOPED_TRACE("the main-window pointer designates the new dialog: no owner");
        EndingDialog dlg(IDD_POSITIONED);
        app.m_pMainWnd = &dlg;
        dlg.DoModal();
        EXPECT_EQ(dlg.m_owner, nullptr);
        EXPECT_TRUE(IsWindowEnabled(other.m_hWnd));
    }
    {
        SCOPED_TRACE("another main window owns it and is disabled meanwhile");
        EndingDialog dlg(IDD_POSITIONED);
        app.m_pMainWnd = &other;
        dlg.DoModal();
        EXPECT_EQ(dlg.m_owner, other.m_hWnd);
        EXPECT_FALSE(dlg.m_ownerEnabled);
        EXPECT_TRUE(IsWindowEnabled(other.m_hWnd)) << "enabled again afterwards";
    }
    {
        SCOPED_TRACE("a child parent: its top-level window owns the dialog");
        EndingDialog dlg(IDD_POSITIONED, &child);
        app.m_pMainWnd = nullptr;
        dlg.DoModal();
        EXPECT_EQ(dlg.m_owner, other.m_hWnd);
    }
    app.m_pMainWnd = nullptr;
    other.DestroyWindow();
}

TEST(MainWindow, DestroyingItPostsQuitAndClearsThePointer)
{
    CWinApp app;
    RECT r = {0, 0, 50, 50};
    CWnd main, other;
    ASSERT_TRUE(main.CreateEx(0, nullptr, L"main", WS_POPUP, r, nullptr, 0));
    ASSERT_TRUE(other.CreateEx(0, nullptr, L"other", WS_POPUP, r, nullptr, 0));
    app.m_pMainWnd = &main;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {}

    other.DestroyWindow();
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "not the main window";
    EXPECT_EQ(app.m_pMainWnd, &main);

    main.DestroyWindow();
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_EQ(AfxGetApp(), &app);
}

// ---------------------------------------------------------------------------
// Centring after WM_INITDIALOG

class MovingDialog : public CDialog {
public:
    MovingDialog(UINT id, bool move, CWnd* parent = nullptr) : CDialog(id, parent), m_move(move) {}
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (m_move) SetWindowPos(nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return TRUE;
    }
    bool m_move;
};

bool IsCentredOnWorkArea(HWND hwnd)
{
    RECT w, area;
    GetWindowRect(hwnd, &w);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    int dx = (w.left + w.right) / 2 - (area.left + area.right) / 2;
    int dy = (w.top + w.bottom) / 2 - (area.top + area.bottom) / 2;
    return dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
}

TEST(Centring, AppliesOnlyToUnplacedUnownedDialogs)
{
    RECT r = {300, 300, 400, 400};
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_POPUP | WS_VISIBLE, r, nullptr, 0));

    struct Case { const char* context; UINT id; bool move; bool owned; bool centred; };
    const Case cases[] = {
        {"unowned, no position, hidden", IDD_PLAIN, false, false, true},
        {"template has a position", IDD_POSITIONED, false, false, false},
        {"moved during WM_INITDIALOG", IDD_PLAIN, true, false, false},
        {"owned", IDD_PLAIN, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.context);
        MovingDialog dlg(c.id, c.move, c.owned ? &owner : nullptr);
        ASSERT_TRUE(dlg.Create(c.id, c.owned ? &owner : nullptr));
        EXPECT_EQ(IsCentredOnWorkArea(dlg.m_hWnd), c.centred);
        if (c.move) {
            RECT w;
            GetWindowRect(dlg.m_hWnd, &w);
            EXPECT_EQ(w.left, 5);
            EXPECT_EQ(w.top, 6);
        }
        dlg.DestroyWindow();
    }
    owner.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Data exchange and the image button

class ButtonsDialog : public CDialog {
public:
    ButtonsDialog() : CDialog(IDD_PLAIN) {}
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_PLAIN_BUTTON, m_plain);
        DDX_Control(pDX, IDC_IMAGE_BUTTON, m_image);
        DDX_Control(pDX, IDC_ARROW_BUTTON, m_arrow);
    }
    BOOL OnInitDialog() override
    {
        m_initResult = CDialog::OnInitDialog();
        m_image.SetImage(IDB_TEST_NORMAL, IDB_TEST_HOT);
        return TRUE;
    }
    void OnImageClicked() { ++m_clicks; }
    void OnPlainClicked() { ++m_plainClicks; }

    CButton m_plain;
    CMFCButton m_image, m_arrow;
    BOOL m_initResult = FALSE;
    int m_clicks = 0, m_plainClicks = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ButtonsDialog, CDialog)
    ON_BN_CLICKED(IDC_IMAGE_BUTTON, OnImageClicked)
    ON_BN_CLICKED(IDC_PLAIN_BUTTON, OnPlainClicked)
END_MESSAGE_MAP()

TEST(DataExchange, DdxControlBindsMembersAndTemplateDataIsApplied)
{
    ButtonsDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_PLAIN));
    EXPECT_TRUE(dlg.m_initResult);
    struct Case { const char* context; CWnd* member; int id; };
    const Case cases[] = {
        {"plain button", &dlg.m_plain, IDC_PLAIN_BUTTON},
        {"image button", &dlg.m_image, IDC_IMAGE_BUTTON},
        {"second image button", &dlg.m_arrow, IDC_ARROW_BUTTON},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.context);
        HWND item = GetDlgItem(dlg.m_hWnd, c.id);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(c.member->m_hWnd, item);
        EXPECT_EQ(CWnd::FromHandlePermanent(item), c.member);
    }
    // The template's control data reached the image buttons before binding.
    HCURSOR hand = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));
    EXPECT_EQ(dlg.m_image.GetMouseCursor(), hand) << "cursor type 12 is the hand";
    EXPECT_EQ(dlg.m_image.m_nFlatStyle, CMFCButton::BUTTONSTYLE_NOBORDERS) << "style 6 is borderless";
    EXPECT_EQ(dlg.m_arrow.GetMouseCursor(), nullptr) << "cursor type 11 is the default";
    EXPECT_EQ(dlg.m_arrow.m_nFlatStyle, CMFCButton::BUTTONSTYLE_3D);
    EXPECT_FALSE(dlg.m_arrow.HasImage()) << "image type 8 clears the picture";
    EXPECT_TRUE(dlg.m_image.HasImage() && dlg.m_image.HasHotImage());
    EXPECT_EQ(GetWindowLongW(dlg.m_image.m_hWnd, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    // The ActiveX item was lifted out of the template; the rest is there.
    EXPECT_EQ(GetDlgItem(dlg.m_hWnd, IDC_ACTIVEX), nullptr);
    EXPECT_NE(GetDlgItem(dlg.m_hWnd, IDC_EDIT), nullptr);

    // A second exchange leaves the bindings alone.
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(CWnd::FromHandlePermanent(GetDlgItem(dlg.m_hWnd, IDC_IMAGE_BUTTON)), &dlg.m_image);
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.m_image.m_hWnd, nullptr) << "controls unbind with their window";
}

TEST(ImageButton, PicturesComeFromPngOrElseABitmapOfThatId)
{
    ScopedGdiplus gdiplus;
    ButtonsDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_PLAIN));
    struct Case { const char* context; UINT normal, hot; bool image, hotImage; };
    const Case cases[] = {
        {"PNG pictures", IDB_TEST_NORMAL, IDB_TEST_HOT, true, true},
        {"a bitmap of that id when there is no PNG", 2001, 0, true, false},
        {"neither: no picture", 4242, 4243, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.context);
        dlg.m_arrow.SetImage(c.normal, c.hot);
        EXPECT_EQ(dlg.m_arrow.HasImage(), c.image);
        EXPECT_EQ(dlg.m_arrow.HasHotImage(), c.hotImage);
    }
    dlg.DestroyWindow();
}

class MissingControlDialog : public CDialog {
public:
    MissingControlDialog() : CDialog(IDD_POSITIONED) {}
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 4242, m_missing); }
    CButton m_missing;
};

TEST(DataExchange, AMissingControlFailsTheExchange)
{
    MissingControlDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_POSITIONED));
    EXPECT_FALSE(dlg.UpdateData(FALSE));
    EXPECT_EQ(dlg.m_missing.m_hWnd, nullptr);
    dlg.DestroyWindow();
}

COLORREF PictureColour(UINT id, int x, int y)
{
    return test::PicturePixel(nullptr, id, x, y);
}

bool Near(COLORREF a, COLORREF b)
{
    return test::ColourNear(a, b, 8);
}

using test::Hex;

TEST(ImageButton, HotPictureFollowsThePointerAndClicksReachTheParent)
{
    ScopedGdiplus gdiplus;
    ButtonsDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_PLAIN));
    dlg.SetWindowPos(nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dlg.ShowWindow(SW_SHOW);
    SetForegroundWindow(dlg.m_hWnd);
    test::PumpUntil([] { return false; }, 300);

    RECT b;
    GetWindowRect(dlg.m_image.m_hWnd, &b);
    int w = b.right - b.left, h = b.bottom - b.top;
    // A point in the picture's gradient, away from its label: picture (4, 6).
    int px = b.left + (w - 99) / 2 + 4, py = b.top + (h - 29) / 2 + 6;
    COLORREF normal = PictureColour(IDB_TEST_NORMAL, 4, 6);
    COLORREF hot = PictureColour(IDB_TEST_HOT, 4, 6);
    ASSERT_FALSE(Near(normal, hot)) << "the test needs two different pictures";

    auto screenAt = [](int x, int y) {
        test::Capture c;
        RECT r = {x, y, x + 1, y + 1};
        return test::CaptureScreen(r, c) ? c.At(0, 0) : CLR_INVALID;
    };

    ASSERT_TRUE(test::MovePointer(10, 10));
    test::PumpUntil([&] { return !dlg.m_image.IsHighlighted(); }, 2000);
    COLORREF before = screenAt(px, py);
    EXPECT_TRUE(Near(before, normal)) << Hex(before) << " vs normal " << Hex(normal);

    ASSERT_TRUE(test::MovePointer(px, py));
    EXPECT_TRUE(test::PumpUntil([&] { return dlg.m_image.IsHighlighted() != FALSE; }));
    COLORREF over = CLR_INVALID;
    test::PumpUntil([&] { over = screenAt(px, py); return Near(over, hot); });
    EXPECT_TRUE(Near(over, hot)) << Hex(over) << " vs hot " << Hex(hot);
    CURSORINFO ci = {};
    ci.cbSize = sizeof(ci);
    GetCursorInfo(&ci);
    EXPECT_EQ(ci.hCursor, LoadCursorW(nullptr, MAKEINTRESOURCEW(32649))) << "the hand over the button";

    ASSERT_TRUE(test::ClickPointer());
    EXPECT_TRUE(test::PumpUntil([&] { return dlg.m_clicks == 1; })) << "BN_CLICKED reached the dialog";

    ASSERT_TRUE(test::MovePointer(10, 10));
    EXPECT_TRUE(test::PumpUntil([&] { return !dlg.m_image.IsHighlighted(); }));
    COLORREF after = CLR_INVALID;
    test::PumpUntil([&] { after = screenAt(px, py); return Near(after, normal); });
    EXPECT_TRUE(Near(after, normal)) << Hex(after) << " vs normal " << Hex(normal);
    EXPECT_EQ(dlg.m_plainClicks, 0);
    dlg.DestroyWindow();
}

}  // namespace
