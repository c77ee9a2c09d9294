#include "launcher/WebAddress.h"

#include <cwchar>

namespace {
bool StartsWithNoCase(const wchar_t* text, const wchar_t* prefix)
{
    for (; *prefix; ++text, ++prefix) {
        wchar_t c = *text;
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != *prefix) return false;
    }
    return true;
}
}  // namespace

bool IsWebAddress(const wchar_t* address)
{
    return address && (StartsWithNoCase(address, L"http:") || StartsWithNoCase(address, L"https:"));
}
