// The game window: the page the player chose in the launcher, in a
// resizable window shown maximised, with a notification-area icon and four
// keys (F5 back to the game address, F11 full screen, Esc leave full screen,
// F12 hide to the notification area). Closing it asks first; on Yes a fresh
// launcher takes its place.
#pragma once

#include "framework/CDHtmlDialog.h"

#include <shellapi.h>

class CKeltGameDlg : public CDHtmlDialog {
public:
    explicit CKeltGameDlg(CWnd* pParent = nullptr);
    ~CKeltGameDlg() override;

    // The address and the caption title, handed over before DoModal.
    void SetGameParams(CString url, CString title);

    // Loads the game address again (the page may have gone elsewhere).
    void RefreshPage();
    // Framed and maximised <-> full screen (no caption or frame).
    void ToggleFullScreen();

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    bool IsFullScreen() const { return m_bFullScreen != 0; }
    const CString& GameUrl() const { return m_strUrl; }

    // The caption shown after the title.
    static const wchar_t kKeyLegend[];
    // The notification-area icon: its id and callback message.
    static constexpr UINT kTrayIconId = 155;
    static constexpr UINT WM_TRAY_NOTIFY = WM_USER + 1;

protected:
    int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    void OnRButtonDown(UINT nFlags, POINT point);
    void OnRButtonUp(UINT nFlags, POINT point);
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnClose();

    CString m_strUrl;
    BOOL m_bFullScreen = FALSE;
    CString m_strTitle;
    HICON m_hIcon = nullptr;

    DECLARE_MESSAGE_MAP()
    DECLARE_DHTML_EVENT_MAP()
};

// The notification-area icon's data, one for every game window: filled by
// each game window as it opens, used by every add and delete of the icon.
extern NOTIFYICONDATAW g_trayIconData;
