#include "app/ConfigFile.h"

const wchar_t kConfigMissing[] = L"error";

namespace {
const wchar_t kSection[] = L"tamb";
const wchar_t kFileName[] = L"config.ini";
// 511 characters and the terminator; longer values are cut there.
const int kValueBuffer = 512;
}

CString GetModuleDirectory()
{
    wchar_t path[MAX_PATH] = L"";
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return CString();
    // Everything up to and including the last separator: the drive (or UNC
    // share) and the folder, without the file name.
    int cut = 0;
    for (DWORD i = 0; i < n; ++i)
        if (path[i] == L'\\' || path[i] == L'/')
            cut = static_cast<int>(i) + 1;
    return CString(path, cut);
}

CString ReadConfigValue(CString key)
{
    CString file = GetModuleDirectory() + kFileName;
    CString value;
    wchar_t* buffer = value.GetBuffer(kValueBuffer);
    GetPrivateProfileStringW(kSection, key, kConfigMissing, buffer, kValueBuffer, file);
    value.ReleaseBuffer();
    return value;
}

CString ConfigValueOr(const CString& value, const wchar_t* builtIn)
{
    return value == kConfigMissing ? CString(builtIn) : value;
}
