#include "CWnd.h"

#include "AppState.h"
#include "CHandleMap.h"
#include "COleControlContainer.h"
#include "COleControlSite.h"
#include "CWinApp.h"
#include "FrameworkClasses.h"

#include <exception>

namespace {

// The message being processed, per nesting level: Default() reads it.
MSG g_currentMessage = {};

// The innermost creation under way on this (the GUI) thread.
CWnd::CreationScope::Pending* g_pending = nullptr;

bool SameClass(HWND hwnd, LPCWSTR expected)
{
    wchar_t name[64];
    if (!GetClassNameW(hwnd, name, 64))
        return false;
    return _wcsicmp(name, expected) == 0;
}

void ReportException(UINT message, const char* what)
{
    char text[256];
    wsprintfA(text, "Selvane: exception in the handler of message 0x%04X: %s\n", message, what);
    OutputDebugStringA(text);
}

}  // namespace

// ---------------------------------------------------------------------------
// Binding at creation: a CBT hook sees the window before its first message
// (WM_GETMINMAXINFO / WM_NCCREATE), so WM_CREATE and WM_INITDIALOG already
// reach the object. Only the first window of the expected class is bound:
// the system may create helper windows (IME) on the way.

namespace {
LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    try {
        if (code == HCBT_CREATEWND && g_pending && g_pending->wnd) {
            HWND hwnd = reinterpret_cast<HWND>(wParam);
            if (SameClass(hwnd, g_pending->className)) {
                CWnd* wnd = g_pending->wnd;
                g_pending->wnd = nullptr;
                wnd->SubclassWindow(hwnd);
            }
        }
    } catch (...) {
        ReportException(0, "creation hook");
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

CWnd::CreationScope::CreationScope(CWnd* wnd, LPCWSTR className)
    : m_pending{wnd, className},
      m_hook(SetWindowsHookExW(WH_CBT, CreationHook, nullptr, GetCurrentThreadId())),
      m_previous(g_pending)
{
    g_pending = &m_pending;
}

CWnd::CreationScope::~CreationScope()
{
    g_pending = m_previous;
    if (m_hook)
        UnhookWindowsHookEx(m_hook);
}

// ---------------------------------------------------------------------------

CWnd::CWnd() = default;


CWnd::~CWnd()
{
    CHandleMap::ForgetRetired(this);
    // A window that was detached never saw WM_DESTROY: its controls go now.
    delete m_pCtrlCont;
    m_pCtrlCont = nullptr;
    // An object still bound takes its window with it (the ordinary rule for
    // member controls is that their window has gone first, with the parent).
    if (m_hWnd && CHandleMap::LookupPermanent(m_hWnd) == this) {
        ::DestroyWindow(m_hWnd);
        if (m_hWnd) {
            CHandleMap::RemovePermanent(m_hWnd);
            m_hWnd = nullptr;
        }
    }
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    if (CWnd* wnd = CHandleMap::LookupPermanent(hwnd))
        return wnd;
    return CHandleMap::LookupTemporary(hwnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    return hwnd ? CHandleMap::LookupPermanent(hwnd) : nullptr;
}

BOOL CWnd::Attach(HWND hwnd)
{
    if (!hwnd || m_hWnd || CHandleMap::LookupPermanent(hwnd))
        return FALSE;
    m_hWnd = hwnd;
    CHandleMap::SetPermanent(hwnd, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hwnd = m_hWnd;
    if (hwnd && CHandleMap::LookupPermanent(hwnd) == this)
        CHandleMap::RemovePermanent(hwnd);
    m_hWnd = nullptr;
    m_pCtrlSite = nullptr;
    return hwnd;
}

HWND CWnd::CloseDetached()
{
    HWND hwnd = m_hWnd;
    if (!hwnd)
        return nullptr;
    ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
    Detach();
    CHandleMap::SetRetired(hwnd, this);
    return hwnd;
}

void CWnd::ReleaseWindowResources()
{
    // The controls this window hosted went with it; close them now rather
    // than when the object goes.
    delete m_pCtrlCont;
    m_pCtrlCont = nullptr;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!Attach(hwnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC old = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    if (old != AfxWndProc) {
        m_pfnSuper = old;
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc));
    } else if (!m_pfnSuper) {
        m_pfnSuper = ::DefWindowProcW;
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    AfxRegisterFrameworkClasses();
    if (!lpszClassName)
        lpszClassName = kFrameworkWindowClass;
    HWND parent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    HMENU menu = (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr;
    HWND hwnd;
    {
        CreationScope bind(this, lpszClassName);
        hwnd = CreateWindowExW(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent, menu,
                               AfxGetInstanceHandle(), lpParam);
    }
    if (!hwnd && m_hWnd) {
        // Creation failed after binding (WM_CREATE returned -1): the window
        // is gone, and with it the binding.
        Detach();
    }
    return hwnd != nullptr;
}

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, void*)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

// ---------------------------------------------------------------------------
// Dispatch

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CHandleMap::LookupPermanent(hwnd);
    if (!wnd) {
        // A detached window: nothing of its former object may run.
        LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            if (CWnd* former = CHandleMap::TakeRetired(hwnd)) {
                try {
                    former->ReleaseWindowResources();
                } catch (...) {
                    ReportException(message, "releasing a detached window's resources");
                }
            }
        }
        return result;
    }
    return CWnd::CallWndProc(wnd, hwnd, message, wParam, lParam);
}

LRESULT CWnd::CallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG saved = g_currentMessage;
    g_currentMessage.hwnd = hwnd;
    g_currentMessage.message = message;
    g_currentMessage.wParam = wParam;
    g_currentMessage.lParam = lParam;
    LRESULT result = 0;
    // No exception may unwind through user32.
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (const std::exception& e) {
        ReportException(message, e.what());
        result = message == WM_CREATE ? -1 : 0;
    } catch (...) {
        ReportException(message, "unknown exception");
        result = message == WM_CREATE ? -1 : 0;
    }
    g_currentMessage = saved;
    // Hosted controls are closed while their windows still exist.
    if (message == WM_DESTROY && CHandleMap::LookupPermanent(hwnd) == wnd && wnd->m_pCtrlCont) {
        delete wnd->m_pCtrlCont;
        wnd->m_pCtrlCont = nullptr;
    }
    if (message == WM_NCDESTROY && CHandleMap::LookupPermanent(hwnd) == wnd)
        wnd->OnFinalDestroy();
    return result;
}

void CWnd::OnFinalDestroy()
{
    HWND hwnd = m_hWnd;
    if (m_pfnSuper && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == AfxWndProc)
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    Detach();
    m_pfnSuper = nullptr;
    // The program's main window is gone: end the message loops.
    if (CWinApp* app = AfxGetApp()) {
        if (app->m_pMainWnd == this) {
            app->m_pMainWnd = nullptr;
            PostQuitMessage(0);
        }
    }
    PostNcDestroy();
}

const MSG* CWnd::CurrentMessage()
{
    return &g_currentMessage;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            *pResult = 0;
            return TRUE;
        }
        return FALSE;
    }
    // Let the control paint itself: reflect to the child object first.
    if (message == WM_DRAWITEM || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)) {
        HWND child = message == WM_DRAWITEM ? reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)->hwndItem
                                            : reinterpret_cast<HWND>(lParam);
        CWnd* childWnd = child && child != m_hWnd ? FromHandlePermanent(child) : nullptr;
        if (childWnd && childWnd->OnChildNotify(message, wParam, lParam, pResult))
            return TRUE;
    }
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), message, 0, 0);
    if (!e)
        return FALSE;
    *pResult = e->pfn(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    UINT id = LOWORD(wParam);
    int code = HIWORD(wParam);
    if (OnCmdMsg(id, code, nullptr))
        return TRUE;
    // Commands no window handles go to the application object.
    if (CWinApp* app = AfxGetApp())
        return app->OnCmdMsg(id, code, nullptr);
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + message, 0, 0);
    if (!e)
        return FALSE;
    *pResult = e->pfn(this, wParam, lParam);
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& m = g_currentMessage;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(MSG* pMsg)
{
    for (HWND hwnd = pMsg->hwnd; hwnd;) {
        if (CWnd* wnd = FromHandlePermanent(hwnd)) {
            if (wnd->PreTranslateMessage(pMsg))
                return TRUE;
        }
        if (!(GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD))
            break;  // the top-level window was the last one to ask
        hwnd = ::GetParent(hwnd);
    }
    return FALSE;
}

// ---------------------------------------------------------------------------
// Default handlers

int CWnd::OnCreate(LPCREATESTRUCTW) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
BOOL CWnd::OnEraseBkgnd(HDC) { return static_cast<BOOL>(Default()); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnLButtonDown(UINT, POINT) { Default(); }
void CWnd::OnMouseMove(UINT, POINT) { Default(); }
void CWnd::OnRButtonDown(UINT, POINT) { Default(); }
void CWnd::OnRButtonUp(UINT, POINT) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
HBRUSH CWnd::OnCtlColor(HDC, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {&CCmdTarget::GetThisMessageMap, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

// ---------------------------------------------------------------------------
// Control hosting

COleControlContainer* CWnd::GetControlContainer()
{
    if (!m_pCtrlCont && m_hWnd && AfxControlContainerEnabled())
        m_pCtrlCont = new COleControlContainer(this);
    return m_pCtrlCont;
}

COleControlSite* CWnd::CreateControlSite(COleControlContainer* pContainer, UINT nID, REFCLSID)
{
    return new COleControlSite(pContainer, nID);
}

BOOL CWnd::CreateControl(REFCLSID clsid, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                         CWnd* pParentWnd, UINT nID)
{
    if (m_hWnd || !pParentWnd)
        return FALSE;
    COleControlContainer* container = pParentWnd->GetControlContainer();
    if (!container)
        return FALSE;
    COleControlSite* site = container->CreateControl(clsid, rect, nID, dwStyle);
    if (!site || !SubclassWindow(site->m_hWnd))
        return FALSE;
    m_pCtrlSite = site;
    if (lpszWindowName)
        ::SetWindowTextW(m_hWnd, lpszWindowName);
    return TRUE;
}

void CWnd::InvokeHelperArgs(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo,
                            const CInvokeArg* args, size_t count)
{
    if (m_pCtrlSite)
        m_pCtrlSite->InvokeHelper(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, args, count);
}

// ---------------------------------------------------------------------------
// Operations

DWORD CWnd::GetStyle() const { return m_hWnd ? static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE)) : 0; }
DWORD CWnd::GetExStyle() const { return m_hWnd ? static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_EXSTYLE)) : 0; }

namespace {
BOOL ModifyLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT flags)
{
    if (!hwnd) return FALSE;
    DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, index));
    DWORD updated = (style & ~remove) | add;
    if (style == updated) return FALSE;
    SetWindowLongW(hwnd, index, static_cast<LONG>(updated));
    if (flags)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}
}  // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return ModifyLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags); }

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    if (m_hWnd) ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(const RECT& r, BOOL bRepaint)
{
    MoveWindow(r.left, r.top, r.right - r.left, r.bottom - r.top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    if (!m_hWnd) return FALSE;
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}

BOOL CWnd::ShowWindow(int nCmdShow) { return m_hWnd ? ::ShowWindow(m_hWnd, nCmdShow) : FALSE; }
BOOL CWnd::IsWindowVisible() const { return m_hWnd ? ::IsWindowVisible(m_hWnd) : FALSE; }
BOOL CWnd::EnableWindow(BOOL bEnable) { return m_hWnd ? ::EnableWindow(m_hWnd, bEnable) : FALSE; }
HDC CWnd::GetDC() { return m_hWnd ? ::GetDC(m_hWnd) : nullptr; }
int CWnd::ReleaseDC(HDC hdc) { return m_hWnd ? ::ReleaseDC(m_hWnd, hdc) : 0; }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return m_hWnd ? ::SendMessageW(m_hWnd, message, wParam, lParam) : 0;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return m_hWnd ? ::PostMessageW(m_hWnd, message, wParam, lParam) : FALSE;
}

CWnd* CWnd::GetParent() const { return m_hWnd ? FromHandle(::GetParent(m_hWnd)) : nullptr; }
CWnd* CWnd::GetDlgItem(int nID) const { return m_hWnd ? FromHandle(::GetDlgItem(m_hWnd, nID)) : nullptr; }
void CWnd::BringWindowToTop() { if (m_hWnd) ::BringWindowToTop(m_hWnd); }
void CWnd::GetWindowRect(LPRECT rect) const { if (m_hWnd) ::GetWindowRect(m_hWnd, rect); else SetRectEmpty(rect); }
void CWnd::GetClientRect(LPRECT rect) const { if (m_hWnd) ::GetClientRect(m_hWnd, rect); else SetRectEmpty(rect); }
void CWnd::SetWindowText(LPCWSTR text) { if (m_hWnd) ::SetWindowTextW(m_hWnd, text); }

CString CWnd::GetWindowText() const
{
    CString text;
    if (!m_hWnd) return text;
    int n = ::GetWindowTextLengthW(m_hWnd);
    ::GetWindowTextW(m_hWnd, text.GetBuffer(n + 1), n + 1);
    text.ReleaseBuffer();
    return text;
}

void CWnd::Invalidate(BOOL bErase) { if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::UpdateWindow() { if (m_hWnd) ::UpdateWindow(m_hWnd); }
int CWnd::GetDlgCtrlID() const { return m_hWnd ? ::GetDlgCtrlID(m_hWnd) : 0; }

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    if (!m_hWnd) return;
    RECT wnd;
    ::GetWindowRect(m_hWnd, &wnd);
    int w = wnd.right - wnd.left, h = wnd.bottom - wnd.top;

    // Centre over the owner (or the given window) when it is on screen,
    // otherwise over the work area; either way keep the window in the work
    // area as far as it fits.
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    HWND center = pAlternateOwner ? pAlternateOwner->m_hWnd
                                  : ((GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    RECT around = area;
    if (center && ::IsWindowVisible(center) && !::IsIconic(center)) {
        ::GetWindowRect(center, &around);
    }
    int x = (around.left + around.right) / 2 - w / 2;
    int y = (around.top + around.bottom) / 2 - h / 2;
    if (!(GetStyle() & WS_CHILD)) {
        if (x + w > area.right) x = area.right - w;
        if (x < area.left) x = area.left;
        if (y + h > area.bottom) y = area.bottom - h;
        if (y < area.top) y = area.top;
    } else {
        POINT p = {x, y};
        ::ScreenToClient(::GetParent(m_hWnd), &p);
        x = p.x;
        y = p.y;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
