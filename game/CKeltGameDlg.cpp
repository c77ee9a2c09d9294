#include "game/CKeltGameDlg.h"

#include "app/CTranslucentApp.h"
#include "framework/AppState.h"
#include "res/resource.h"

NOTIFYICONDATAW g_trayIconData = {};

// The structure as far as the version that has guidItem: 952 bytes on 32-bit
// Windows, 968 with 64-bit handles. Shell32 of every system from XP on takes it.
static_assert(sizeof(NOTIFYICONDATAW) == (sizeof(void*) == 4 ? 952 : 968), "NOTIFYICONDATAW as on XP");

const wchar_t CKeltGameDlg::kKeyLegend[] = L"  【F5刷新】【F11全屏】【F12最小托盘】";

namespace {
// Caption, system menu, sizing frame, minimise and maximise boxes.
const DWORD kFrameStyles = 0x00CF0000;
}  // namespace

CKeltGameDlg::CKeltGameDlg(CWnd* pParent) : CDHtmlDialog(IDD_GAME, IDR_GAME_START_PAGE, pParent)
{
}

CKeltGameDlg::~CKeltGameDlg() = default;

void CKeltGameDlg::SetGameParams(CString url, CString title)
{
    m_strUrl = url;
    m_strTitle = title;
}

BOOL CKeltGameDlg::OnInitDialog()
{
    CDHtmlDialog::OnInitDialog();
    // Without its browser the base has destroyed the window already.
    if (!m_hWnd)
        return FALSE;

    HINSTANCE instance = AfxGetInstanceHandle();
    g_trayIconData = NOTIFYICONDATAW{};
    g_trayIconData.cbSize = sizeof(NOTIFYICONDATAW);
    g_trayIconData.hWnd = m_hWnd;
    g_trayIconData.uID = kTrayIconId;
    g_trayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    g_trayIconData.uCallbackMessage = WM_TRAY_NOTIFY;
    g_trayIconData.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SELVANE));
    Shell_NotifyIconW(NIM_ADD, &g_trayIconData);

    m_hIcon = LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_SELVANE));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(GetStyle() | kFrameStyles));
    ShowWindow(SW_SHOWMAXIMIZED);
    SetWindowText(m_strTitle + kKeyLegend);
    RefreshPage();
    return TRUE;
}

void CKeltGameDlg::RefreshPage()
{
    Navigate(m_strUrl, 0, nullptr, nullptr, nullptr, 0);
}

BOOL CKeltGameDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        switch (pMsg->wParam) {
        case VK_ESCAPE:
            if (m_bFullScreen)
                ToggleFullScreen();
            // Then on to the page, as Enter.
            [[fallthrough]];
        case VK_RETURN:
        case VK_F10:
            // Straight to the focused window: the dialog manager would make
            // Enter and Esc the OK and cancel commands and end the game.
            TranslateMessage(pMsg);
            DispatchMessageW(pMsg);
            return TRUE;
        case VK_F5:
            RefreshPage();
            return TRUE;
        case VK_F11:
            ToggleFullScreen();
            break;
        case VK_F12:
            ShowWindow(SW_HIDE);
            return TRUE;
        default:
            break;
        }
    }
    return CDHtmlDialog::PreTranslateMessage(pMsg);
}

void CKeltGameDlg::ToggleFullScreen()
{
    if (!m_hWnd)
        return;
    const BOOL wasFullScreen = m_bFullScreen;
    m_bFullScreen = FALSE;
    auto setStyle = [this](DWORD remove, DWORD add) {
        SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>((GetStyle() & ~remove) | add));
    };
    if (wasFullScreen) {
        MoveWindow(0, 0, GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN) + 22, TRUE);
        setStyle(WS_POPUP, kFrameStyles);
        ShowWindow(SW_RESTORE);
        setStyle(WS_POPUP, kFrameStyles);
        ShowWindow(SW_SHOWMAXIMIZED);
    } else {
        ShowWindow(SW_RESTORE);
        m_bFullScreen = TRUE;
        setStyle(kFrameStyles, WS_POPUP);
        ShowWindow(SW_SHOWMAXIMIZED);
    }
}

int CKeltGameDlg::OnCreate(LPCREATESTRUCTW lpCreateStruct)
{
    return CDHtmlDialog::OnCreate(lpCreateStruct);
}

void CKeltGameDlg::OnRButtonDown(UINT, POINT)
{
    // Swallowed: the dialog's own surface has no menu.
}

void CKeltGameDlg::OnRButtonUp(UINT, POINT)
{
}

void CKeltGameDlg::OnSize(UINT nType, int cx, int cy)
{
    CDHtmlDialog::OnSize(nType, cx, cy);
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
}

void CKeltGameDlg::OnDestroy()
{
    CDHtmlDialog::OnDestroy();
    Shell_NotifyIconW(NIM_DELETE, &g_trayIconData);
}

LRESULT CKeltGameDlg::OnTrayNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam != kTrayIconId)
        return 1;
    if (lParam == WM_LBUTTONUP) {
        ShowWindow(SW_SHOWMAXIMIZED);
        BringWindowToTop();
    }
    return 0;
}

void CKeltGameDlg::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CDHtmlDialog::OnActivate(nState, pWndOther, bMinimized);
}

void CKeltGameDlg::OnClose()
{
    if (MessageBoxW(m_hWnd, L"此操作将退出游戏，是否继续？", L"退出游戏", MB_YESNO) != IDYES)
        return;
    Shell_NotifyIconW(NIM_DELETE, &g_trayIconData);
    // Runs the next launcher; returns only as the program ends.
    static_cast<CTranslucentApp*>(AfxGetApp())->ReturnToLauncher();
}

BEGIN_MESSAGE_MAP(CKeltGameDlg, CDHtmlDialog)
    ON_WM_CREATE()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_TRAY_NOTIFY, OnTrayNotify)
    ON_WM_ACTIVATE()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

BEGIN_DHTML_EVENT_MAP(CKeltGameDlg)
END_DHTML_EVENT_MAP()
