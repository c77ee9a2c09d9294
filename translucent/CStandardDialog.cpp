#include "translucent/CStandardDialog.h"

#include "framework/ScopedWin.h"

CStandardDialog::CStandardDialog(UINT nIDTemplate, COLORREF crKey, CWnd* pParent)
    : CDHtmlDialog(nIDTemplate, 0, pParent), m_crKey(crKey)
{
}

CStandardDialog::~CStandardDialog() = default;

void CStandardDialog::CreateAndShow()
{
    Create(m_lpszTemplateName, m_pParentWnd);
    ShowWindow(SW_SHOW);
}

BOOL CStandardDialog::OnInitDialog()
{
    // The plain dialog initialisation: control data and data exchange, but
    // no browser of the HTML dialog's own.
    CDialog::OnInitDialog();

    m_brush.CreateSolidBrush(m_crKey);
    SetWindowLongW(m_hWnd, GWL_EXSTYLE, GetWindowLongW(m_hWnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    ScopedLibrary user32(L"User32.DLL");
    typedef BOOL(WINAPI * SetLayeredWindowAttributesFn)(HWND, COLORREF, BYTE, DWORD);
    if (auto setAttributes = user32.Get<SetLayeredWindowAttributesFn>("SetLayeredWindowAttributes"))
        setAttributes(m_hWnd, m_crKey, 0, LWA_COLORKEY);
    return TRUE;
}

HBRUSH CStandardDialog::OnCtlColor(HDC hdc, CWnd* pWnd, UINT nCtlColor)
{
    // Only the dialog's own background takes the key colour; controls keep
    // theirs unless they paint their parent's background themselves.
    if (nCtlColor == CTLCOLOR_DLG)
        return m_brush;
    return CWnd::OnCtlColor(hdc, pWnd, nCtlColor);
}

void CStandardDialog::OnCancel()
{
    // Sent, not posted: the owner has taken its close before this dialog ends.
    if (CWnd* owner = GetParent())
        owner->SendMessage(WM_CLOSE, 0, 0);
    CDialog::OnCancel();
}

void CStandardDialog::OnOK()
{
    if (CWnd* owner = GetParent())
        owner->SendMessage(WM_CLOSE, 0, 0);
    CDialog::OnOK();
}

// The plain dialog's map, not the HTML dialog's: its browser sizing and
// teardown do not apply to a dialog that never has that browser.
BEGIN_MESSAGE_MAP(CStandardDialog, CDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()
