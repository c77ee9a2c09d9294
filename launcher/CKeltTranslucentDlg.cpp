#include "launcher/CKeltTranslucentDlg.h"

#include "launcher/CKeltStandardDlg.h"
#include "res/resource.h"

CKeltTranslucentDlg::CKeltTranslucentDlg(UINT nImageId, LPCWSTR lpszImageType, HMODULE hImageModule, CWnd* pParent)
    : CTranslucentDialog(IDD_LAUNCHER_BACKGROUND, nImageId, lpszImageType, hImageModule, pParent)
{
}

CKeltTranslucentDlg::~CKeltTranslucentDlg() = default;

CStandardDialog* CKeltTranslucentDlg::CreateCompanionDialog()
{
    return new CKeltStandardDlg(this);
}

void CKeltTranslucentDlg::InitLayeredItems()
{
    // The launcher composes nothing over its artwork.
}
