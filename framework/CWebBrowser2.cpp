#include "CWebBrowser2.h"

#include "DispatchMap.h"

#include <exdisp.h>

namespace {
const DISPID kDispidNavigate = 0x68;
const DISPID kDispidLocationURL = 0xD3;
const DISPID kDispidSilent = 0x227;
const BYTE kNavigateParams[] = VTS_BSTR VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT;
const BYTE kNoParams[] = VTS_NONE;
const BYTE kSilentParams[] = VTS_BOOL;
}  // namespace

BOOL CWebBrowser2::Create(LPCWSTR, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                          UINT nID, void*)
{
    return CreateControl(CLSID_WebBrowser, lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

void CWebBrowser2::Navigate(LPCWSTR URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData,
                            VARIANT* Headers)
{
    InvokeHelper(kDispidNavigate, DISPATCH_METHOD, VT_EMPTY, nullptr, kNavigateParams, URL, Flags,
                 TargetFrameName, PostData, Headers);
}

void CWebBrowser2::SetSilent(BOOL bNewValue)
{
    InvokeHelper(kDispidSilent, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, kSilentParams, bNewValue);
}

CString CWebBrowser2::GetLocationURL()
{
    BSTR url = nullptr;
    InvokeHelper(kDispidLocationURL, DISPATCH_PROPERTYGET, VT_BSTR, &url, kNoParams);
    CString text(url);
    SysFreeString(url);
    return text;
}
