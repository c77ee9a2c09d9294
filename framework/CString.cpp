#include "CString.h"

#include <cstdarg>
#include <cwchar>
#include <vector>

int CString::Compare(const wchar_t* other) const
{
    return wcscmp(m_text.c_str(), other ? other : L"");
}

wchar_t* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(static_cast<size_t>(minLength));
    return &m_text[0];
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = static_cast<int>(wcslen(m_text.c_str()));
    if (newLength > GetLength())
        newLength = GetLength();
    m_text.resize(static_cast<size_t>(newLength));
}

void CString::Format(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const wchar_t* format, va_list args)
{
    // _vsnwprintf is the runtime's own formatter, so %s means a wide string
    // whatever the compiler's stdio mode. It reports -1 when the buffer is too
    // small, so grow until the text fits.
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        int n = _vsnwprintf(buffer.data(), buffer.size() - 1, format, copy);
        va_end(copy);
        if (n >= 0 && static_cast<size_t>(n) < buffer.size() - 1) {
            m_text.assign(buffer.data(), static_cast<size_t>(n));
            return;
        }
        if (buffer.size() > (1u << 24)) {   // a format that never fits
            m_text.clear();
            return;
        }
        buffer.resize(buffer.size() * 2);
    }
}

CString CString::Left(int count) const
{
    CString r;
    r.m_text = m_text.substr(0, static_cast<size_t>(count < 0 ? 0 : count));
    return r;
}
