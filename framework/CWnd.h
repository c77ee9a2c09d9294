// A window object. It is bound to its window when the window is created (or
// later by SubclassWindow / Attach), receives the window's messages through
// its message map, and is unbound on WM_NCDESTROY or by Detach.
//
// After Detach the window is no longer known to the framework: its messages
// go to DefWindowProc, so a WM_CLOSE posted before detaching destroys it
// without running any of the object's handlers.
#pragma once

#include "CCmdTarget.h"
#include "CInvokeArg.h"
#include "CString.h"

class CDataExchange;
class COleControlContainer;
class COleControlSite;

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    // The object bound to a window, or a temporary one for a foreign window
    // (valid until its window is gone). Null for a null handle.
    static CWnd* FromHandle(HWND hwnd);
    // The bound object only, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Binding. Attach only enters the map (the window's procedure is left
    // alone); SubclassWindow also routes the window's messages through the
    // framework. Detach unbinds and returns the handle.
    BOOL Attach(HWND hwnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hwnd);

    // Hands the window over to the system while a call from it may still be
    // on the stack: posts WM_CLOSE to it and detaches this object. The window
    // is destroyed later, by whatever message loop runs then, without any
    // handler of this object; once it is gone, ReleaseWindowResources lets
    // the object drop what only the window needed. Returns the handle.
    HWND CloseDetached();

    // Creation, bound from the first message on.
    virtual BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, void* pContext = nullptr);
    virtual BOOL DestroyWindow();

    // Message processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // A message the parent reflected to this control; true when handled.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Offered each queued message before it is dispatched; true eats it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Offers a queued message to the object of its window, then to each
    // parent's object up to the top-level window.
    static BOOL WalkPreTranslateTree(MSG* pMsg);
    // Runs a message through a bound object (the framework's window
    // procedure does this), with the boundary that stops exceptions.
    static LRESULT CallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The message being processed on this thread (for Default and handlers).
    static const MSG* CurrentMessage();
    // Default processing of the current message.
    LRESULT Default();

    // Called after the window is gone and the object unbound. Objects that
    // own themselves delete themselves here.
    virtual void PostNcDestroy() {}
    // Called when a window handed over by CloseDetached has been destroyed:
    // release what served only that window (controls, pictures, COM
    // references), keeping the object itself usable. Overrides call the base.
    virtual void ReleaseWindowResources();
    virtual void PreSubclassWindow() {}
    virtual void DoDataExchange(CDataExchange*) {}

    // Operations (no effect without a window).
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(const RECT& rect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    HDC GetDC();
    int ReleaseDC(HDC hdc);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    CWnd* GetParent() const;
    CWnd* GetDlgItem(int nID) const;
    void BringWindowToTop();
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void SetWindowText(LPCWSTR text);
    CString GetWindowText() const;
    void Invalidate(BOOL bErase = TRUE);
    void UpdateWindow();
    int GetDlgCtrlID() const;

    // Control hosting: the site of the ActiveX control this object wraps,
    // and the container of the controls this window hosts.
    COleControlSite* m_pCtrlSite = nullptr;
    COleControlContainer* m_pCtrlCont = nullptr;

    // Creates an ActiveX control as a child of pParentWnd and binds this
    // object to it. FALSE when control hosting is off, the parent has no
    // window or the control cannot be created.
    BOOL CreateControl(REFCLSID clsid, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       UINT nID);
    // An IDispatch call on the wrapped control (see COleControlSite), one
    // argument per VTS_ code of pbParamInfo. Does nothing when this object
    // wraps no control.
    template <typename... Args>
    void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo,
                      const Args&... args)
    {
        const CInvokeArg list[] = {CInvokeArg(args)..., CInvokeArg(nullptr)};
        InvokeHelperArgs(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, list, sizeof...(Args));
    }
    void InvokeHelperArgs(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo,
                          const CInvokeArg* args, size_t count);
    // The container of this window's controls, made on first use.
    COleControlContainer* GetControlContainer();
    // The site for a control this window is about to host; windows that
    // host web pages give their controls richer sites.
    virtual COleControlSite* CreateControlSite(COleControlContainer* pContainer, UINT nID, REFCLSID clsid);

    // Handlers: default processing unless a class overrides them.
    int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    void OnDestroy();
    void OnClose();
    void OnMove(int x, int y);
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(HDC hdc);
    void OnPaint();
    void OnLButtonDown(UINT nFlags, POINT point);
    void OnMouseMove(UINT nFlags, POINT point);
    void OnRButtonDown(UINT nFlags, POINT point);
    void OnRButtonUp(UINT nFlags, POINT point);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnMouseLeave();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnTimer(UINT_PTR nIDEvent);
    HBRUSH OnCtlColor(HDC hdc, CWnd* pWnd, UINT nCtlColor);

protected:
    // The procedure the window had before the framework took its messages:
    // the class's own, DefDlgProc for dialogs. Default processing calls it.
    WNDPROC m_pfnSuper = nullptr;

public:
    // Binds `wnd` to the next window of class `className` created on this
    // thread (dialogs are "#32770"); for use around creation calls.
    class CreationScope {
    public:
        CreationScope(CWnd* wnd, LPCWSTR className);
        ~CreationScope();
        CreationScope(const CreationScope&) = delete;
        CreationScope& operator=(const CreationScope&) = delete;

        struct Pending {
            CWnd* wnd;
            LPCWSTR className;
        };

    private:
        Pending m_pending;
        HHOOK m_hook;
        Pending* m_previous;
    };

protected:
    // Unbinds after the window's last message; applies the main-window rule.
    void OnFinalDestroy();

    friend class CHandleMap;
    DECLARE_MESSAGE_MAP()
};

// The framework's window procedure, for classes the framework registers.
LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
