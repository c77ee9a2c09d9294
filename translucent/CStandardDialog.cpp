#include "translucent/CStandardDialog.h"

#include "framework/ScopedWin.h"

#include <vector>

namespace {

// Wine's X11 driver, without a compositing manager, paints the key colour of
// a colour-keyed window black instead of leaving it out, so the launcher's
// panel would hide the artwork. There the same effect comes from a window
// region made of the pixels that are not the key; Windows needs none.
bool RunningOnWine()
{
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

const UINT WM_UPDATE_KEY_REGION = WM_APP + 0x3F0;

}  // namespace

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
    if (RunningOnWine())
        PostMessage(WM_UPDATE_KEY_REGION);   // once subclasses have placed their controls
    return TRUE;
}

void CStandardDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (RunningOnWine())
        PostMessage(WM_UPDATE_KEY_REGION);
}

LRESULT CStandardDialog::OnUpdateKeyRegion(WPARAM, LPARAM)
{
    // Several requests may be queued; the last one does the work.
    MSG pending;
    if (PeekMessageW(&pending, m_hWnd, WM_UPDATE_KEY_REGION, WM_UPDATE_KEY_REGION, PM_NOREMOVE))
        return 0;
    UpdateKeyRegion();
    return 0;
}

void CStandardDialog::UpdateKeyRegion()
{
    if (!RunningOnWine() || !m_hWnd)
        return;
    RECT client;
    GetClientRect(&client);
    const int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0)
        return;
    // Paint everything now, then read back what the window shows.
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);

    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    ScopedGdiObj<HBITMAP> dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib)
        return;
    {
        ScopedGetDC window(m_hWnd);
        ScopedMemDC memory(window);
        ScopedSelect select(memory, dib);
        BitBlt(memory, 0, 0, w, h, window, 0, 0, SRCCOPY);
    }
    GdiFlush();

    // Runs of non-key pixels, row by row, as region rectangles.
    const DWORD key = (GetRValue(m_crKey) << 16) | (GetGValue(m_crKey) << 8) | GetBValue(m_crKey);
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    std::vector<RECT> runs;
    for (int y = 0; y < h; ++y) {
        const DWORD* row = pixels + static_cast<size_t>(y) * w;
        for (int x = 0; x < w;) {
            while (x < w && (row[x] & 0xFFFFFF) == key) ++x;
            int start = x;
            while (x < w && (row[x] & 0xFFFFFF) != key) ++x;
            if (x > start) runs.push_back(RECT{start, y, x, y + 1});
        }
    }
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    rgn->rdh.dwSize = sizeof(RGNDATAHEADER);
    rgn->rdh.iType = RDH_RECTANGLES;
    rgn->rdh.nCount = static_cast<DWORD>(runs.size());
    rgn->rdh.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    SetRect(&rgn->rdh.rcBound, 0, 0, w, h);
    if (!runs.empty())
        memcpy(rgn->Buffer, runs.data(), runs.size() * sizeof(RECT));
    HRGN region = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), rgn);
    // The window owns the region from here on.
    if (region && !SetWindowRgn(m_hWnd, region, TRUE))
        DeleteObject(region);
}

void CStandardDialog::ReleaseWindowResources()
{
    m_brush.DeleteObject();
    CDHtmlDialog::ReleaseWindowResources();
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
    ON_WM_SIZE()
    ON_MESSAGE(WM_UPDATE_KEY_REGION, OnUpdateKeyRegion)
END_MESSAGE_MAP()
