// A UTF-16 string with the interface the system's code is written against.
// Storage is a std::wstring; the buffer protocol (GetBuffer / ReleaseBuffer)
// lets Win32 functions write straight into it.
#pragma once

#include "Afx.h"
#include <string>

class CString {
public:
    CString() = default;
    CString(const wchar_t* text) : m_text(text ? text : L"") {}
    CString(const wchar_t* text, int length) : m_text(text ? text : L"", text && length > 0 ? length : 0) {}
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const wchar_t* text) { m_text = text ? text : L""; return *this; }

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    const wchar_t* GetString() const { return m_text.c_str(); }
    operator const wchar_t*() const { return m_text.c_str(); }
    wchar_t operator[](int index) const { return m_text.at(static_cast<size_t>(index)); }

    // Case-sensitive, code unit by code unit: <0, 0 or >0 as wcscmp.
    int Compare(const wchar_t* other) const;

    // A writable buffer of at least minLength characters plus the terminator.
    // ReleaseBuffer(-1) takes the length from the first NUL.
    wchar_t* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

    // printf-style formatting with the platform's wide conventions: %s takes a
    // wide string, %d an int.
    void Format(const wchar_t* format, ...);
    void FormatV(const wchar_t* format, va_list args);

    CString Left(int count) const;

    CString& operator+=(const CString& other) { m_text += other.m_text; return *this; }
    CString& operator+=(const wchar_t* other) { if (other) m_text += other; return *this; }
    CString& operator+=(wchar_t ch) { m_text += ch; return *this; }

    friend CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
    friend CString operator+(const CString& a, const wchar_t* b) { CString r(a); r += b; return r; }
    friend CString operator+(const wchar_t* a, const CString& b) { CString r(a); r += b; return r; }

    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.Compare(b) == 0; }
    friend bool operator==(const wchar_t* a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
    friend bool operator!=(const wchar_t* a, const CString& b) { return !(b == a); }

private:
    std::wstring m_text;
};
