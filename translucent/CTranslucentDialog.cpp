#include "translucent/CTranslucentDialog.h"

#include "framework/ScopedWin.h"
#include "translucent/ImageLoader.h"

CTranslucentDialog::CTranslucentDialog(UINT nIDTemplate, UINT nImageId, LPCWSTR lpszImageType,
                                       HMODULE hImageModule, CWnd* pParent)
    : CDialog(nIDTemplate, pParent),
      m_pImage(LoadImageFromResource(nImageId, lpszImageType, hImageModule))
{
}

CTranslucentDialog::~CTranslucentDialog()
{
    // Normally the window is gone by now (DoModal destroys it). If not, it
    // goes while this object is still whole, and takes the companion's
    // window with it before the companion object is deleted.
    if (m_hWnd)
        DestroyWindow();
    delete m_pCompanion;
    m_pCompanion = nullptr;
    delete m_pImage;
    m_pImage = nullptr;
    m_children.clear();   // the items are not ours
}

POINT CTranslucentDialog::CenteredOrigin(const RECT& work, int frameWidth, int frameHeight)
{
    POINT p;
    p.x = (work.right - work.left - frameWidth) / 2 + work.left;
    p.y = (work.bottom - work.top - frameHeight) / 2 + work.top;
    return p;
}

int CTranslucentDialog::OnCreate(LPCREATESTRUCTW lpCreateStruct)
{
    int x = lpCreateStruct->x;
    int y = lpCreateStruct->y;
    if (m_bCenterOnCreate) {
        // Centred as the frame that the creation style would give the
        // artwork; the window then gets exactly the artwork's size.
        RECT frame = {0, 0, static_cast<LONG>(ImageWidth()), static_cast<LONG>(ImageHeight())};
        AdjustWindowRect(&frame, static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE)), FALSE);
        RECT work;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        POINT origin = CenteredOrigin(work, frame.right - frame.left, frame.bottom - frame.top);
        x = origin.x;
        y = origin.y;
    }
    int w = static_cast<int>(ImageWidth());
    int h = static_cast<int>(ImageHeight());

    if (CDialog::OnCreate(lpCreateStruct) == -1)
        return -1;

    m_pCompanion = CreateCompanionDialog();
    if (m_pCompanion)
        m_pCompanion->CreateAndShow();

    ModifyStyle(WS_CAPTION, WS_POPUP);
    // The WM_MOVE and WM_SIZE this causes bring the companion along.
    MoveWindow(x, y, w, h, TRUE);
    return 0;
}

BOOL CTranslucentDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bItemsOnly = false;
    m_blend.BlendOp = AC_SRC_OVER;
    m_blend.BlendFlags = 0;
    m_blend.SourceConstantAlpha = 255;
    m_blend.AlphaFormat = AC_SRC_ALPHA;
    InitLayeredItems();
    RenderLayeredWindow();
    return TRUE;
}

void CTranslucentDialog::RenderLayeredWindow()
{
    if (!m_hWnd)
        return;
    int w = static_cast<int>(ImageWidth());
    int h = static_cast<int>(ImageHeight());

    DWORD ex = static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_EXSTYLE));
    if (!(ex & WS_EX_LAYERED))
        SetWindowLongW(m_hWnd, GWL_EXSTYLE, static_cast<LONG>(ex | WS_EX_LAYERED));

    ScopedGetDC screen(m_hWnd);
    ScopedMemDC memory(screen);
    RECT window;
    GetWindowRect(&window);

    // A bottom-up 32-bit DIB: 4 * w * h bytes, stride (w * 32 + 31) / 8
    // rounded down to whole DWORDs.
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = w;
    header.biHeight = h;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(((w * 32 + 31) / 8 & ~3) * h);
    void* bits = nullptr;
    ScopedGdiObj<HBITMAP> dib(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&header),
                                               DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib)
        return;   // nothing to show (an empty picture) or no memory
    ZeroMemory(bits, header.biSizeImage);

    {
        ScopedSelect select(memory, dib);
        {
            Gdiplus::Graphics graphics(memory);
            graphics.SetSmoothingMode(Gdiplus::SmoothingModeNone);
            if (m_bItemsOnly)
                graphics.DrawImage(m_pImage, 0, 0, 1, 1);
            else
                graphics.DrawImage(m_pImage, 0, 0, w, h);
            for (CLayeredChild* child : m_children)
                if (child->m_bVisible || m_bItemsOnly)
                    child->Render(graphics);
        }

        ScopedLibrary user32(L"User32.DLL");
        typedef BOOL(WINAPI * UpdateLayeredWindowFn)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF,
                                                     BLENDFUNCTION*, DWORD);
        if (auto update = user32.Get<UpdateLayeredWindowFn>("UpdateLayeredWindow")) {
            POINT dest = {window.left, window.top};
            SIZE size = {w, h};
            POINT source = {0, 0};
            update(m_hWnd, screen, &dest, &size, memory, &source, 0, &m_blend, ULW_ALPHA);
        }
    }
}

void CTranslucentDialog::ReleaseWindowResources()
{
    delete m_pImage;
    m_pImage = nullptr;
    CDialog::ReleaseWindowResources();
}

void CTranslucentDialog::RequestRender(void*)
{
    if (!m_bIgnoreRenderEvents)
        RenderLayeredWindow();
}

BOOL CTranslucentDialog::PreTranslateMessage(MSG* pMsg)
{
    // Enter and Esc go straight to their window: the dialog manager would
    // turn them into OK and Cancel and end this dialog.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
        TranslateMessage(pMsg);
        DispatchMessageW(pMsg);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CTranslucentDialog::OnEraseBkgnd(HDC)
{
    return TRUE;   // the layered picture is the whole appearance
}

void CTranslucentDialog::OnMove(int x, int y)
{
    CDialog::OnMove(x, y);
    // The companion is repainted where it lands; copying its old pixels buys
    // nothing (and under Wine such a copy can wait for ever on an X
    // exposure event that never comes).
    if (m_pCompanion && !m_bItemsOnly)
        m_pCompanion->SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOCOPYBITS);
}

void CTranslucentDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (m_pCompanion)
        m_pCompanion->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOCOPYBITS);
}

void CTranslucentDialog::OnLButtonDown(UINT nFlags, POINT point)
{
    // The system's move loop runs until the button is released.
    if (m_bDragEnabled)
        SendMessage(WM_SYSCOMMAND, 0xF012, 0);   // SC_MOVE | HTCAPTION
    CDialog::OnLButtonDown(nFlags, point);
}

BEGIN_MESSAGE_MAP(CTranslucentDialog, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_MOVE()
    ON_WM_SIZE()
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()
