#include "CMFCButton.h"

#include "AppState.h"
#include "CDialogInitData.h"
#include "ResourceStream.h"

#include <commctrl.h>

#include <string>

namespace {

const wchar_t kClassName[] = L"MfcButton";
// Where the window class keeps a template's properties until an object binds.
const wchar_t kPendingProperties[] = L"Selvane.MfcButton.Properties";
WNDPROC g_buttonProc = nullptr;

// The value between <MFCButton_name> and </MFCButton_name>; false if absent.
bool FindProperty(const std::string& text, const char* name, std::string& value)
{
    std::string open = std::string("<MFCButton_") + name + ">";
    std::string close = std::string("</MFCButton_") + name + ">";
    size_t a = text.find(open);
    if (a == std::string::npos) return false;
    a += open.size();
    size_t b = text.find(close, a);
    if (b == std::string::npos) return false;
    value = text.substr(a, b - a);
    return true;
}

bool IsTrue(const std::string& v)
{
    return v == "TRUE" || v == "true" || v == "1";
}

std::wstring Widen(const std::string& s)
{
    int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    if (n) MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

Gdiplus::Image* LoadPicture(UINT id)
{
    if (!id) return nullptr;
    HINSTANCE module = AfxGetResourceHandle();
    if (ComPtr<IStream> stream = CreateResourceStream(module, MAKEINTRESOURCEW(id), L"PNG")) {
        auto* image = new Gdiplus::Bitmap(stream.Get(), FALSE);
        if (image->GetLastStatus() == Gdiplus::Ok) return image;
        delete image;
    }
    if (HBITMAP bitmap = LoadBitmapW(module, MAKEINTRESOURCEW(id))) {
        Gdiplus::Bitmap* image = Gdiplus::Bitmap::FromHBITMAP(bitmap, nullptr);
        DeleteObject(bitmap);
        if (image && image->GetLastStatus() == Gdiplus::Ok) return image;
        delete image;
    }
    return nullptr;
}

// The class's own procedure: a Button that also keeps the template's
// properties for the object that will bind to it.
LRESULT CALLBACK MfcButtonClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MFC_INITCTRL && lParam) {
        auto* kept = static_cast<std::string*>(GetPropW(hwnd, kPendingProperties));
        if (!kept) {
            kept = new std::string;
            SetPropW(hwnd, kPendingProperties, kept);
        }
        kept->assign(reinterpret_cast<const char*>(lParam), static_cast<size_t>(wParam));
        return 0;
    }
    if (message == WM_NCDESTROY)
        delete static_cast<std::string*>(RemovePropW(hwnd, kPendingProperties));
    return CallWindowProcW(g_buttonProc, hwnd, message, wParam, lParam);
}

}  // namespace

void CMFCButton::RegisterWindowClass()
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(AfxGetInstanceHandle(), kClassName, &wc))
        return;
    if (!GetClassInfoExW(nullptr, L"Button", &wc))
        return;
    g_buttonProc = wc.lpfnWndProc;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = MfcButtonClassProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.lpszClassName = kClassName;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));   // IDC_ARROW
    RegisterClassExW(&wc);
}

CMFCButton::CMFCButton() = default;

CMFCButton::~CMFCButton()
{
    // Pictures go before the GDI+ reference that keeps them drawable.
    m_image.reset();
    m_hotImage.reset();
    m_disabledImage.reset();
}

void CMFCButton::PreSubclassWindow()
{
    // The button draws itself: the system sends WM_DRAWITEM to the parent,
    // which reflects it here.
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    if (auto* kept = static_cast<std::string*>(RemovePropW(m_hWnd, kPendingProperties))) {
        ApplyProperties(kept->data(), kept->size());
        delete kept;
    }
}

void CMFCButton::ApplyProperties(const char* text, size_t length)
{
    std::string props(text, length);
    std::string v;
    if (FindProperty(props, "Style", v)) {
        switch (atoi(v.c_str())) {
        case 4: m_nFlatStyle = BUTTONSTYLE_3D; break;
        case 5: m_nFlatStyle = BUTTONSTYLE_FLAT; break;
        case 6: m_nFlatStyle = BUTTONSTYLE_NOBORDERS; break;
        case 7: m_nFlatStyle = BUTTONSTYLE_SEMIFLAT; break;
        default: break;
        }
    }
    if (FindProperty(props, "Autosize", v)) m_bAutosize = IsTrue(v);
    if (FindProperty(props, "FullTextTool", v)) m_bFullTextTool = IsTrue(v);
    if (FindProperty(props, "Tooltip", v)) m_strTooltip = Widen(v).c_str();
    if (FindProperty(props, "CursorType", v)) {
        int cursor = atoi(v.c_str());
        if (cursor == 12) SetMouseCursorHand();
        else if (cursor == 11 || cursor == 13) m_hCursor = nullptr;   // the default cursor
    }
    if (FindProperty(props, "ImageOnTop", v)) m_bImageOnTop = IsTrue(v);
    if (FindProperty(props, "ImageOnRight", v)) m_bRightImage = IsTrue(v);
    if (FindProperty(props, "ImageType", v)) {
        int type = atoi(v.c_str());
        std::string idText;
        UINT id = FindProperty(props, "ImageID", idText) ? static_cast<UINT>(atoi(idText.c_str())) : 0;
        ClearImage();
        if (type == 9 && id) {
            if (HICON icon = LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id)))
                m_image.reset(Gdiplus::Bitmap::FromHICON(icon));
        } else if (type == 10 && id) {
            m_image.reset(LoadPicture(id));
        }
        if (m_bAutosize) SizeToContent();
    }
    UpdateTooltip();
    Invalidate(FALSE);
}

LRESULT CMFCButton::OnInitControl(WPARAM wParam, LPARAM lParam)
{
    if (lParam)
        ApplyProperties(reinterpret_cast<const char*>(lParam), static_cast<size_t>(wParam));
    return 0;
}

void CMFCButton::SetImage(UINT uiBmpResId, UINT uiBmpHotResId, UINT uiBmpDsblResID)
{
    m_image.reset(LoadPicture(uiBmpResId));
    m_hotImage.reset(LoadPicture(uiBmpHotResId));
    m_disabledImage.reset(LoadPicture(uiBmpDsblResID));
    if (m_bAutosize) SizeToContent();
    Invalidate(FALSE);
}

void CMFCButton::ClearImage()
{
    m_image.reset();
    m_hotImage.reset();
    m_disabledImage.reset();
    Invalidate(FALSE);
}

void CMFCButton::SetMouseCursorHand()
{
    m_hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));   // IDC_HAND
}

void CMFCButton::SetTooltip(LPCWSTR lpszToolTipText)
{
    m_strTooltip = lpszToolTipText ? lpszToolTipText : L"";
    UpdateTooltip();
}

void CMFCButton::EnableFullTextTooltip(bool bOn)
{
    m_bFullTextTool = bOn;
    UpdateTooltip();
}

void CMFCButton::SizeToContent()
{
    if (!m_hWnd || !m_image) return;
    SetWindowPos(nullptr, 0, 0, static_cast<int>(m_image->GetWidth()), static_cast<int>(m_image->GetHeight()),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMFCButton::UpdateTooltip()
{
    if (!m_hWnd) return;
    // The explicit tooltip; with full-text tooltips on, a button without one
    // shows its caption, so text cut off by the button's width can be read.
    CString text = m_strTooltip;
    if (text.IsEmpty() && m_bFullTextTool) text = GetWindowText();
    if (text.IsEmpty()) {
        if (m_hTooltip) {
            ::DestroyWindow(m_hTooltip);
            m_hTooltip = nullptr;
        }
        return;
    }
    if (!m_hTooltip) {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        m_hTooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                     ::GetParent(m_hWnd), nullptr, AfxGetInstanceHandle(), nullptr);
        TOOLINFOW ti = {};
        ti.cbSize = TTTOOLINFOW_V1_SIZE;
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = ::GetParent(m_hWnd);
        ti.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
        ti.lpszText = const_cast<wchar_t*>(text.GetString());
        ::SendMessageW(m_hTooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        if (m_bFullTextTool)
            ::SendMessageW(m_hTooltip, TTM_SETMAXTIPWIDTH, 0, 400);
        return;
    }
    TOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V1_SIZE;
    ti.hwnd = ::GetParent(m_hWnd);
    ti.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    ti.lpszText = const_cast<wchar_t*>(text.GetString());
    ::SendMessageW(m_hTooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CMFCButton::PaintParentBackground(HDC dc, const RECT& rect)
{
    HWND parent = ::GetParent(m_hWnd);
    if (!parent) return;
    // Let the parent erase into our DC with its own brush (for the launcher
    // panel: the key colour), shifted so its pixels line up with ours.
    POINT origin = {0, 0};
    MapWindowPoints(m_hWnd, parent, &origin, 1);
    int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    POINT old;
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, &old);
    ::SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
}

void CMFCButton::DrawItem(LPDRAWITEMSTRUCT dis)
{
    HDC dc = dis->hDC;
    RECT rc = dis->rcItem;
    bool pushed = (dis->itemState & ODS_SELECTED) != 0;
    bool disabled = (dis->itemState & ODS_DISABLED) != 0;

    if (m_bTransparent)
        PaintParentBackground(dc, rc);
    else
        FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));

    Gdiplus::Image* picture = m_image.get();
    if (disabled && m_disabledImage) picture = m_disabledImage.get();
    else if (m_bHighlighted && m_hotImage) picture = m_hotImage.get();

    CString text = GetWindowText();
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    int iw = picture ? static_cast<int>(picture->GetWidth()) : 0;
    int ih = picture ? static_cast<int>(picture->GetHeight()) : 0;
    // A pressed bordered button moves its content, as the system's do.
    int shift = (pushed && m_nFlatStyle != BUTTONSTYLE_NOBORDERS) ? 1 : 0;

    RECT textRect = rc;
    if (picture) {
        int x = rc.left + (w - iw) / 2, y = rc.top + (h - ih) / 2;
        if (!text.IsEmpty()) {
            if (m_bImageOnTop) {
                y = rc.top + 2;
                textRect.top = y + ih;
            } else if (m_bRightImage) {
                x = rc.right - iw - 4;
                textRect.right = x;
            } else {
                x = rc.left + 4;
                textRect.left = x + iw;
            }
        }
        Gdiplus::Graphics g(dc);
        g.DrawImage(picture, x + shift, y + shift, iw, ih);
    }
    if (!text.IsEmpty()) {
        OffsetRect(&textRect, shift, shift);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        HFONT font = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
        HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
        DrawTextW(dc, text, -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        if (oldFont) SelectObject(dc, oldFont);
    }

    switch (m_nFlatStyle) {
    case BUTTONSTYLE_3D:
        DrawEdge(dc, &rc, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        break;
    case BUTTONSTYLE_FLAT:
        if (m_bHighlighted || pushed) DrawEdge(dc, &rc, pushed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        break;
    case BUTTONSTYLE_SEMIFLAT:
        DrawEdge(dc, &rc, pushed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        break;
    default:
        break;   // borderless
    }
}

void CMFCButton::OnMouseMove(UINT nFlags, POINT point)
{
    if (!m_bHighlighted) {
        m_bHighlighted = TRUE;
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        TrackMouseEvent(&tme);
        Invalidate(FALSE);
    }
    CButton::OnMouseMove(nFlags, point);
}

void CMFCButton::OnMouseLeave()
{
    m_bHighlighted = FALSE;
    Invalidate(FALSE);
    CButton::OnMouseLeave();
}

BOOL CMFCButton::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hCursor && nHitTest == HTCLIENT) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CButton::OnSetCursor(pWnd, nHitTest, message);
}

void CMFCButton::OnDestroy()
{
    if (m_hTooltip) {
        ::DestroyWindow(m_hTooltip);
        m_hTooltip = nullptr;
    }
    // Pictures serve only the window; an object that outlives it keeps none.
    m_image.reset();
    m_hotImage.reset();
    m_disabledImage.reset();
    CButton::OnDestroy();
}

BEGIN_MESSAGE_MAP(CMFCButton, CButton)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_SETCURSOR()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_MFC_INITCTRL, OnInitControl)
END_MESSAGE_MAP()
