// The image button. Dialog templates name it by its window class,
// "MfcButton"; a member CMFCButton bound by DDX_Control then draws it: a
// normal picture, a hot picture while the mouse is over it, borders by style,
// and the parent's background behind the picture when m_bTransparent is set.
//
// A template's stored properties (WM_MFC_INITCTRL, text such as
// "<MFCButton_Style>6</MFCButton_Style>...") reach the window before any
// object is bound to it; the window class keeps them and the object applies
// them when it binds.
#pragma once

#include "CButton.h"
#include "ScopedGdiplus.h"

#include <memory>

class CMFCButton : public CButton {
public:
    enum FlatStyle { BUTTONSTYLE_3D, BUTTONSTYLE_FLAT, BUTTONSTYLE_SEMIFLAT, BUTTONSTYLE_NOBORDERS };

    CMFCButton();
    ~CMFCButton() override;

    // Pictures by resource id: a "PNG" resource of that id, else a bitmap
    // resource of that id. 0 leaves that picture out.
    void SetImage(UINT uiBmpResId, UINT uiBmpHotResId = 0, UINT uiBmpDsblResID = 0);
    void ClearImage();
    void SetMouseCursorHand();
    void SetMouseCursor(HCURSOR hCursor) { m_hCursor = hCursor; }
    void SetTooltip(LPCWSTR lpszToolTipText);
    void EnableFullTextTooltip(bool bOn = true);
    // Sizes the button to its normal picture.
    void SizeToContent();

    BOOL IsHighlighted() const { return m_bHighlighted; }
    HCURSOR GetMouseCursor() const { return m_hCursor; }
    bool HasImage() const { return m_image != nullptr; }
    bool HasHotImage() const { return m_hotImage != nullptr; }

    // Paint the parent's background behind the picture instead of the
    // button face.
    BOOL m_bTransparent = FALSE;
    int m_nFlatStyle = BUTTONSTYLE_3D;
    BOOL m_bAutosize = FALSE;
    BOOL m_bImageOnTop = FALSE;
    BOOL m_bRightImage = FALSE;

    // Registers "MfcButton" for dialog templates (the framework does this
    // before it creates the first dialog).
    static void RegisterWindowClass();

    // Applies a template's property text (WM_MFC_INITCTRL data).
    void ApplyProperties(const char* text, size_t length);

protected:
    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS);
    void OnMouseMove(UINT nFlags, POINT point);
    void OnMouseLeave();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnDestroy();
    LRESULT OnInitControl(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void PaintParentBackground(HDC dc, const RECT& rect);
    void UpdateTooltip();

    ScopedGdiplus m_gdiplus;   // pictures are GDI+ images: keep GDI+ up while they live
    std::unique_ptr<Gdiplus::Image> m_image, m_hotImage, m_disabledImage;
    HCURSOR m_hCursor = nullptr;
    BOOL m_bHighlighted = FALSE;
    bool m_bFullTextTool = false;
    CString m_strTooltip;
    HWND m_hTooltip = nullptr;
};
