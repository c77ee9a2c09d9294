// A top-level dialog whose whole appearance is a 32-bit picture with
// per-pixel alpha, shown with UpdateLayeredWindow. Such a window cannot show
// child controls, so a companion dialog made by the subclass (a
// CStandardDialog) lies exactly over it, keyed out, and carries them.
//
// The dialog keeps the companion at its own origin and size, moves when the
// left button is pressed anywhere on its visible artwork, keeps Enter and Esc
// from ending it through the dialog manager, and can compose further items
// over the artwork (m_children).
//
// Lifetime: the dialog owns its artwork and its companion object; it deletes
// the companion first, then the artwork, then forgets the items (which belong
// to whoever registered them).
#pragma once

#include "framework/CDialog.h"
#include "translucent/CLayeredChild.h"
#include "translucent/CStandardDialog.h"
#include "translucent/IRenderListener.h"

#include <list>

class CTranslucentDialog : public CDialog, public IRenderListener {
public:
    CTranslucentDialog(UINT nIDTemplate, UINT nImageId, LPCWSTR lpszImageType, HMODULE hImageModule,
                       CWnd* pParent);
    ~CTranslucentDialog() override;

    // Composes the artwork and the items and puts the result on screen.
    void RenderLayeredWindow();
    void RequestRender(void* sender) override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;

    // The origin that centres a W x H frame on the work area; the halves
    // truncate toward zero, as C++ integer division does.
    static POINT CenteredOrigin(const RECT& workArea, int frameWidth, int frameHeight);

    CStandardDialog* Companion() const { return m_pCompanion; }

protected:
    // Called once, from WM_CREATE: a new companion whose window does not
    // exist yet, constructed with this dialog as its parent; or null.
    virtual CStandardDialog* CreateCompanionDialog() = 0;
    // Called once, from OnInitDialog before the first render: register items.
    virtual void InitLayeredItems() = 0;

    BOOL OnEraseBkgnd(HDC hdc);
    void OnMove(int x, int y);
    void OnSize(UINT nType, int cx, int cy);
    int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    void OnLButtonDown(UINT nFlags, POINT point);
    // The artwork only ever served the window.
    void ReleaseWindowResources() override;

    BLENDFUNCTION m_blend = {};
    Gdiplus::Image* m_pImage = nullptr;
    bool m_bDragEnabled = true;
    bool m_bCenterOnCreate = true;
    bool m_bIgnoreRenderEvents = false;
    // Draw every item whatever its visibility, the artwork only as one
    // blended pixel, and leave the companion where it is on moves.
    bool m_bItemsOnly = false;
    CStandardDialog* m_pCompanion = nullptr;
    std::list<CLayeredChild*> m_children;

    DECLARE_MESSAGE_MAP()

private:
    UINT ImageWidth() const { return m_pImage ? m_pImage->GetWidth() : 0; }
    UINT ImageHeight() const { return m_pImage ? m_pImage->GetHeight() : 0; }
};
