// The companion of a translucent dialog: an ordinary dialog holding the
// controls, laid exactly over the translucent dialog, whose background is
// painted in a key colour that the system then makes transparent - to the eye
// and to the mouse. Only the controls show over the artwork beneath.
//
// It derives from the HTML dialog so that web browser controls in its
// template are hosted, but it initialises and routes its messages as a plain
// dialog: the HTML dialog's own browser is never created.
#pragma once

#include "framework/CBrush.h"
#include "framework/CDHtmlDialog.h"

class CStandardDialog : public CDHtmlDialog {
public:
    CStandardDialog(UINT nIDTemplate, COLORREF crKey, CWnd* pParent);
    ~CStandardDialog() override;

    // Creates the window modeless, owned by the parent given to the
    // constructor, and shows it. Initialisation runs inside.
    void CreateAndShow();

    BOOL OnInitDialog() override;
    // Both first close the owner (WM_CLOSE, sent), then end this dialog.
    void OnOK() override;
    void OnCancel() override;

    // Under Wine, cuts the key-coloured pixels out of the window with a
    // window region (see the .cpp); nothing on Windows.
    void UpdateKeyRegion();

protected:
    HBRUSH OnCtlColor(HDC hdc, CWnd* pWnd, UINT nCtlColor);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnUpdateKeyRegion(WPARAM wParam, LPARAM lParam);
    void ReleaseWindowResources() override;

    const COLORREF m_crKey;
    CBrush m_brush;

    DECLARE_MESSAGE_MAP()
};
