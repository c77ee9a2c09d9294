// The launcher's background window: its artwork with per-pixel alpha, and
// the control panel as its companion.
#pragma once

#include "translucent/CTranslucentDialog.h"

class CKeltTranslucentDlg : public CTranslucentDialog {
public:
    CKeltTranslucentDlg(UINT nImageId, LPCWSTR lpszImageType, HMODULE hImageModule, CWnd* pParent);
    ~CKeltTranslucentDlg() override;

protected:
    CStandardDialog* CreateCompanionDialog() override;
    void InitLayeredItems() override;
};
