#include "support/PageStandInSetup.h"

#include "support/TestSupport.h"

namespace test {

namespace {
const std::wstring kClsid = L"{5E1B9A2C-7C4D-4B8E-9F61-3A2D8C0B7E15}";
const std::wstring kServerKey = L"Software\\Classes\\CLSID\\" + kClsid + L"\\InprocServer32";
}  // namespace

RegistryValue::RegistryValue(const std::wstring& key, const wchar_t* name, const std::wstring& value)
    : m_key(key), m_name(name)
{
    HKEY k;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr))
        return;
    wchar_t old[512];
    DWORD size = sizeof(old), type = 0;
    if (RegQueryValueExW(k, name, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
        m_had = true;
        m_old = old;
    }
    m_set = RegSetValueExW(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    RegCloseKey(k);
}

RegistryValue::~RegistryValue()
{
    HKEY k;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, m_key.c_str(), 0, KEY_ALL_ACCESS, &k)) return;
    if (m_had)
        RegSetValueExW(k, m_name, 0, REG_SZ, reinterpret_cast<const BYTE*>(m_old.c_str()),
                       static_cast<DWORD>((m_old.size() + 1) * sizeof(wchar_t)));
    else
        RegDeleteValueW(k, m_name);
    RegCloseKey(k);
}

PageStandInSetup::PageStandInSetup(const std::wstring& dll)
    : m_server(kServerKey, nullptr, dll),
      m_threading(kServerKey, L"ThreadingModel", L"Apartment"),
      m_html(L"Software\\Classes\\MIME\\Database\\Content Type\\text/html", L"CLSID", kClsid)
{
}

std::string FileUrl(const std::wstring& path)
{
    std::string url = "file:///";
    for (char c : Narrow(path)) url += c == '\\' ? '/' : c;
    return url;
}

}  // namespace test
