#include "app/ConfigFile.h"

#include "framework/AppState.h"

const wchar_t kConfigMissing[] = L"error";

namespace {
const wchar_t kSection[] = L"tamb";
const wchar_t kFileName[] = L"config.ini";
// Where a read starts: most values are short addresses.
const DWORD kFirstBuffer = 512;
// Beyond this a value is no address; stop growing (64 M characters).
const DWORD kLargestBuffer = 1u << 26;
}  // namespace

CString GetModuleDirectory()
{
    CString path = AfxGetModuleFileName();
    // Everything up to and including the last separator: the drive (or UNC
    // share) and the folder, without the file name.
    int cut = 0;
    for (int i = 0; i < path.GetLength(); ++i)
        if (path[i] == L'\\' || path[i] == L'/')
            cut = i + 1;
    return path.Left(cut);
}

CString ReadConfigValue(CString key)
{
    // Without the program's own folder, the profile functions would take a
    // bare file name from the Windows directory: someone else's file.
    CString directory = GetModuleDirectory();
    if (directory.IsEmpty())
        return kConfigMissing;
    CString file = directory + kFileName;

    // The whole value, however long: the reader fills the buffer to one
    // short of its size when a value does not fit, so grow it until one does.
    CString value;
    for (DWORD size = kFirstBuffer;; size *= 2) {
        wchar_t* buffer = value.GetBuffer(static_cast<int>(size));
        DWORD n = GetPrivateProfileStringW(kSection, key, kConfigMissing, buffer, size, file);
        value.ReleaseBuffer(static_cast<int>(n));
        if (n + 1 < size || size >= kLargestBuffer)
            break;
    }
    return value;
}

CString ConfigValueOr(const CString& value, const wchar_t* builtIn)
{
    return value == kConfigMissing ? CString(builtIn) : value;
}
